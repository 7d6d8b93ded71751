// Tests of the pause: its rules (what pauses, what goes on, the game's own boxes, the length)
// and the game room paused: nothing moves, Escape still asks, the pause's time counts nothing.
#include "app/GameClock.h"
#include "game/Ball.h"
#include "game/Player.h"
#include "rooms/PauseRules.h"
#include "sound/Sound.h"
#include "tests/game/GameRoomFixture.h"
#include "tests/game/GameTestAccess.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

TEST(PauseRules, POrStartPausesOnlyARunInPlayAndGoesOnWithItsLength) {
    PauseRules rules;
    EXPECT_EQ(rules.toggle(false, 100), 0u);
    EXPECT_FALSE(rules.isPaused());
    EXPECT_EQ(rules.toggle(true, 100), 0u);
    EXPECT_TRUE(rules.isPaused());
    // A click does not end a pause asked for with P.
    EXPECT_EQ(rules.click(200), 0u);
    EXPECT_TRUE(rules.isPaused());
    EXPECT_EQ(rules.toggle(true, 1600), 1500u);
    EXPECT_FALSE(rules.isPaused());
}

TEST(PauseRules, LosingTheFocusToAnotherProgramPausesUntilPOrAClick) {
    PauseRules rules;
    rules.focusLost(false, 50); // not in play: nothing
    EXPECT_FALSE(rules.isPaused());
    rules.focusLost(true, 100);
    EXPECT_TRUE(rules.isPaused());
    EXPECT_EQ(rules.click(400), 300u);
    EXPECT_FALSE(rules.isPaused());
    rules.focusLost(true, 500);
    EXPECT_EQ(rules.toggle(true, 900), 400u);
    EXPECT_FALSE(rules.isPaused());
    // Already paused with P, the focus's loss changes nothing: a click still does not go on.
    rules.toggle(true, 1000);
    rules.focusLost(true, 1100);
    EXPECT_EQ(rules.click(1200), 0u);
    EXPECT_TRUE(rules.isPaused());
}

TEST(PauseRules, TheFocusTakenByTheGamesOwnBoxPausesNothing) {
    PauseRules rules;
    rules.ownWindowClosed(1000);
    rules.focusLost(true, 800);  // the box opening, reported after it closed
    rules.focusLost(true, 1000); // in the same millisecond
    EXPECT_FALSE(rules.isPaused());
    rules.focusLost(true, 1001); // afterwards: another program
    EXPECT_TRUE(rules.isPaused());
    // Across the wrap of the millisecond counter.
    PauseRules wrapped;
    wrapped.ownWindowClosed(5);
    wrapped.focusLost(true, 0xFFFFFFF0u);
    EXPECT_FALSE(wrapped.isPaused());
}

class PausedRoomTest : public zxtest::GameRoomFixture {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(startQuiet());
        ASSERT_NE(enterGame(), nullptr);
    }
    void send(Uint32 type, Uint8 windowEvent = 0, Uint32 at = gameClock::milliseconds()) {
        SDL_Event event{};
        event.type = type;
        event.window.event = windowEvent;
        event.window.timestamp = at;
        room()->handleEvent(&event);
    }
};

TEST_F(PausedRoomTest, NothingMovesUntilPAgainAndEscapeStillAsks) {
    RGame* game = room();
    press(SDLK_SPACE);
    press(SDLK_d);
    harness().turn(20);
    const std::uint32_t bannerAlpha = game->getBannerAlpha();
    GameTestAccess::setHitTime(*game->getBall(), 5000);
    press(SDLK_p);
    const std::uint32_t batX = game->getPlayer()->getX();
    const std::uint32_t ballY = game->getBall()->getY();
    harness().turn(10);
    EXPECT_TRUE(getSound()->isSilenced());
    EXPECT_EQ(game->getPlayer()->getX(), batX);
    EXPECT_EQ(game->getBall()->getY(), ballY);
    EXPECT_EQ(game->getBannerAlpha(), bannerAlpha);
    harness().answers.push_back(IDNO);
    const std::size_t boxes = harness().boxes.size();
    press(SDLK_ESCAPE);
    EXPECT_EQ(harness().boxes.size(), boxes + 1);
    EXPECT_TRUE(game->isPaused());
    // The pause's time, in the game's updates, moves the bat's highlight clock on.
    press(SDLK_p);
    EXPECT_GE(GameTestAccess::hitTime(*game->getBall()), 5000u + gameClock::millisecondsAt(10));
    harness().turn();
    EXPECT_NE(game->getBall()->getY(), ballY);
    EXPECT_FALSE(getSound()->isSilenced());
    // Leaving a paused run for the menu lifts the silence.
    press(SDLK_p);
    ASSERT_TRUE(getSound()->isSilenced());
    harness().answers.push_back(IDYES);
    press(SDLK_ESCAPE);
    EXPECT_FALSE(getSound()->isSilenced());
}

TEST_F(PausedRoomTest, FocusLostToAnotherProgramPausesUntilAClickButNotToTheQuestion) {
    RGame* game = room();
    send(SDL_WINDOWEVENT, SDL_WINDOWEVENT_FOCUS_LOST);
    EXPECT_TRUE(game->isPaused());
    send(SDL_MOUSEBUTTONDOWN);
    EXPECT_FALSE(game->isPaused());
    // The question's box took the focus; its loss is reported once the box has closed.
    harness().answers.push_back(IDNO);
    const Uint32 opened = gameClock::milliseconds();
    press(SDLK_ESCAPE);
    send(SDL_WINDOWEVENT, SDL_WINDOWEVENT_FOCUS_LOST, opened);
    EXPECT_FALSE(game->isPaused());
}

} // namespace
