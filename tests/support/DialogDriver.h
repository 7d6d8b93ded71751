// Driving the game's dialogs and message boxes in tests: synthetic SDL events, a watchdog that
// closes a dialog left open, and a look at each frame drawn.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zxtest {

// Queues a key press and its release (windowId 0: addressed to no window).
void pushKey(SDL_Keycode key, Uint32 windowId = 0, Uint16 mod = KMOD_NONE);
// Queues a key press (SDL_KEYDOWN; with repeat, as SDL repeats a key held down) or release alone.
void pushKeyEvent(Uint32 type, SDL_Keycode key, bool repeat = false, Uint32 windowId = 0,
                  Uint16 mod = KMOD_NONE);
// Queues an event of which only the type is set (SDL_QUIT, SDL_USEREVENT).
void pushEventOfType(Uint32 type);
// Queues UTF-8 text input, in pieces of at most 31 bytes as SDL carries it.
void pushText(const std::string& utf8, Uint32 windowId = 0);
// Queues a left click (press and release) at (x, y) in a window.
void pushClick(Uint32 windowId, int x, int y);
// Queues the close request of a window.
void pushWindowClose(Uint32 windowId);
// The types of every event still queued, in order, window events left out; empties the queue.
std::vector<Uint32> drainEventTypes();

// One frame of a dialog as the frame hook saw it.
struct DialogFrame {
    Uint32 windowId = 0;
    std::string title;
    int x = 0, y = 0, w = 0, h = 0;
    std::vector<std::uint32_t> pixels; // ARGB, w x h
    std::uint32_t at(int px, int py) const { return pixels[static_cast<size_t>(py * w + px)]; }
};

// While it lives: SDL with the dummy driver, the frame hook recording the last frame of every
// dialog, and a watchdog closing (window close, then a quit request) a dialog still open after
// five seconds, which then fails the test. onFrame, when set, runs at each frame.
class DialogDriver {
  public:
    DialogDriver();
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // The last frame drawn; frames counts them.
    DialogFrame last;
    int frames = 0;
    std::function<void(const DialogFrame&)> onFrame;

  private:
    SDL_TimerID timer = 0;
};

} // namespace zxtest
