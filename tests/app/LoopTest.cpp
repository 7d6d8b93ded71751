// The main loop's turn seen from the rooms: a quit event ends the loop only after the turn, every
// event reaches the room, and a room may replace itself from its own update or event handling.
#include "tests/support/GameHarness.h"

#include "gfx/RenderDevice.h"
#include "rooms/RoomManager.h"
#include "tests/support/Captured.h"

#include <gtest/gtest.h>

namespace {

using zxtest::currentPlace;
using zxtest::GameHarness;
using zxtest::Place;

SDL_Event quitEvent() {
    SDL_Event event{};
    event.type = SDL_QUIT;
    return event;
}

// "Tabela wyników" is the second button: centre x 400, top 312, 48 high.
constexpr int kScoresX = 400;
constexpr int kScoresY = 336;

TEST(MainLoop, EventsAfterTheQuitStillReachTheRoomAndTheTurnCompletes) {
    GameHarness harness;
    ASSERT_TRUE(harness.started());
    ASSERT_EQ(currentPlace(), Place::Menu);
    harness.mouseMove(kScoresX, kScoresY);
    harness.push(quitEvent());
    harness.mouseUp(kScoresX, kScoresY);
    harness.turn();
    // The release after the quit still clicked the button, in the same turn's update, and that
    // turn's frame shows the new room.
    EXPECT_FALSE(harness.game().isRunning());
    EXPECT_EQ(currentPlace(), Place::Scoreboard);
    std::uint32_t panel = harness.pixel(400, 300);
    EXPECT_NE(panel, 0xFFFFFFFFu);
    // run() tests the flag before a turn, so it returns at once; quit() keeps the loop ended.
    harness.game().run();
    EXPECT_EQ(currentPlace(), Place::Scoreboard);
    harness.game().quit();
    EXPECT_FALSE(harness.game().isRunning());
}

TEST(MainLoop, TheQuitEventItselfReachesTheRoom) {
    GameHarness harness;
    ASSERT_TRUE(harness.started());
    harness.mouseMove(kScoresX, kScoresY);
    // A click is a release as the last event a button saw; the quit after it is seen too, so
    // no click happens in this turn.
    harness.mouseUp(kScoresX, kScoresY);
    harness.push(quitEvent());
    harness.turn();
    EXPECT_FALSE(harness.game().isRunning());
    EXPECT_EQ(currentPlace(), Place::Menu);
}

TEST(MainLoop, ARoomReplacedFromItsOwnUpdateAndFromItsEventHandling) {
    GameHarness harness;
    ASSERT_TRUE(harness.started());
    // The menu deletes itself in its update when "Graj" is clicked; the same turn draws the game.
    harness.mouseMove(400, 272);
    harness.mouseUp(400, 272);
    harness.turn();
    ASSERT_EQ(currentPlace(), Place::Game);
    EXPECT_NE(harness.pixel(5, 300), 0xFFFFFFFFu) << "the left wall is drawn in the same turn";
    // Escape answered Yes: the game room deletes itself in its event handling; the following
    // events of that turn go to the new menu.
    harness.answers.push_back(IDYES);
    harness.keyDown(SDLK_ESCAPE);
    harness.mouseMove(kScoresX, kScoresY);
    harness.mouseUp(kScoresX, kScoresY);
    harness.turn();
    EXPECT_EQ(currentPlace(), Place::Scoreboard);
    // Escape released in the scoreboard: the menu again, and the room keeps running.
    harness.keyUp(SDLK_ESCAPE);
    harness.turn();
    EXPECT_EQ(currentPlace(), Place::Menu);
    EXPECT_TRUE(harness.game().isRunning());
}

TEST(MainLoop, SwitchingToTheCurrentRoomNumberBuildsAFreshRoom) {
    GameHarness harness;
    ASSERT_TRUE(harness.started());
    // The old menu is deleted before the new one is built (ASan would flag any later use).
    getRoomManager()->changeRoom(RoomMenu);
    ASSERT_EQ(currentPlace(), Place::Menu);
    harness.turn();
    size_t coloured = 0;
    for (std::uint32_t pixel : harness.frame()) {
        coloured += pixel != 0xFFFFFFFFu;
    }
    EXPECT_GT(coloured, 100000u) << "the new menu draws its background, logo and buttons";
}

} // namespace

// A present that reports the device lost: the device is reset, and every room draws the same
// frame as before, with its state kept (the waiting ball, the lives, the table's rows).
TEST(MainLoop, EveryRoomDrawsTheSameFrameAfterTheDeviceIsReset) {
    zxtest::GameHarness harness;
    ASSERT_TRUE(harness.started());
    for (RoomId room : {RoomMenu, RoomScoreboard, RoomGame}) {
        getRoomManager()->changeRoom(room);
        std::vector<std::uint32_t> before;
        for (int i = 0; i < 600 && (before.empty() || before != harness.frame()); ++i) {
            before = harness.frame();
            harness.turn(); // until the room stands still (the level's banner has passed)
        }
        RenderDevice::loseDeviceAtNextPresent();
        harness.turn();
        EXPECT_EQ(zxtest::stdoutOf([&] { harness.turn(); }), "DirectX device reset!\n") << room;
        EXPECT_EQ(harness.frame(), before) << room;
    }
}
