// Tests of the game room: level loading, stone strikes, the level's end, the run's end, the
// bonus, the banner, the keys, and the refusal of missing or short levels.
#include "app/Game.h"
#include "game/Ball.h"
#include "game/Player.h"
#include "game/SetInPlay.h"
#include "game/Stone.h"
#include "pack/PackerReader.h"
#include "rooms/RoomManager.h"
#include "score/ScoreTable.h"
#include "tests/game/GameRoomFixture.h"
#include "tests/game/GameTestAccess.h"
#include "tests/support/BoxCheck.h"
#include "tests/support/Captured.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

namespace {

using zxtest::quietLevel;
using zxtest::stdoutOf;
using zxtest::updateTimes;

class RGameTest : public zxtest::GameRoomFixture {
  protected:
    // Starts on the pictures, the given level 1 and quiet levels 2 to 6.
    void startWithLevel1(const std::vector<std::uint8_t>& level1) {
        std::vector<std::vector<std::uint8_t>> levels(kBuiltInLevelCount, quietLevel());
        levels[0] = level1;
        startWithLevels(levels);
    }
    // Breaks every stone of the level without points, as if the ball had struck them.
    void breakAll() {
        for (std::uint32_t i = 0; i < room()->getStoneCount(); ++i) {
            room()->getStone(i)->setSolid(false);
        }
    }
    // The run recorded on top of the score table; with alone, the only record in it.
    void expectRecorded(std::uint32_t points, bool alone = false) {
        ASSERT_NE(getScoreTable()->at(0), nullptr);
        EXPECT_EQ(getScoreTable()->at(0)->points, points);
        if (alone) {
            EXPECT_EQ(getScoreTable()->at(1), nullptr);
        }
    }
};

TEST_F(RGameTest, CreateLoadsLevelOneWithThreeLivesAndTheBanner) {
    ASSERT_NO_FATAL_FAILURE(startWithLevel1(
        encodeLevel({{1, 96.9f, 64.5f}, {2, 200, 64}, {3, 300, 64}, {7, 400, 64}, {0, 500, 64}})));
    RGame* game = nullptr;
    const std::string log = stdoutOf([&] { game = enterGame(); });
    ASSERT_NE(game, nullptr);
    EXPECT_NE(log.find("Loading level \"Level1.zxm\"...\n"), std::string::npos) << log;
    EXPECT_NE(log.find("Loaded level \"Level1.zxm\"!\n"), std::string::npos) << log;
    EXPECT_EQ(game->getLevel(), 1);
    EXPECT_EQ(game->getLives(), 3u);
    EXPECT_EQ(game->getPoints(), 0u);
    EXPECT_EQ(game->getTotalScore(), 0u);
    EXPECT_TRUE(game->isBannerVisible());
    EXPECT_EQ(game->getBannerAlpha(), 0u);
    ASSERT_EQ(game->getStoneCount(), 5u);
    EXPECT_EQ(game->getStone(0)->getX(), 96u);
    EXPECT_EQ(game->getStone(0)->getY(), 64u);
    const StoneColour colours[] = {Purple, Orange, Green, Green, Green};
    const std::int32_t points[] = {10, 50, 100, 100, 100};
    for (std::uint32_t i = 0; i < 5; ++i) {
        EXPECT_EQ(game->getStone(i)->getColour(), colours[i]) << i;
        EXPECT_EQ(game->getStone(i)->getPoints(), points[i]) << i;
    }
    EXPECT_EQ(game->getStone(5), nullptr);
    EXPECT_EQ(game->getBall()->getState(), Waiting);
    EXPECT_EQ(game->getPlayer()->getX(), 352u);
}

TEST_F(RGameTest, EmptyLevelEndsAtTheFirstUpdate) {
    ASSERT_NO_FATAL_FAILURE(startWithLevel1(encodeLevel({})));
    RGame* game = enterGame();
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->getStoneCount(), 0u);
    game->update();
    EXPECT_EQ(game->getBall()->getState(), LevelCleared);
    EXPECT_EQ(game->getTotalScore(), 0u); // the bonus waits for Enter
}

TEST_F(RGameTest, StrikeCreditsBreaksAndReversesOneStep) {
    // A ball below a green stone, rising into it.
    ASSERT_NO_FATAL_FAILURE(startWithLevel1(encodeLevel({{3, 200, 100}, {1, 500, 100}})));
    RGame* game = enterGame();
    Ball* ball = game->getBall();
    GameTestAccess::fly(*ball, 224, 130, 2, -6); // centre (232, 138); next centre (232, 132)
    game->update();
    Stone* struck = game->getStone(0);
    EXPECT_FALSE(struck->isSolid());
    EXPECT_TRUE(struck->isTextVisible());
    EXPECT_EQ(game->getPoints(), 100u);
    EXPECT_EQ(ball->getDy(), 6); // bottom face: vertical step reversed
    EXPECT_EQ(ball->getDx(), 2);
    EXPECT_TRUE(game->getStone(1)->isSolid());
    // A broken stone is never struck again.
    GameTestAccess::place(*ball, 224, 130);
    ball->setDy(-6);
    game->update();
    EXPECT_EQ(game->getPoints(), 100u);
    EXPECT_EQ(ball->getDy(), -6);
}

