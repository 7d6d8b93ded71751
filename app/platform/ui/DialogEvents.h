// DialogEvents: while a dialog runs its own loop, which of SDL's events are the dialog's, which
// are kept for the game (handed back to SDL's queue in their order when it closes), and which
// key presses it ignores because they began before it opened.
#pragma once

#include "app/platform/ui/KeyGate.h"

#include <SDL.h>

#include <vector>

class DialogEvents {
  public:
    // For the dialog's window; the keys SDL reports held down now are ignored until released.
    // A dialog with an owner disables it, as on Windows: clicks on other windows are dropped.
    DialogEvents(Uint32 windowId, bool owned);

    enum class Route {
        Mine,    // the dialog's input: its window's events, keyboard input to no window, and
                 // the game controllers' events
        Ignored, // a key press (or its text) of the dialog that began before it opened, a key
                 // repeat of another window, or a click on another while owned: dropped
        Kept,    // another window's: kept for the game
        Quit     // a request to quit (the last window closed, SIGTERM, SIGINT): kept as well
    };
    // Sorts one event taken from the queue while the dialog runs. The close of another window
    // (the game's) is kept followed by a request to quit: with the dialog's window open SDL sends
    // none, and the game ends on that request once the dialog is gone.
    Route route(const SDL_Event& e);

    // Asks the display which of the keys held since before the dialog opened are up now. SDL
    // shows the dialog no release of a key it forgot when the focus moved (the game's window
    // lost it): let go while the focus was on its way, or after the dialog took it while the key
    // was down. Called while the dialog waits for events; costs nothing once no key is held.
    void forgetReleasedKeys();

    // Takes what is still queued, drops what was the dialog's, and queues every kept event again
    // in the order it arrived. Called once the dialog's window is gone.
    void handBack();

  private:
    // Whether e is addressed to the dialog's window, or (when unaddressed counts) to none.
    bool isMine(const SDL_Event& e, bool takeUnaddressed) const;

    Uint32 windowId;
    bool owned;
    KeyGate gate;
    std::vector<SDL_Event> kept;
};
