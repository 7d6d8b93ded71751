// RMenu: the main menu room, a tiled background, the logo and four buttons, chosen with the
// mouse, the keyboard or a gamepad, and the line of the level set played when there are several.
#pragma once

#include "rooms/MenuHighlight.h"
#include "rooms/MenuLayout.h"
#include "rooms/Room.h"
#include "rooms/SetChooser.h"

#include <climits>
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

    // Moves the highlight to the button under the mouse when the mouse moved, then updates the
    // buttons top to bottom; stops at the first whose action ran, since that action may have
    // deleted this room.
    void update() override;
    // Draws the background, the logo, then the buttons.
    void draw() override;
    // Every button sees every event. Down or Tab (a gamepad's down) highlights the next button,
    // Up or Shift+Tab (its up) the one before; Enter or Space (its A) chooses the highlighted
    // one, which may delete this room. L (a gamepad's Y) switches to the next language.
    void handleEvent(SDL_Event* event) override;
    // Lays the four buttons out under the logo and loads the background and the logo.
    void create() override;
    // Deletes the buttons, the background and the logo that exist.
    void release() override;

    std::uint32_t getButtonCount() const { return buttonCount; }
    Button* getButton(std::uint32_t index) const {
        return index < kButtonCount ? buttons[index] : nullptr;
    }
    // The highlighted button's index, or -1 for none.
    int getHighlight() const { return highlight.get(); }

  private:
    // Makes the next language current, captions the buttons in it and has the Game keep it.
    void nextLanguage();
    // The index of the button at (x, y), or -1.
    int buttonAt(int x, int y) const;
    // The mouse at (x, y): the highlight goes to the button there (or none) when it moved.
    void followMouse(int x, int y);

    std::uint32_t buttonCount = 0;
    Button* buttons[kButtonCount] = {};
    Background* background = nullptr;
    Background* logo = nullptr;
    MenuHighlight highlight{kButtonCount};
    // The line that shows and changes the level set "Graj" plays; nothing without sets.
    SetChooser chooser;
    // Where the mouse was last seen; none at first, so that the first update follows it.
    int mouseX = INT_MIN;
    int mouseY = INT_MIN;
};

// The button actions: the game room, the scoreboard room, the information box, the end of
// the program after the current turn.
void startGame();
void showScoreboard();
void showInfo();
void quitGame();
