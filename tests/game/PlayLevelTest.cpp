// Plays level 1 to its end with the bat steered by code, through the main loop's turns and
// real key events, then moves on to level 2 with Enter; and seeded games watched for walls.
#include "game/Ball.h"
#include "game/GameRandom.h"
#include "game/PlayField.h"
#include "game/Player.h"
#include "game/Stone.h"
#include "tests/game/GameRoomFixture.h"
#include "tests/game/GameTestAccess.h"
#include "tests/support/Captured.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Where the ball's centre will be when it comes down to the bat's top, following the ball's
// own wall rules and ignoring stones.
std::int32_t landingCentre(const Ball& ball) {
    std::int32_t x = static_cast<std::int32_t>(ball.getX());
    std::int32_t y = static_cast<std::int32_t>(ball.getY());
    std::int32_t dx = ball.getDx();
    std::int32_t dy = ball.getDy();
    // Until the next step brings its lower edge down to the bat's row (544).
    const std::int32_t wall = kWallWidth, rightLimit = kRightWallLimit,
                       lowest = kBatTop - kBallSize;
    for (int step = 0; step < 400 && !(dy > 0 && y + dy >= lowest); ++step) {
        if (x + dx < wall) {
            dx = -dx;
        } else if (dx > 0 && x > rightLimit) {
            dx = -dx;
        }
        if (y + dy < wall) {
            dy = -dy;
        }
        x += dx;
        y += dy;
    }
    return x + dx + static_cast<std::int32_t>(kBallSize) / 2;
}

// Steers the bat with the keys a and d so that its centre stands under a target.
class Steering {
  public:
    explicit Steering(zxtest::GameHarness& harness) : key(harness) {}

    void towards(const Player& bat, std::int32_t target) {
        const std::int32_t centre = static_cast<std::int32_t>(bat.getX() + kBatWidth / 2);
        key.hold(target > centre + 8 ? SDLK_d : target < centre - 8 ? SDLK_a : 0);
    }

  private:
    zxtest::HeldKey key;
};

class PlayLevelTest : public zxtest::GameRoomFixture {};

TEST_F(PlayLevelTest, PlaysLevelOneToItsEndAndMovesOnWithEnter) {
    // Level 1: two rows of stones of all three kinds; level 2: three stones.
    const std::vector<StoneRecord> level1 = {
        {1, 96, 96},   {2, 224, 96},  {3, 352, 96},  {1, 480, 96},  {2, 608, 96},
        {3, 160, 160}, {1, 288, 160}, {2, 416, 160}, {3, 544, 160},
    };
    ASSERT_NO_FATAL_FAILURE(startWithLevels(
        {encodeLevel(level1), encodeLevel({{3, 100, 100}, {2, 300, 100}, {1, 500, 100}})}));
    ASSERT_NE(enterGame(), nullptr);
    gameRandom().seed(2024); // the launches and the free-life rolls follow from it

    std::uint32_t stoneValues = 0;
    for (std::uint32_t i = 0; i < room()->getStoneCount(); ++i) {
        stoneValues += static_cast<std::uint32_t>(room()->getStone(i)->getPoints());
    }
    ASSERT_EQ(stoneValues, 3u * 10u + 3u * 50u + 3u * 100u);

    Steering steering(harness());
    int spacePresses = 0;
    std::int32_t launchTarget = 0;
    int turns = 0;
    for (; turns < 6000; ++turns) {
        RGame* game = room();
        ASSERT_NE(game, nullptr);
        const Ball& ball = *game->getBall();
        const Player& bat = *game->getPlayer();
        if (ball.getState() == LevelCleared || ball.getState() == Lost) {
            break;
        }
        if (ball.getState() == Waiting) {
            // Launch while moving towards the wider side, so the ball leaves at an angle.
            if (launchTarget == 0) {
                launchTarget = bat.getX() < kBatStartX ? 10000 : -10000;
            }
            steering.towards(bat, launchTarget);
            if (std::abs(bat.getSpeed()) >= 6) {
                harness().keyDown(SDLK_SPACE);
                ++spacePresses;
            }
        } else if (ball.getState() == Flying) {
            launchTarget = 0;
            steering.towards(bat, landingCentre(ball));
        }
        harness().turn();
    }
    RGame* game = room();
    ASSERT_NE(game, nullptr);
    ASSERT_EQ(game->getBall()->getState(), LevelCleared) << "after " << turns << " turns";
    for (std::uint32_t i = 0; i < game->getStoneCount(); ++i) {
        EXPECT_FALSE(game->getStone(i)->isSolid()) << i;
    }
    EXPECT_EQ(game->getPoints(), stoneValues);
    const std::uint32_t lives = game->getLives();
    EXPECT_GE(lives, 1u);
    EXPECT_GE(spacePresses, 1);

    const std::string log = zxtest::stdoutOf([this] {
        harness().keyDown(SDLK_RETURN);
        harness().turn();
    });
    game = room();
    ASSERT_NE(game, nullptr);
    char bonusLine[64];
    std::snprintf(bonusLine, sizeof bonusLine, "dodatkowo %f\n",
                  static_cast<double>(levelBonus(stoneValues, lives)));
    EXPECT_NE(log.find(bonusLine), std::string::npos) << log;
    EXPECT_EQ(game->getTotalScore(), pointsWithBonus(stoneValues, lives));
    EXPECT_EQ(game->getLevel(), 2);
    EXPECT_EQ(game->getStoneCount(), 3u);
    EXPECT_EQ(game->getLives(), 3u);
    EXPECT_EQ(game->getPoints(), 0u);
    EXPECT_EQ(game->getBall()->getState(), Waiting);
}

TEST_F(PlayLevelTest, SeededGamesNeverKeepTheBallInsideASideWall) {
    ASSERT_NO_FATAL_FAILURE(startQuiet());
    int catches = 0, longestStay = 0; // updates in a row in a side wall, moving sideways
    for (unsigned seed = 1; seed <= 60; ++seed) {
        ASSERT_NE(enterGame(), nullptr);
        gameRandom().seed(seed);
        // The ball flies into the bottom right corner as the bat dashes right at 10 to meet it.
        Ball& ball = *room()->getBall();
        Player& bat = *room()->getPlayer();
        const std::uint32_t r = static_cast<std::uint32_t>(gameRandom().next());
        GameTestAccess::fly(ball, 744 + r % 9, 536 + r / 9 % 11,
                            4 + static_cast<std::int32_t>(r / 99 % 8),
                            6 + static_cast<std::int32_t>(r / 792 % 3));
        GameTestAccess::place(bat, 642 + 2 * (r / 2376 % 11), kBatTop);
        GameTestAccess::setSpeed(bat, 10);
        // Run right until the first catch, then meet the ball on a random part of the bat.
        Steering steering(harness());
        std::int32_t aim = 10000;
        int stay = 0;
        for (int turn = 0; turn < 600 && ball.getState() == Flying; ++turn) {
            steering.towards(bat, landingCentre(ball) + aim);
            const std::int32_t dy = ball.getDy();
            harness().step();
            if (dy > 0 && ball.getDy() < 0 && ball.getY() > kBatTop / 2) {
                aim = std::rand() % 97 - 48;
                ++catches;
            }
            const bool inWall = ball.getX() < kWallWidth || ball.getX() > kRightWallLimit;
            stay = inWall && ball.getDx() != 0 ? stay + 1 : 0;
            longestStay = std::max(longestStay, stay);
        }
    }
    EXPECT_GT(catches, 100);
    // A ball enters a wall by at most one step (11); turned, it is out within 11 updates.
    EXPECT_LE(longestStay, 12);
}

} // namespace
