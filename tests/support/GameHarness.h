// GameHarness: a whole game started headless for tests and benchmarks: dummy video driver,
// software renderer, no present wait, a temporary working directory with its own pack,
// scripted message boxes, and turns of the main loop stepped one by one with the frame read
// back.
#pragma once

#include "app/Game.h"
#include "app/platform/User32Script.h"
#include "tests/support/HeadlessScreen.h"
#include "tests/support/TempDir.h"

#include <SDL.h>

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace zxtest {

// The pack the build made: $ZX_BIN_DIR/data.zxp, or bin/ beside the folder of this executable.
std::string builtPackPath();

// A key-down (SDL_KEYDOWN; with repeat, as SDL repeats a key held down) or key-up (SDL_KEYUP)
// event of a key with modifiers, addressed to a window (0: to none).
SDL_Event keyEvent(Uint32 type, SDL_Keycode key, Uint16 mod = KMOD_NONE, bool repeat = false,
                   Uint32 windowId = 0);

// Which room is current.
enum class Place { None, Menu, Scoreboard, Game };
Place currentPlace();

class GameHarness {
  public:
    // Starts the game in a new working directory holding a copy of packPath as data.zxp (none
    // when packPath is empty). Message boxes are recorded and answered from `answers`.
    explicit GameHarness(const std::string& packPath = builtPackPath());
    ~GameHarness();
    GameHarness(const GameHarness&) = delete;
    GameHarness& operator=(const GameHarness&) = delete;

    // True when the pack was copied and the game's start-up succeeded.
    bool started() const { return initOk; }
    Game& game() { return theGame; }
    const std::string& dir() const { return work.path(); }

    void push(const SDL_Event& event);
    void keyDown(SDL_Keycode key);
    void keyUp(SDL_Keycode key);
    // A key pressed and released.
    void tap(SDL_Keycode key);
    // Moves the mouse so that SDL_GetMouseState reports (x, y).
    void mouseMove(int x, int y);
    void mouseUp(int x, int y, Uint8 button = SDL_BUTTON_LEFT);

    // Turns of the main loop (Game::turn), each frame read back before it is presented.
    void turn(int count = 1);
    // One turn without its frame: the queued events, then one update.
    void step();
    // ARGB of a pixel of the last frame turn() drew.
    std::uint32_t pixel(int x, int y) const;
    const std::vector<std::uint32_t>& frame() const { return lastFrame; }

    // Every message box shown, in order, and the answers for the next ones (front first;
    // IDOK, or IDNO for a question, once they run out).
    std::vector<MessageBoxCall> boxes;
    std::deque<int> answers;

  private:
    TempDir work;
    std::string oldDir;
    Game theGame;
    bool initOk = false;
    std::vector<std::uint32_t> lastFrame;
};

// Holds one key down at a time, as a player's finger on the steering keys does: holding another
// lets go of the one before.
class HeldKey {
  public:
    explicit HeldKey(GameHarness& harness) : harness(harness) {}
    // Holds key down (0: none), letting go of the one held before.
    void hold(SDL_Keycode key);

  private:
    GameHarness& harness;
    SDL_Keycode held = 0;
};

} // namespace zxtest
