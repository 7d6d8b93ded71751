// Tests of the six levels in the built pack and of the level tool's text form and compiler.
#include "ContentPaths.h"
#include "game/Level.h"
#include "game/LevelSet.h"
#include "game/LevelText.h"
#include "tests/pack/FileBytes.h"
#include "tests/support/GameHarness.h"
#include "tests/support/PackFiles.h"
#include "tools/content/LevelTool.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The level's bytes from the built pack.
std::vector<uint8_t> levelBytes(int level) {
    std::vector<PackFile> files = zxtest::builtPackFiles();
    const std::vector<uint8_t>* bytes =
        zxtest::bytesOf(files, "Level" + std::to_string(level) + ".zxm");
    EXPECT_NE(bytes, nullptr) << "the built pack has no level " << level;
    return bytes != nullptr ? *bytes : std::vector<uint8_t>{};
}

// Reads the stones with the game's own parser, independently of the level tool.
std::vector<StoneRecord> parseBytes(const std::vector<uint8_t>& bytes) {
    std::vector<StoneRecord> stones;
    EXPECT_TRUE(parseLevel(bytes.data(), bytes.size(), stones));
    return stones;
}

int points(int32_t kind) {
    return kind == 1 ? 10 : kind == 2 ? 50 : 100;
}

TEST(LevelContentTest, EveryLevelKeepsItsStonesInsideTheFieldWithoutOverlaps) {
    for (int level = 1; level <= 6; ++level) {
        SCOPED_TRACE("level " + std::to_string(level));
        const std::vector<uint8_t> bytes = levelBytes(level);
        ASSERT_GE(bytes.size(), 4u);
        const uint32_t count = readU32le(bytes.data());
        EXPECT_EQ(bytes.size(), 4 + 12 * static_cast<size_t>(count));
        const std::vector<StoneRecord> stones = parseBytes(bytes);
        ASSERT_GT(stones.size(), 0u);
        for (size_t i = 0; i < stones.size(); ++i) {
            const StoneRecord& s = stones[i];
            EXPECT_TRUE(s.kind >= 1 && s.kind <= 3) << "stone " << i << " kind " << s.kind;
            EXPECT_TRUE(s.x >= 32 && s.x + 64 <= 768 && s.y >= 64 && s.y + 32 <= 400)
                << "stone " << i << " at " << s.x << "," << s.y;
            for (size_t j = 0; j < i; ++j) {
                const StoneRecord& t = stones[j];
                const bool apart =
                    s.x >= t.x + 64 || t.x >= s.x + 64 || s.y >= t.y + 32 || t.y >= s.y + 32;
                EXPECT_TRUE(apart) << "stones " << j << " and " << i << " overlap";
            }
        }
    }
}

TEST(LevelContentTest, LevelsGrowInDifficulty) {
    int previousPoints = 0;
    std::vector<std::vector<StoneRecord>> levels;
    for (int level = 1; level <= 6; ++level) {
        const std::vector<uint8_t> bytes = levelBytes(level);
        ASSERT_GE(bytes.size(), 4u);
        levels.push_back(parseBytes(bytes));
        int total = 0;
        for (const StoneRecord& s : levels.back()) {
            total += points(s.kind);
        }
        EXPECT_GT(total, previousPoints) << "level " << level << " is worth no more than before";
        previousPoints = total;
    }
    auto countKind = [](const std::vector<StoneRecord>& stones, int32_t kind) {
        size_t n = 0;
        for (const StoneRecord& s : stones) {
            n += s.kind == kind;
        }
        return n;
    };
    EXPECT_GT(countKind(levels.front(), 1) * 2, levels.front().size()) << "level 1 mostly purple";
    EXPECT_GT(countKind(levels.back(), 3) * 2, levels.back().size()) << "level 6 mostly green";
    for (size_t i = 0; i + 1 < levels.size(); ++i) {
        EXPECT_GE(levels.back().size(), levels[i].size()) << "level 6 is the densest";
    }
}

// The built-in set as its source file holds it.
LevelSet builtInSet(std::string& text) {
    const std::vector<uint8_t> source = readBytes(contenttest::builtInSetSource());
    text.assign(source.begin(), source.end());
    LevelSet set;
    LevelSetError error;
    EXPECT_TRUE(parseLevelSet(text, set, error)) << error.line << ": " << error.message;
    return set;
}

