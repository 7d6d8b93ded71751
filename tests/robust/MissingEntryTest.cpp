// The game started from packs that each lack one of the entries it asks for, then played.
#include "app/Game.h"
#include "pack/PackEntries.h"
#include "score/ScoreTable.h"
#include "tests/robust/RobustPlay.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <iterator>
#include <string>

namespace {

using robust::PlayLog;

// The level number of a "Level%d.zxm" name, 0 for other names.
int levelOf(const std::string& name) {
    int level = 0;
    return std::sscanf(name.c_str(), "Level%d.zxm", &level) == 1 ? level : 0;
}

class MissingEntry : public testing::TestWithParam<const char*> {};

TEST_P(MissingEntry, GameStartsPlaysAndReportsOnlyTheMissingData) {
    const std::string missing = GetParam();
    zxtest::TempDir packDir;
    const auto files = zxtest::without(zxtest::builtPackFiles(), missing);
    ASSERT_EQ(files.size(), std::size(kGameEntries) - 1);
    zxtest::GameHarness harness(zxtest::writePackIn(packDir, files));
    ASSERT_TRUE(harness.started());

    const PlayLog log = robust::playALittle(harness);
    EXPECT_TRUE(harness.game().isRunning());
    EXPECT_TRUE(log.sawScoreboard);
    EXPECT_TRUE(log.backInMenu);
    EXPECT_EQ(robust::unexpectedBoxes(harness), std::vector<std::string>{});

    const int level = levelOf(missing);
    if (level == 1) {
        // The game room cannot start: one box, and the menu again.
        EXPECT_FALSE(log.sawGame);
        EXPECT_EQ(robust::invalidDataBoxes(harness), 1);
        return;
    }
    ASSERT_TRUE(log.sawGame);
    EXPECT_EQ(log.namesAsked, 1);
    if (level > 1) {
        // A missing next level ends the run as lost, silently, on that level's number.
        EXPECT_EQ(log.lastLevel, level);
        EXPECT_EQ(log.endState, Lost);
        EXPECT_EQ(robust::invalidDataBoxes(harness), 0);
    } else {
        EXPECT_EQ(log.lastLevel, 6);
        EXPECT_EQ(log.endState, GameCompleted);
        EXPECT_EQ(robust::invalidDataBoxes(harness) > 0, missing != kIconEntry) << missing;
    }
    // The run's total went into the table under the dialog's name.
    ASSERT_NE(getScoreTable()->at(0), nullptr);
    EXPECT_STREQ(getScoreTable()->at(0)->name, "Robust");
    EXPECT_GT(getScoreTable()->at(0)->points, 0u);
}

INSTANTIATE_TEST_SUITE_P(EachEntry, MissingEntry, testing::ValuesIn(kGameEntries),
                         [](const testing::TestParamInfo<const char*>& info) {
                             std::string name = info.param;
                             for (char& c : name) {
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             }
                             return name;
                         });

} // namespace
