// DialogWindow: what the game's dialogs and message boxes share: a small window of their own
// with its renderer and font, shown centred and run in a loop of its own on the main thread,
// the game's events kept meanwhile and handed back when it closes.
#pragma once

#include "app/platform/PadEvent.h"
#include "app/platform/ui/DialogEvents.h"
#include "app/platform/ui/DialogPainter.h"

#include <SDL.h>

#include <functional>
#include <memory>
#include <string>

class FontFace;

class DialogWindow {
  public:
    DialogWindow() = default;
    virtual ~DialogWindow();
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;

    // Makes the window (title in UTF-8, a client area of width x height), its renderer and font,
    // centred on centreOn (its owner: a dialog transient for it, without taskbar entry, whose
    // frame offers only to move and close it) or, without one, on the display (an ordinary
    // window), and shows it with the keyboard focus. False when any of them is refused (no
    // video, no font...).
    bool open(const std::string& title, int width, int height, SDL_Window* centreOn);
    // Runs the loop until finish() is called, then destroys the window and hands the game's
    // events back to SDL's queue.
    void run();

  protected:
    // Draws the client area (already filled with the dialogs' face colour).
    virtual void draw(DialogPainter& painter) = 0;
    // One event of the dialog: its window's events, key presses and text that began while it was
    // open, key releases, mouse input.
    virtual void handle(const SDL_Event& e) = 0;
    // A gamepad's button pressed while the dialog is open.
    virtual void pad(PadButton button) = 0;
    // The game was asked to quit: close as the close button would.
    virtual void quitRequested() = 0;
    // Whether the frame of a window with an owner offers to close it.
    virtual bool offersClose() const { return true; }

    // Ends the loop after the current event.
    void finish() { finished = true; }
    DialogPainter& getPainter() { return *painter; }
    Uint32 getWindowId() const { return windowId; }

  private:
    void drawFrame();
    // Takes the next event, waiting for one. SDL's own wait (SDL_WaitEvent) marks a window to be
    // woken through the X server; SDL 2.26 can send that wake-up to a dialog's window after it is
    // gone, and the X error ends the process. Polling a hundred times a second costs nothing
    // seen; meanwhile the keys held since before the dialog opened are looked at.
    void nextEvent(SDL_Event& e);
    // A controller's event: its presses of the game's pad buttons go to pad().
    void handlePads(const SDL_Event& e);

    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    FontFace* font = nullptr;
    Uint32 windowId = 0;
    Uint32 returnFocusTo = 0; // the window that had the keyboard before; 0 for none
    std::unique_ptr<DialogPainter> painter;
    std::unique_ptr<DialogEvents> events;
    SDL_Point size{0, 0};
    bool videoStarted = false;
    bool textInputWasActive = false;
    bool finished = false;
};

// Test seam: called with every dialog's and box's window after each frame is drawn, before it
// is presented; empty removes it.
void setDialogFrameHook(std::function<void(SDL_Window*, SDL_Renderer*)> hook);
