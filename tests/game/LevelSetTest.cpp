// Tests of the level-set file: what it refuses and where, what it keeps, and the files of a folder.
#include "game/LevelSet.h"
#include "game/LevelSetFile.h"
#include "tests/pack/FileBytes.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(LevelSet, ReadsTitleAuthorAndLevelsAndFormatsBackToTheSameSet) {
    const std::string text = "\xEF\xBB\xBF# a comment\r\ntitle  Łąki # i pola \r\nauthor Zoë\r\n"
                             "level\r\ngrid 48 96\r\nGOP\r\n\r\nlevel\r\nstone P 100.5 200\r\n";
    LevelSet set;
    LevelSetError error;
    ASSERT_TRUE(parseLevelSet(text, set, error)) << error.line << ": " << error.message;
    EXPECT_EQ(set.title, "Łąki # i pola");
    EXPECT_EQ(set.author, "Zoë");
    ASSERT_EQ(set.levels.size(), 2u);
    ASSERT_EQ(set.levels[0].size(), 3u);
    EXPECT_EQ(set.levels[0][1].kind, 2);
    EXPECT_EQ(set.levels[0][2].x, 176.0f);
    EXPECT_EQ(set.levels[1][0].x, 100.5f);
    LevelSet again;
    const std::string canonical = formatLevelSet(set);
    ASSERT_TRUE(parseLevelSet(canonical, again, error)) << canonical;
    EXPECT_EQ(formatLevelSet(again), canonical);
    EXPECT_NE(levelSetHash(text), levelSetHash(canonical));
}

TEST(LevelSet, RefusesDamagedOrNonsensicalFilesWithTheLineAndTheReason) {
    const struct {
        std::string text;
        int line;
        const char* reason;
    } cases[] = {
        {"title T\nlevel\ngrid 96 96\nP\nlevel\n# nothing\n", 6,
         "level 2: the level holds no stones"},
        {"title T\n", 0, "holds no level"},
        {"author A\nlevel\ngrid 96 96\nP\n", 0, "no title"},
        {"title T\ntitle U\n", 2, "a second 'title'"},
        {"title " + std::string(41, 'x') + "\n", 1, "longer than 40"},
        {"title T\nlevels\n", 2, "unknown statement 'levels'"},
        {"title T\nlevel\ngrid 96 96\nPQ\n", 4, "level 1: unexpected character 'Q'"},
        {"title T\nlevel\ngrid 96 96\nPP\nstone G 100 96\n", 5, "overlaps"},
        {"title T\nlevel\ngrid 900 96\nP\n", 4, "outside the play field"},
        {"title T\x01\n", 1, "control character"},
        {"title \xC3\x28\n", 0, "not UTF-8"},
        {"title \xED\xA0\x80\n", 0, "not UTF-8"}, // a UTF-16 surrogate
        {"title T\n" + std::string(300 * 1024, '#'), 0, "larger than"},
    };
    for (const auto& c : cases) {
        LevelSet set;
        LevelSetError error;
        EXPECT_FALSE(parseLevelSet(c.text, set, error)) << c.text.substr(0, 60);
        EXPECT_EQ(error.line, c.line) << c.text.substr(0, 60) << " gave: " << error.message;
        EXPECT_NE(error.message.find(c.reason), std::string::npos)
            << c.text.substr(0, 60) << " gave: " << error.message;
    }
    std::string many = "title T\n";
    for (size_t i = 0; i <= kLevelSetMaxLevels; ++i) {
        many += "level\ngrid 96 96\nP\n";
    }
    LevelSet set;
    LevelSetError error;
    EXPECT_FALSE(parseLevelSet(many, set, error));
    EXPECT_NE(error.message.find("more than 99 levels"), std::string::npos) << error.message;
}

TEST(LevelSetFile, FindsTheFolderSetsByNameValidOrNot) {
    zxtest::TempDir dir;
    ASSERT_FALSE(dir.path().empty());
    const std::string good = "title Dobry\nlevel\ngrid 96 96\nGG\n";
    ASSERT_TRUE(writeBytes(dir.file("b.zxl"), std::vector<uint8_t>(good.begin(), good.end())));
    ASSERT_TRUE(writeBytes(dir.file("a.zxl"), {0xFF, 0x00, 0x17}));
    ASSERT_TRUE(writeBytes(dir.file("c.txt"), std::vector<uint8_t>(good.begin(), good.end())));
    const std::vector<FoundSet> sets = findLevelSets(dir.path());
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_FALSE(sets[0].valid);
    EXPECT_EQ(describeRefusal(sets[0]), dir.file("a.zxl") + ": the file is not UTF-8 text");
    EXPECT_TRUE(sets[1].valid);
    EXPECT_EQ(sets[1].set.title, "Dobry");
    EXPECT_EQ(sets[1].hash, levelSetHash(good));
    EXPECT_TRUE(findLevelSets(dir.file("missing")).empty());
}

} // namespace