TEST_F(RGameTest, SideStrikeReversesTheHorizontalStep) {
    ASSERT_NO_FATAL_FAILURE(startWithLevel1(encodeLevel({{2, 200, 100}, {1, 500, 300}})));
    RGame* game = enterGame();
    Ball* ball = game->getBall();
    GameTestAccess::fly(*ball, 188, 104, 4, 0); // centre (196, 112): left band; next (200, 112)
    game->update();
    EXPECT_FALSE(game->getStone(0)->isSolid());
    EXPECT_EQ(game->getPoints(), 50u);
    EXPECT_EQ(ball->getDx(), -4);
}

TEST_F(RGameTest, TwoStonesStruckInOneUpdateReverseTheStepTwice) {
    // Two stones one above the other: their shared edge is inside both.
    ASSERT_NO_FATAL_FAILURE(
        startWithLevel1(encodeLevel({{3, 200, 100}, {2, 200, 132}, {1, 500, 300}})));
    RGame* game = enterGame();
    Ball* ball = game->getBall();
    GameTestAccess::fly(*ball, 224, 130, 0, -6); // next centre (232, 132) on the shared edge
    game->update();
    EXPECT_FALSE(game->getStone(0)->isSolid());
    EXPECT_FALSE(game->getStone(1)->isSolid());
    EXPECT_TRUE(game->getStone(2)->isSolid());
    EXPECT_EQ(game->getPoints(), 150u);
    EXPECT_EQ(ball->getDy(), -6); // reversed twice
    EXPECT_EQ(ball->getY(), 124u);
}

TEST_F(RGameTest, BannerFadesInSlidesAndVanishesAfter150Updates) {
    ASSERT_NO_FATAL_FAILURE(startQuiet());
    RGame* game = enterGame();
    updateTimes(*game, 51);
    EXPECT_EQ(game->getBannerAlpha(), 255u);
    EXPECT_EQ(game->getBannerOffset(), 51u);
    updateTimes(*game, 48); // to the 99th
    EXPECT_EQ(game->getBannerAlpha(), 255u);
    game->update(); // the 100th: the fade-out starts in the same update
    EXPECT_EQ(game->getBannerAlpha(), 250u);
    EXPECT_EQ(game->getBannerOffset(), 101u);
    updateTimes(*game, 49); // to the 149th
    EXPECT_TRUE(game->isBannerVisible());
    EXPECT_EQ(game->getBannerAlpha(), 5u);
    game->update(); // the 150th
    EXPECT_FALSE(game->isBannerVisible());
    EXPECT_EQ(game->getBannerAlpha(), 0u);
    EXPECT_EQ(game->getBannerOffset(), 151u);
}

TEST_F(RGameTest, SpaceLaunchesOnlyAWaitingBallAndEnterWaitsForTheEnd) {
    ASSERT_NO_FATAL_FAILURE(startQuiet());
    RGame* game = enterGame();
    press(SDLK_RETURN);
    EXPECT_EQ(game->getBall()->getState(), Waiting);
    press(SDLK_SPACE);
    EXPECT_EQ(game->getBall()->getState(), Launch);
    game->update();
    EXPECT_EQ(game->getBall()->getState(), Flying);
    press(SDLK_SPACE);
    press(SDLK_RETURN);
    EXPECT_EQ(game->getBall()->getState(), Flying);
    EXPECT_EQ(game->getLevel(), 1);
    // The bat gets the room's events.
    press(SDLK_d);
    EXPECT_EQ(GameTestAccess::direction(*game->getPlayer()), DirRight);
}