TEST(LevelContentTest, TheBuiltInSetIsCanonicalAndBuildsThePackLevelsByteForByte) {
    std::string text;
    const LevelSet set = builtInSet(text);
    ASSERT_EQ(set.levels.size(), 6u) << contenttest::builtInSetSource();
    EXPECT_EQ(set.title, "Zembrix");
    EXPECT_EQ(formatLevelSet(set), text);
    zxtest::TempDir dir;
    ASSERT_EQ(runLevelTool({"build", contenttest::builtInSetSource(), dir.path()}, stdout, stderr),
              0);
    // FNV-1a over the six level files, each closed by 0xFF, as the game's replays name the set:
    // the value of the levels as they were shipped before they had a set file.
    std::uint64_t hash = 0xCBF29CE484222325ull;
    for (int level = 1; level <= 6; ++level) {
        SCOPED_TRACE("level " + std::to_string(level));
        const std::vector<uint8_t> file = encodeLevel(set.levels[level - 1]);
        EXPECT_EQ(file, levelBytes(level)) << "the pack was built from another source";
        EXPECT_EQ(readBytes(dir.file("Level" + std::to_string(level) + ".zxm")), file);
        for (const uint8_t byte : file) {
            hash = (hash ^ byte) * 0x100000001B3ull;
        }
        hash = (hash ^ 0xFFu) * 0x100000001B3ull;
    }
    EXPECT_EQ(hash, 0x3BA5E747604EB4C8ull);
}

TEST(LevelContentTest, FormatKeepsStonesNoGridCanHold) {
    // Fractional positions, a negative zero, other kinds, and stones out of reading order.
    const std::vector<StoneRecord> stones = {{1, 96.5f, 64.25f}, {3, 400, 128}, {2, 336, 128},
                                             {7, -0.0f, 1e-3f},  {1, 48, 200},  {1, 112, 200},
                                             {2, 112, 232},      {0, 1, 2}};
    const std::string text = formatLevelText(stones);
    const std::vector<uint8_t> file = encodeLevel(stones);
    std::vector<StoneRecord> back;
    std::string error;
    ASSERT_TRUE(decodeLevel(file.data(), file.size(), back, error)) << error;
    EXPECT_EQ(formatLevelText(back), text);
    EXPECT_NE(text.find("stone P 96.5 64.25\n"), std::string::npos) << text;
    EXPECT_NE(text.find("stone 7 -0 0.001\n"), std::string::npos) << text;
    EXPECT_NE(text.find("grid 48 200\nPP\n.O\n"), std::string::npos) << text;
    // Without the kinds the text cannot name, the text compiles back to the same stones, bit
    // for bit and in the same order.
    std::vector<StoneRecord> lettered;
    for (const StoneRecord& s : stones) {
        if (s.kind >= 1 && s.kind <= 3 && s.x >= 32) {
            lettered.push_back(s);
        }
    }
    std::vector<StoneRecord> parsed;
    LevelError parseError;
    ASSERT_TRUE(parseLevelText(formatLevelText(lettered), parsed, parseError))
        << parseError.line << ": " << parseError.message;
    EXPECT_EQ(encodeLevel(parsed), encodeLevel(lettered));
}

TEST(LevelContentTest, DecodeRefusesAShortFileAndIgnoresTrailingBytes) {
    std::vector<uint8_t> file = encodeLevel({{1, 96, 96}, {2, 160, 96}});
    std::vector<StoneRecord> stones;
    std::string error;
    file.push_back(0xAB);
    ASSERT_TRUE(decodeLevel(file.data(), file.size(), stones, error));
    EXPECT_EQ(stones.size(), 2u);
    file.resize(file.size() - 2);
    EXPECT_FALSE(decodeLevel(file.data(), file.size(), stones, error));
    EXPECT_NE(error.find("2 stones"), std::string::npos) << error;
    EXPECT_FALSE(decodeLevel(file.data(), 3, stones, error));
}

