// Frames of the game room read back from the headless renderer: the first frame after "Graj"
// already shows the bat and the ball in place and no banner outline.
#include "game/Ball.h"
#include "tests/game/GameRoomFixture.h"

#include <gtest/gtest.h>

namespace {

using zxtest::kBallColour;
using zxtest::kBatColour;
using zxtest::kWallColour;

class GameScreenTest : public zxtest::GameRoomFixture {
  protected:
    // Dark pixels (each of red, green and blue below 0x40) in a rectangle of the last frame.
    int darkPixels(int left, int top, int right, int bottom) {
        int count = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                const std::uint32_t p = harness().pixel(x, y);
                count += ((p >> 16) & 0xFF) < 0x40 && ((p >> 8) & 0xFF) < 0x40 && (p & 0xFF) < 0x40;
            }
        }
        return count;
    }
};

TEST_F(GameScreenTest, FirstFrameAfterGrajShowsTheFieldInPlace) {
    ASSERT_NO_FATAL_FAILURE(startQuiet());
    // Release the left button over "Graj" (320..480 x 248..296): the menu switches rooms in
    // its update, and the same turn draws the game room before its first update.
    harness().mouseMove(400, 270);
    harness().turn();
    harness().mouseUp(400, 270);
    harness().turn();
    RGame* game = room();
    ASSERT_NE(game, nullptr);
    ASSERT_EQ(game->getBannerAlpha(), 0u); // no update has run yet

    // The walls' corner is not covered by a bat or a ball at (0, 0).
    EXPECT_EQ(harness().pixel(40, 4), kWallColour);
    EXPECT_EQ(harness().pixel(8, 8), kWallColour);
    // The bat at (352, 560) and the ball at (392, 543).
    EXPECT_EQ(harness().pixel(400, 568), kBatColour);
    EXPECT_EQ(harness().pixel(353, 561), kBatColour);
    EXPECT_EQ(harness().pixel(400, 551), kBallColour);
    // No banner: its outline would be opaque black around an invisible text.
    EXPECT_EQ(darkPixels(200, 152, 600, 202), 0);

    // The second frame shows the same field.
    harness().turn();
    EXPECT_EQ(harness().pixel(40, 4), kWallColour);
    EXPECT_EQ(harness().pixel(400, 568), kBatColour);
    EXPECT_EQ(harness().pixel(400, 551), kBallColour);
}

TEST_F(GameScreenTest, BannerShowsOnceItFadesIn) {
    ASSERT_NO_FATAL_FAILURE(startQuiet());
    ASSERT_NE(enterGame(), nullptr);
    harness().turn(40); // alpha 200, offset 40: the banner's top at 192
    ASSERT_TRUE(room()->isBannerVisible());
    EXPECT_GT(darkPixels(200, 192, 600, 242), 0);
    harness().turn(120); // gone after 150 updates
    EXPECT_FALSE(room()->isBannerVisible());
    EXPECT_EQ(darkPixels(200, 152, 600, 250), 0);
}

TEST_F(GameScreenTest, BallHiddenAfterTheLevelEnds) {
    ASSERT_NO_FATAL_FAILURE(startWithLevels({encodeLevel({})}));
    ASSERT_NE(enterGame(), nullptr);
    harness().turn(); // the level ends in this update, after the ball's own
    EXPECT_EQ(room()->getBall()->getState(), LevelCleared);
    EXPECT_EQ(harness().pixel(400, 551), kBallColour);
    harness().turn(); // the ball's next update hides it
    EXPECT_NE(harness().pixel(400, 551), kBallColour);
    EXPECT_EQ(harness().pixel(400, 568), kBatColour);
}

} // namespace