TEST_F(RGameTest, EnterAfterAClearedLevelAddsTheBonusAndLoadsTheNext) {
    ASSERT_NO_FATAL_FAILURE(startQuiet());
    RGame* game = enterGame();
    GameTestAccess::setLevel(*game, 3);
    GameTestAccess::setTotalScore(*game, 700);
    GameTestAccess::setPoints(*game, 1500);
    game->setLives(2);
    breakAll();
    game->update();
    ASSERT_EQ(game->getBall()->getState(), LevelCleared);
    EXPECT_EQ(game->getTotalScore(), 700u);
    const std::string log = stdoutOf([this] { press(SDLK_RETURN); });
    EXPECT_NE(log.find("dodatkowo 300.000000\n"), std::string::npos) << log;
    EXPECT_NE(log.find("Loading level \"Level4.zxm\"...\n"), std::string::npos) << log;
    EXPECT_EQ(game->getTotalScore(), 700u + 1800u);
    EXPECT_EQ(game->getLevel(), 4);
    EXPECT_EQ(game->getLives(), 3u);
    EXPECT_EQ(game->getPoints(), 0u);
    EXPECT_EQ(game->getBall()->getState(), Waiting);
    EXPECT_TRUE(game->isBannerVisible());
    EXPECT_TRUE(game->getStone(0)->isSolid());
}

TEST_F(RGameTest, ClearingLevelSixRecordsTheRunAtOnce) {
    ASSERT_NO_FATAL_FAILURE(startQuiet());
    RGame* game = enterGame();
    GameTestAccess::setLevel(*game, 6);
    GameTestAccess::setTotalScore(*game, 5000);
    GameTestAccess::setPoints(*game, 1000);
    breakAll();
    game->update();
    EXPECT_EQ(game->getBall()->getState(), GameCompleted);
    EXPECT_EQ(game->getPoints(), 1300u);
    EXPECT_EQ(game->getTotalScore(), 6300u);
    EXPECT_TRUE(GameTestAccess::levelEndHandled(*game));
    updateTimes(*game, 5);
    EXPECT_EQ(game->getTotalScore(), 6300u); // once
    EXPECT_EQ(namesAsked, 1);
    expectRecorded(6300);
    EXPECT_STREQ(getScoreTable()->at(0)->name, "Tester");
    // Enter starts a new run at level 1.
    press(SDLK_RETURN);
    EXPECT_EQ(game->getLevel(), 1);
    EXPECT_EQ(game->getTotalScore(), 0u);
    EXPECT_EQ(game->getBall()->getState(), Waiting);
    EXPECT_TRUE(game->isBannerVisible());
}

TEST_F(RGameTest, LosingTheLastLifeRecordsTheRunOnce) {
    ASSERT_NO_FATAL_FAILURE(startQuiet());
    RGame* game = enterGame();
    GameTestAccess::setTotalScore(*game, 2000);
    GameTestAccess::setPoints(*game, 340);
    game->setLives(1);
    Ball* ball = game->getBall();
    GameTestAccess::fly(*ball, 200, 570, 0, 7);
    game->update();
    EXPECT_EQ(ball->getState(), Lost);
    EXPECT_EQ(game->getLives(), 1u);
    EXPECT_EQ(game->getTotalScore(), 2340u);
    EXPECT_TRUE(GameTestAccess::lossRecorded(*game));
    updateTimes(*game, 20);
    EXPECT_EQ(game->getTotalScore(), 2340u);
    EXPECT_EQ(namesAsked, 1);
    ASSERT_NO_FATAL_FAILURE(expectRecorded(2340, true));
    press(SDLK_SPACE);
    EXPECT_EQ(ball->getState(), Lost);
    press(SDLK_RETURN);
    EXPECT_EQ(game->getLevel(), 1);
    EXPECT_EQ(game->getTotalScore(), 0u);
    EXPECT_EQ(game->getLives(), 3u);
    EXPECT_EQ(game->getBall()->getState(), Waiting);
    EXPECT_FALSE(GameTestAccess::lossRecorded(*game));
}

TEST_F(RGameTest, EscapeAnsweredNoKeepsTheRun) {
    ASSERT_NO_FATAL_FAILURE(startQuiet());
    RGame* game = enterGame();
    GameTestAccess::setPoints(*game, 120);
    game->setLives(2);
    const std::size_t before = harness().boxes.size();
    harness().answers.push_back(IDNO);
    press(SDLK_ESCAPE);
    ASSERT_EQ(harness().boxes.size(), before + 1);
    EXPECT_EQ(harness().boxes.back(),
              (MessageBoxCall{GetActiveWindow(),
                              "Jeste\x9C pewny, \xBF"
                              "e chcesz wr\xF3\xE6i\xE6 do menu?",
                              "Zembrix", true, MB_YESNO | MB_ICONQUESTION}));
    EXPECT_EQ(room(), game);
    EXPECT_EQ(game->getPoints(), 120u);
    EXPECT_EQ(game->getLives(), 2u);
    EXPECT_EQ(game->getBall()->getState(), Waiting);
}

