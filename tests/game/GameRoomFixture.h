// GameRoomFixture: a headless game started on a test pack, switched to the game room.
#pragma once

#include "rooms/RGame.h"
#include "tests/game/GamePack.h"
#include "tests/support/GameHarness.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace zxtest {

// A level of one green stone far from the ball's path, so that a level never ends by itself.
std::vector<std::uint8_t> quietLevel();

// Runs count updates of a room or a game object.
template <typename Updated> void updateTimes(Updated& object, int count) {
    for (int i = 0; i < count; ++i) {
        object.update();
    }
}

class GameRoomFixture : public ::testing::Test {
  protected:
    // Starts a game on the pack of these files (written to a temporary folder). Name dialogs
    // are answered OK with "Tester" and counted in namesAsked.
    void start(const std::vector<PackFile>& files);
    // Starts a game on every picture with the levels given as levels 1, 2, ...
    void startWithLevels(const std::vector<std::vector<std::uint8_t>>& levels);
    // Starts a game on every picture with levels 1 to 6 of one quiet stone each.
    void startQuiet();
    // Switches to the game room; the room, or null when it did not stay current.
    RGame* enterGame();
    // The current game room, or null.
    RGame* room() const;
    GameHarness& harness() { return *game; }
    // Hands a key-down event of key to the game room.
    void press(SDL_Keycode key);
    // Removes the name dialog's answerer.
    void TearDown() override;

    std::unique_ptr<GameHarness> game;
    // How many name dialogs were shown (each answered OK with "Tester").
    int namesAsked = 0;
};

} // namespace zxtest
