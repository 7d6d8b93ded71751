// Tests of the ball: waiting on the bat, the launch, the walls, the loss of a life and the bat.
#include "game/Ball.h"
#include "app/GameClock.h"
#include "game/GameRandom.h"
#include "game/PlayField.h"
#include "game/Player.h"
#include "gfx/Sprite.h"
#include "tests/game/GameRoomFixture.h"
#include "tests/game/GameTestAccess.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class BallTest : public zxtest::GameRoomFixture {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(startQuiet());
        ASSERT_NE(enterGame(), nullptr);
        ball = room()->getBall();
        bat = room()->getPlayer();
        ASSERT_NE(ball, nullptr);
        ASSERT_NE(bat, nullptr);
    }
    // Puts the ball in flight at (x, y) with the steps.
    void fly(std::uint32_t x, std::uint32_t y, std::int32_t dx, std::int32_t dy) {
        GameTestAccess::fly(*ball, x, y, dx, dy);
    }
    // Puts the ball in flight as fly does, then runs one update of the ball.
    void flyOnce(std::uint32_t x, std::uint32_t y, std::int32_t dx, std::int32_t dy) {
        fly(x, y, dx, dy);
        ball->update();
    }
    D3DCOLOR batColour() const { return bat->getSprite()->getColour(); }

    Ball* ball = nullptr;
    Player* bat = nullptr;
};

TEST_F(BallTest, RestsOnTheBatAndFollowsIt) {
    EXPECT_EQ(ball->getState(), Waiting);
    EXPECT_EQ(ball->getX(), 392u);
    EXPECT_EQ(ball->getY(), 543u);
    EXPECT_EQ(ball->getDx(), 0);
    EXPECT_EQ(ball->getDy(), 0);
    EXPECT_EQ(ball->getSprite()->getPosition().x, 392.0f); // placed when made
    EXPECT_EQ(ball->getSprite()->getPosition().y, 543.0f);
    GameTestAccess::place(*bat, 100, kBatTop);
    ball->update();
    EXPECT_EQ(ball->getX(), 140u);
    EXPECT_EQ(ball->getY(), 543u);
    EXPECT_EQ(ball->getSprite()->getPosition().x, 140.0f);
}

TEST_F(BallTest, LaunchTakesTheBatSpeedAndASeededRandomRise) {
    for (unsigned seed : {1u, 2u, 3u, 77u}) {
        gameRandom().seed(seed);
        const int expected = -(gameRandom().next() % 3 + 6);
        gameRandom().seed(seed);
        GameTestAccess::setSpeed(*bat, seed == 77u ? -6 : 0);
        GameTestAccess::place(*ball, kBallRestX, kBallRestY);
        ball->setState(Launch);
        ball->update();
        EXPECT_EQ(ball->getState(), Flying);
        EXPECT_EQ(ball->getDy(), expected) << seed;
        EXPECT_GE(ball->getDy(), -8);
        EXPECT_LE(ball->getDy(), -6);
        EXPECT_EQ(ball->getDx(), seed == 77u ? -6 : 0);
        EXPECT_EQ(ball->getX(), kBallRestX); // no step in the launch update
        EXPECT_EQ(ball->getY(), kBallRestY);
    }
}

TEST_F(BallTest, TurnsAtTheSideWalls) {
    flyOnce(kWallWidth + 8, 300, -9, -6); // 40 - 9 = 31 < 32
    EXPECT_EQ(ball->getDx(), 9);
    EXPECT_EQ(ball->getX(), kWallWidth + 17);
    flyOnce(kWallWidth + 9, 300, -9, -6);
    EXPECT_EQ(ball->getDx(), -9);
    EXPECT_EQ(ball->getX(), kWallWidth);
    flyOnce(kRightWallLimit, 300, 5, -6); // the right test looks at the current x
    EXPECT_EQ(ball->getDx(), 5);
    EXPECT_EQ(ball->getX(), kRightWallLimit + 5);
    flyOnce(kRightWallLimit + 1, 300, 5, -6);
    EXPECT_EQ(ball->getDx(), -5);
    EXPECT_EQ(ball->getX(), kRightWallLimit - 4);
}

TEST_F(BallTest, ABallTheBatSlowsInTheRightWallStillLeavesIt) {
    // The bat runs right at 10 into the corner as the ball enters the wall above it.
    GameTestAccess::place(*bat, 652, kBatTop);
    GameTestAccess::setSpeed(*bat, 10);
    press(SDLK_d);
    fly(748, 543, 10, 6);
    // At 758 it turns to -10, the bat adds 10 / 2, and from 753 it goes on left at 5.
    for (std::uint32_t x : {758u, 753u, 748u, 743u, 738u}) {
        room()->update();
        EXPECT_EQ(ball->getX(), x);
    }
}

