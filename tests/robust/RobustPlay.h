// RobustPlay: a short scripted visit of every room that the robustness tests run on packs made
// from the built one with entries left out or replaced.
#pragma once

#include "game/Ball.h"
#include "tests/support/GameHarness.h"
#include "tests/support/PackFiles.h"

#include <cstdint>
#include <string>
#include <vector>

namespace robust {

// Clicks menu button index (0 "Graj" to 3 "Wyjście") at its top-left pixel, which counts as over
// the button with or without its picture, and runs the turn that acts on it.
void clickMenuButton(zxtest::GameHarness& harness, int index);
// Presses and releases a key, one turn each.
void tapKey(zxtest::GameHarness& harness, SDL_Keycode key);

// Breaks every solid stone of the game room as the ball's strikes do (points, breaking picture,
// floating text) and runs turns for the breaking animations.
void breakAllStones(zxtest::GameHarness& harness);

// What the short visit saw.
struct PlayLog {
    bool sawScoreboard = false;
    bool sawGame = false;
    int namesAsked = 0;           // name dialogs at the run's end
    std::int32_t lastLevel = 0;   // the level the run ended on (0: no game room)
    BallState endState = Waiting; // the ball's state when the run ended
    bool backInMenu = false;      // Escape answered Yes brought back the menu
};

// The short visit: the menu, the scoreboard and back, "Graj"; in the game room Space and some
// turns with the bat moving, then every level broken in turn and Enter until the run ends (lost
// or completed, the name dialog answered OK), then Escape answered Yes. Without a game room (a
// refused first level) it stops in the menu.
PlayLog playALittle(zxtest::GameHarness& harness);

// Texts of the message boxes shown so far that are not "Invalid data!" nor the Escape question.
std::vector<std::string> unexpectedBoxes(const zxtest::GameHarness& harness);
// Number of "Invalid data!" boxes shown so far.
int invalidDataBoxes(const zxtest::GameHarness& harness);

} // namespace robust
