// A whole game started headless for tests: dummy video driver, software renderer, no present
// wait, a temporary working directory with its own pack, scripted message boxes, and turns of
// the main loop stepped one by one with the frame read back.
#pragma once

#include "app/Game.h"
#include "app/platform/User32Script.h"

#include <SDL.h>

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace zxtest {

// The pack the build made ($ZX_BIN_DIR/data.zxp).
std::string builtPackPath();

// A fresh temporary folder, removed with its contents when the object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return dir; }
    std::string file(const std::string& name) const { return dir + "/" + name; }

  private:
    std::string dir;
};

// Selects SDL's dummy video driver and software renderer, unless the environment chose.
void useHeadlessVideo();

class GameHarness {
  public:
    // Starts the game in a new working directory holding a copy of packPath as data.zxp (none
    // when packPath is empty). Message boxes are recorded and answered from `answers`.
    explicit GameHarness(const std::string& packPath = builtPackPath());
    ~GameHarness();
    GameHarness(const GameHarness&) = delete;
    GameHarness& operator=(const GameHarness&) = delete;

    bool started() const { return initOk; }
    Game& game() { return theGame; }
    const std::string& dir() const { return work.path(); }

    void push(const SDL_Event& event);
    void keyDown(SDL_Keycode key);
    void keyUp(SDL_Keycode key);
    // Moves the mouse so that SDL_GetMouseState reports (x, y).
    void mouseMove(int x, int y);
    void mouseUp(int x, int y, Uint8 button = SDL_BUTTON_LEFT);

    // Turns of the main loop: events, one update, one frame (read back before presenting).
    void turn(int count = 1);
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

} // namespace zxtest