TEST_F(RGameTest, EscapeAnsweredYesReturnsToTheMenuWithoutARecord) {
    ASSERT_NO_FATAL_FAILURE(startQuiet());
    RGame* game = enterGame();
    GameTestAccess::setPoints(*game, 120);
    harness().answers.push_back(IDYES);
    press(SDLK_ESCAPE); // the room is gone afterwards
    EXPECT_EQ(room(), nullptr);
    EXPECT_NE(getRoomManager()->getCurrentRoom(), nullptr);
    harness().turn(2); // the menu runs on
    EXPECT_EQ(namesAsked, 0);
    EXPECT_EQ(getScoreTable()->at(0), nullptr);
}

// Starts on a pack whose level 1 is missing or refused; entering the game must show
// "Invalid data!" and come back to the menu.
class RefusedLevelTest : public RGameTest {
  protected:
    // Runs step (which enters the game or restarts the run) and expects the menu back.
    void expectBackInTheMenuAfter(const std::function<void()>& step) {
        const std::size_t boxesBefore = harness().boxes.size();
        step();
        EXPECT_EQ(room(), nullptr);
        EXPECT_NE(getRoomManager()->getCurrentRoom(), nullptr);
        // The room's box comes first; the new menu may add its own after it.
        ASSERT_GT(harness().boxes.size(), boxesBefore);
        EXPECT_EQ(harness().boxes[boxesBefore], zxtest::invalidDataBox());
        harness().turn(2);
    }
};

TEST_F(RefusedLevelTest, MissingFirstLevelReturnsToTheMenu) {
    ASSERT_NO_FATAL_FAILURE(startWithLevels({}));
    expectBackInTheMenuAfter([this] { enterGame(); });
}

TEST_F(RefusedLevelTest, ShortFirstLevelIsRefusedAsAWhole) {
    std::vector<std::uint8_t> level = encodeLevel({{3, 100, 100}, {3, 200, 100}});
    level.pop_back(); // the second record is cut short
    ASSERT_NO_FATAL_FAILURE(startWithLevel1(level));
    expectBackInTheMenuAfter([this] { enterGame(); });
}

TEST_F(RefusedLevelTest, FirstLevelBrokenBeforeARestartReturnsToTheMenu) {
    ASSERT_NO_FATAL_FAILURE(startQuiet());
    RGame* game = enterGame();
    ASSERT_NE(game, nullptr);
    // Overwrite level 1's count in the pack on disk with one far beyond its bytes.
    const std::string pack = harness().dir() + "/data.zxp";
    std::uint32_t offset = 0;
    for (std::uint32_t i = 0; i < getPackerReader()->getEntryCount(); ++i) {
        const PackEntry* record = getPackerReader()->getRecord(i);
        if (std::string(record->name) == "Level1.zxm") {
            offset = record->offset;
        }
    }
    ASSERT_NE(offset, 0u);
    FILE* file = std::fopen(pack.c_str(), "r+b");
    ASSERT_NE(file, nullptr);
    const std::uint8_t hugeCount[4] = {0xFF, 0xFF, 0xFF, 0x7F};
    std::fseek(file, static_cast<long>(offset), SEEK_SET);
    std::fwrite(hugeCount, 1, 4, file);
    std::fclose(file);

    game->getBall()->setState(Lost);
    expectBackInTheMenuAfter([this] { press(SDLK_RETURN); });
}

TEST_F(RefusedLevelTest, RefusedNextLevelEndsTheRunCountingItsPointsOnce) {
    ASSERT_NO_FATAL_FAILURE(startWithLevels({quietLevel(), {5, 0, 0, 0, 1, 2, 3}}));
    RGame* game = enterGame();
    GameTestAccess::setPoints(*game, 1000);
    breakAll();
    game->update();
    ASSERT_EQ(game->getBall()->getState(), LevelCleared);
    const std::size_t before = harness().boxes.size();
    press(SDLK_RETURN);
    EXPECT_EQ(harness().boxes.size(), before); // no box: the run just ends
    EXPECT_EQ(game->getBall()->getState(), Lost);
    EXPECT_EQ(game->getTotalScore(), 1300u);
    game->update();
    EXPECT_TRUE(GameTestAccess::lossRecorded(*game));
    EXPECT_EQ(game->getTotalScore(), 1300u); // not 2600
    expectRecorded(1300);
    // The old stones are kept, all broken.
    EXPECT_EQ(game->getStoneCount(), 1u);
}

TEST_F(RefusedLevelTest, MissingNextLevelEndsTheRunLikewise) {
    ASSERT_NO_FATAL_FAILURE(startWithLevels({quietLevel()}));
    RGame* game = enterGame();
    GameTestAccess::setPoints(*game, 200);
    game->setLives(1);
    breakAll();
    game->update();
    press(SDLK_RETURN);
    EXPECT_EQ(game->getBall()->getState(), Lost);
    game->update();
    EXPECT_EQ(game->getTotalScore(), 220u);
    EXPECT_EQ(game->getLevel(), 2);
}

} // namespace
