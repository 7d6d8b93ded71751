// RMenu: the main menu room, a tiled background, the logo and four mouse-driven buttons.
#pragma once

#include "rooms/MenuLayout.h"
#include "rooms/Room.h"

#include <cstdint>

class Button;
class Background;

class RMenu : public Room {
  public:
    // Sets the button count to kButtonCount; loads nothing until create.
    RMenu();
    // Runs release.
    ~RMenu() override;
    RMenu(const RMenu&) = delete;
    RMenu& operator=(const RMenu&) = delete;

    // Updates the buttons top to bottom; stops at the first whose action ran, since that action
    // may have deleted this room.
    void update() override;
    // Draws the background, the logo, then the buttons.
    void draw() override;
    // Every button sees every event.
    void handleEvent(SDL_Event* event) override;
    // Lays the four buttons out under the logo and loads the background and the logo.
    void create() override;
    // Deletes the buttons, the background and the logo that exist.
    void release() override;

    std::uint32_t getButtonCount() const { return buttonCount; }
    Button* getButton(std::uint32_t index) const {
        return index < kButtonCount ? buttons[index] : nullptr;
    }

  private:
    std::uint32_t buttonCount = 0;
    Button* buttons[kButtonCount] = {};
    Background* background = nullptr;
    Background* logo = nullptr;
};

// The button actions: the game room, the scoreboard room, the information box, the end of
// the program after the current turn.
void startGame();
void showScoreboard();
void showInfo();
void quitGame();