// Runs the level tool on a source text, returning its exit code and what it wrote to err.
std::pair<int, std::string> compile(const zxtest::TempDir& dir, const std::string& text) {
    const std::string source = dir.file("level.txt");
    EXPECT_TRUE(writeBytes(source, {text.begin(), text.end()}));
    FILE* err = std::tmpfile();
    const int code = runLevelTool({"compile", source, dir.file("level.zxm")}, stdout, err);
    std::rewind(err);
    char buffer[512] = {};
    const size_t got = std::fread(buffer, 1, sizeof buffer - 1, err);
    std::fclose(err);
    return {code, std::string(buffer, got)};
}

TEST(LevelContentTest, CompilerRefusesBadSourcesNamingTheLine) {
    zxtest::TempDir dir;
    ASSERT_FALSE(dir.path().empty());
    const struct {
        const char* text;
        int line;
        const char* message;
    } cases[] = {
        {"grid 96 96\nPPQP\n", 2, "unexpected character 'Q'"},
        {"# top\ngrid 96 96\nPPP\n\nstone O 200 100\n", 5, "overlaps the stone at (160, 96)"},
        {"grid 0 96\nPP\n", 2, "outside the play field"},
        {"grid 672 96\n.P\n", 2, "outside the play field"},   // reaches past x 768
        {"grid 96 368\nP\nP\n", 3, "outside the play field"}, // second row ends at y 432
        {"grid 96 32\nP\n", 2, "outside the play field"},     // above the field
        {"stone G 100 nan\n", 1, "outside the play field"},
        {"PPP\n", 1, "outside a grid block"},
        {"grid 96\nP\n", 1, "expected 'grid X Y'"},
        {"grid 96 96.5\nP\n", 1, "expected 'grid X Y'"},
        {"grid 96 96\nstone P 400 200\n", 1, "grid block holds no rows"},
        {"stone 3 400 200\n", 1, "unknown stone kind '3'"},
        {"stone P 400\n", 1, "expected 'stone K X Y'"},
        {"wall 1 2\n", 1, "unknown statement 'wall'"},
        {"# nothing here\n\n", 2, "the level holds no stones"},
    };
    for (const auto& c : cases) {
        const auto [code, message] = compile(dir, c.text);
        EXPECT_EQ(code, 1) << c.text;
        const std::string prefix = dir.file("level.txt") + ":" + std::to_string(c.line) + ": ";
        EXPECT_EQ(message.rfind(prefix, 0), 0u) << c.text << " gave: " << message;
        EXPECT_NE(message.find(c.message), std::string::npos) << c.text << " gave: " << message;
    }
}

TEST(LevelContentTest, CompilerAcceptsTouchingStonesAndWritesTheFile) {
    zxtest::TempDir dir;
    ASSERT_FALSE(dir.path().empty());
    // Edge to edge, corner to corner, and on the field's limits.
    const auto [code, message] =
        compile(dir, "grid 32 64\nPP\n..P\nstone O 704 368\nstone G 640 336\n");
    ASSERT_EQ(code, 0) << message;
    const std::vector<uint8_t> bytes = readBytes(dir.file("level.zxm"));
    ASSERT_EQ(bytes.size(), 4u + 12u * 5u);
    const std::vector<StoneRecord> stones = parseBytes(bytes);
    EXPECT_EQ(stones[2].kind, 1);
    EXPECT_EQ(stones[2].x, 160.0f);
    EXPECT_EQ(stones[2].y, 96.0f);
    EXPECT_EQ(stones[3].kind, 2);
    EXPECT_EQ(stones[4].kind, 3);
}

TEST(LevelContentTest, ToolDecompilesAFileBackToItsSource) {
    zxtest::TempDir dir;
    ASSERT_FALSE(dir.path().empty());
    std::string text;
    const std::string level3 = formatLevelText(builtInSet(text).levels.at(2));
    const std::string source = dir.file("source.txt");
    ASSERT_TRUE(writeBytes(source, std::vector<uint8_t>(level3.begin(), level3.end())));
    ASSERT_EQ(runLevelTool({"compile", source, dir.file("l.zxm")}, stdout, stderr), 0);
    ASSERT_EQ(runLevelTool({"decompile", dir.file("l.zxm"), dir.file("l.txt")}, stdout, stderr), 0);
    EXPECT_EQ(readBytes(dir.file("l.txt")), readBytes(source));
    FILE* err = std::tmpfile();
    EXPECT_EQ(runLevelTool({"decompile"}, stdout, err), 2);
    std::fclose(err);
}

} // namespace