TEST_F(BallTest, TurnsAtTheTopWall) {
    flyOnce(300, kWallWidth + 6, 0, -7); // 31 < 32
    EXPECT_EQ(ball->getDy(), 7);
    EXPECT_EQ(ball->getY(), kWallWidth + 13);
    flyOnce(300, kWallWidth + 7, 0, -7);
    EXPECT_EQ(ball->getDy(), -7);
    EXPECT_EQ(ball->getY(), kWallWidth);
}

TEST_F(BallTest, ALostBallWaitsOnTheBatAtOnceAndRelaunchesFromThere) {
    ASSERT_EQ(room()->getLives(), 3u);
    flyOnce(200, kBallLowest, 3, 7); // not below yet
    EXPECT_EQ(ball->getState(), Flying);
    flyOnce(757, kBallLowest + 1, 5, 7); // lost in the bottom right corner
    EXPECT_EQ(room()->getLives(), 2u);
    EXPECT_EQ(ball->getState(), Waiting);
    EXPECT_EQ(ball->getX(), kBallRestX);
    EXPECT_EQ(ball->getY(), kBallRestY);
    // Space handled in the very next turn: the ball rises from the bat.
    press(SDLK_SPACE);
    room()->update();
    room()->update();
    EXPECT_EQ(ball->getState(), Flying);
    EXPECT_EQ(ball->getX(), kBallRestX);
    EXPECT_LT(ball->getY(), kBallRestY);
}

TEST_F(BallTest, LosingTheLastLifeEndsTheRunWhereTheBallWas) {
    room()->setLives(1);
    flyOnce(200, 570, 3, 7);
    EXPECT_EQ(ball->getState(), Lost);
    EXPECT_EQ(room()->getLives(), 1u);
    EXPECT_EQ(ball->getX(), 200u);
    EXPECT_EQ(ball->getY(), 570u);
    ball->update();
    EXPECT_FALSE(GameTestAccess::isVisible(*ball));
}

TEST_F(BallTest, TopContactAddsHalfTheBatSpeedCappedAtTen) {
    GameTestAccess::setSpeed(*bat, 8);
    flyOnce(392, 546, 8, 6); // centre (400, 554): top band; next centre (408, 560) on the moved bat
    EXPECT_EQ(ball->getDy(), -6);
    EXPECT_EQ(ball->getDx(), 10); // 8 + 4 = 12 becomes 10
    EXPECT_EQ(ball->getX(), 402u);
    EXPECT_EQ(ball->getY(), 540u);
    flyOnce(392, 546, 7, 6);
    EXPECT_EQ(ball->getDx(), 11); // 7 + 4 = 11 stays
    fly(392, 546, -8, 6);
    GameTestAccess::setSpeed(*bat, -8);
    ball->update();
    EXPECT_EQ(ball->getDx(), -10);
}

TEST_F(BallTest, SideContactWithARestingBatStopsTheHorizontalStep) {
    flyOnce(337, 556, 8, 6); // centre (345, 564): left band of the bat
    EXPECT_EQ(ball->getDx(), 0);
    EXPECT_EQ(ball->getDy(), 6);
    EXPECT_EQ(ball->getX(), 337u);
    EXPECT_EQ(ball->getY(), 562u);
}

TEST_F(BallTest, BatTurnsTranslucentAtAContactAndOpaqueAfter200Ms) {
    ASSERT_EQ(batColour(), 0xFFFFFFFFu);
    flyOnce(392, 546, 0, 6);
    EXPECT_EQ(batColour(), 0x64FFFFFFu);
    const std::uint32_t contact = GameTestAccess::hitTime(*ball);
    EXPECT_EQ(contact, gameClock::milliseconds());
    // Without contact, less than 200 ms after it: still translucent.
    flyOnce(300, 300, 0, -6);
    EXPECT_EQ(batColour(), 0x64FFFFFFu);
    // 200 ms after the contact: opaque again.
    GameTestAccess::setHitTime(*ball, gameClock::milliseconds() - 200);
    ball->update();
    EXPECT_EQ(batColour(), 0xFFFFFFFFu);
}

TEST_F(BallTest, EndStatesHideTheBall) {
    for (BallState state : {Lost, LevelCleared, GameCompleted}) {
        ball->setState(Waiting);
        ball->update();
        EXPECT_TRUE(GameTestAccess::isVisible(*ball));
        ball->setState(state);
        ball->update();
        EXPECT_FALSE(GameTestAccess::isVisible(*ball)) << state;
    }
}

} // namespace
