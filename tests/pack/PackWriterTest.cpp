// Tests of the pack writer and the zxpack commands, read back through PackerReader.
#include "tools/packtool/PackWriter.h"
#include "pack/PackEntries.h"
#include "pack/PackerReader.h"
#include "tests/pack/FileBytes.h"
#include "tests/pack/RawPack.h"
#include "tests/support/GameHarness.h"
#include "tools/packtool/PackTool.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::vector<uint8_t> bytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

// The whole text written to file, which is closed.
std::string textOf(FILE* file) {
    std::string text;
    std::rewind(file);
    int c;
    while ((c = std::fgetc(file)) != EOF)
        text.push_back(static_cast<char>(c));
    std::fclose(file);
    return text;
}

// Runs zxpack with args; returns its exit code and what it wrote to standard output (and, with
// errors, to standard error).
int runTool(const std::vector<std::string>& args, std::string& output,
            std::string* errors = nullptr) {
    FILE* out = std::tmpfile();
    FILE* err = std::tmpfile();
    const int code = runPackTool(args, out, err);
    output = textOf(out);
    const std::string errorText = textOf(err);
    if (errors)
        *errors = errorText;
    return code;
}

TEST(PackWriter, WritesTheExactLayout) {
    std::vector<uint8_t> pack;
    ASSERT_TRUE(buildPack({{"a.png", bytesOf("xyz")}, {"b", {}}, {"c", bytesOf("Q")}}, pack));
    RawPack expected;
    expected.u32(3).entry(0, "a.png", bytesOf("xyz")).entry(1, "b", {}).entry(2, "c", bytesOf("Q"));
    EXPECT_EQ(pack, expected.bytes);
    // Numbers are little-endian: the count 3, then entry 0's size 3 and offset 4 + 48.
    EXPECT_EQ(std::vector<uint8_t>(pack.begin(), pack.begin() + 4),
              (std::vector<uint8_t>{3, 0, 0, 0}));
    EXPECT_EQ(std::vector<uint8_t>(pack.begin() + 40, pack.begin() + 48),
              (std::vector<uint8_t>{3, 0, 0, 0, 52, 0, 0, 0}));

    std::vector<uint8_t> empty;
    ASSERT_TRUE(buildPack({}, empty));
    EXPECT_EQ(empty, (std::vector<uint8_t>{0, 0, 0, 0}));
}

TEST(PackWriter, RefusesBadNames) {
    std::vector<uint8_t> pack{1, 2, 3};
    EXPECT_FALSE(buildPack({{std::string(32, 'x'), {}}}, pack));
    EXPECT_FALSE(buildPack({{"", {}}}, pack));
    EXPECT_FALSE(buildPack({{std::string("a\0b", 3), {}}}, pack));
    EXPECT_EQ(pack, (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_TRUE(buildPack({{std::string(31, 'x'), {}}}, pack));

    zxtest::TempDir dir;
    EXPECT_FALSE(writePack(dir.file("bad.zxp"), {{std::string(40, 'x'), {}}}));
    EXPECT_FALSE(std::filesystem::exists(dir.file("bad.zxp")));
    EXPECT_FALSE(writePack(dir.file("no/such/folder.zxp"), {{"a", {}}}));
}

TEST(PackWriter, ReaderServesWhatTheWriterWrote) {
    zxtest::TempDir dir;
    std::vector<PackFile> files;
    for (int i = 0; i < 20; ++i) {
        std::vector<uint8_t> bytes(static_cast<size_t>(i * 97));
        for (size_t b = 0; b < bytes.size(); ++b)
            bytes[b] = static_cast<uint8_t>(b ^ static_cast<size_t>(i));
        files.push_back({"entry" + std::to_string(i) + ".bin", bytes});
    }
    const std::string path = dir.file("data.zxp");
    ASSERT_TRUE(writePack(path, files));
    PackerReader reader;
    ASSERT_TRUE(reader.open(path.c_str()));
    ASSERT_EQ(reader.getEntryCount(), files.size());
    for (const PackFile& file : files) {
        PackEntry* entry = reader.getEntry(file.name.c_str());
        ASSERT_NE(entry, nullptr) << file.name;
        EXPECT_EQ(std::vector<uint8_t>(entry->data, entry->data + entry->size), file.bytes);
        entry->freeData();
    }
}

class PackToolTest : public testing::Test {
  protected:
    zxtest::TempDir dir;
    std::string output;
};

TEST_F(PackToolTest, CreateListExtractVerifyRoundTrip) {
    std::vector<uint8_t> picture(5000);
    for (size_t i = 0; i < picture.size(); ++i)
        picture[i] = static_cast<uint8_t>(i * 7);
    ASSERT_TRUE(writeBytes(dir.file("ball_blue.png"), picture));
    ASSERT_TRUE(writeBytes(dir.file("level.txt"), bytesOf("map")));
    ASSERT_TRUE(writeBytes(dir.file("empty"), {}));
    const std::string pack = dir.file("data.zxp");

    ASSERT_EQ(runTool({"create", pack, dir.file("ball_blue.png"),
                       "Level1.zxm=" + dir.file("level.txt"), dir.file("empty")},
                      output),
              0);
    ASSERT_EQ(runTool({"list", pack}, output), 0);
    const uint32_t second = 4 + 48 + 5000 + 48;
    EXPECT_EQ(output, "0\t5000\t52\tball_blue.png\n1\t3\t" + std::to_string(second) +
                          "\tLevel1.zxm\n2\t0\t" + std::to_string(second + 3 + 48) + "\tempty\n");

    const std::string out = dir.file("out");
    ASSERT_EQ(runTool({"extract", pack, out}, output), 0);
    EXPECT_EQ(readBytes(out + "/ball_blue.png"), picture);
    EXPECT_EQ(readBytes(out + "/Level1.zxm"), bytesOf("map"));
    EXPECT_TRUE(std::filesystem::exists(out + "/empty"));
    EXPECT_EQ(std::filesystem::file_size(out + "/empty"), 0u);

    EXPECT_EQ(runTool({"verify", pack}, output), 0);
    EXPECT_NE(output.find("3 entries"), std::string::npos) << output;
}

TEST_F(PackToolTest, VerifyFailsOnBrokenPacks) {
    const std::string truncated = dir.file("truncated.zxp");
    RawPack raw;
    raw.u32(1).entry(0, "a", bytesOf("abcdef"));
    raw.bytes.resize(raw.bytes.size() - 2);
    ASSERT_TRUE(writeBytes(truncated, raw.bytes));
    EXPECT_EQ(runTool({"verify", truncated}, output), 1);

    // A shadowed duplicate is valid for the reader but its bytes are never served.
    const std::string duplicate = dir.file("duplicate.zxp");
    RawPack dup;
    dup.u32(2).entry(0, "a", bytesOf("1")).entry(1, "a", bytesOf("2"));
    ASSERT_TRUE(writeBytes(duplicate, dup.bytes));
    EXPECT_EQ(runTool({"verify", duplicate}, output), 1);
    EXPECT_EQ(runTool({"verify", dir.file("absent.zxp")}, output), 1);
}

// gather packs the game's entries in their order, each from the first folder holding a file of
// its name, and stops at a name no folder holds.
TEST_F(PackToolTest, GatherTakesEachGameEntryFromTheFirstFolderHoldingIt) {
    const std::string first = dir.file("first");
    const std::string second = dir.file("second");
    std::filesystem::create_directories(first);
    std::filesystem::create_directories(second);
    // Every entry in the second folder, every other one in the first too; a folder named like an
    // entry does not count, a file the list does not name is left out.
    auto bytesFrom = [](const std::string& folder, size_t i) {
        return bytesOf(folder + " " + std::to_string(i));
    };
    for (size_t i = 0; i < std::size(kGameEntries); ++i) {
        ASSERT_TRUE(writeBytes(second + "/" + kGameEntries[i], bytesFrom("second", i)));
        if (i % 2 == 0) {
            ASSERT_TRUE(writeBytes(first + "/" + kGameEntries[i], bytesFrom("first", i)));
        }
    }
    std::filesystem::create_directory(first + "/" + kGameEntries[1]);
    ASSERT_TRUE(writeBytes(first + "/stray.png", bytesOf("stray")));
    const std::string pack = dir.file("data.zxp");
    ASSERT_EQ(runTool({"gather", pack, first, second}, output), 0);
    PackerReader reader;
    ASSERT_TRUE(reader.open(pack.c_str()));
    ASSERT_EQ(reader.getEntryCount(), std::size(kGameEntries));
    for (uint32_t i = 0; i < reader.getEntryCount(); ++i) {
        ASSERT_STREQ(reader.getRecord(i)->name, kGameEntries[i]);
        PackEntry* entry = reader.getEntry(kGameEntries[i]);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(std::vector<uint8_t>(entry->data, entry->data + entry->size),
                  bytesFrom(i % 2 == 0 ? "first" : "second", i));
        entry->freeData();
    }

    std::filesystem::remove(second + "/" + kGameEntries[3]);
    std::string errors;
    EXPECT_EQ(runTool({"gather", dir.file("none.zxp"), first, second}, output, &errors), 1);
    EXPECT_NE(errors.find('"' + std::string(kGameEntries[3]) + '"'), std::string::npos) << errors;
    EXPECT_FALSE(std::filesystem::exists(dir.file("none.zxp")));
    EXPECT_EQ(runTool({"gather", pack}, output), 2);
}

TEST_F(PackToolTest, RefusesUnsafeOrBadInput) {
    ASSERT_TRUE(writeBytes(dir.file("f"), bytesOf("x")));
    const std::string pack = dir.file("p.zxp");
    EXPECT_EQ(runTool({"create", pack, std::string(32, 'n') + "=" + dir.file("f")}, output), 1);
    EXPECT_EQ(runTool({"create", pack, "../escape=" + dir.file("f")}, output), 1);
    EXPECT_EQ(runTool({"create", pack, "a=" + dir.file("f"), "a=" + dir.file("f")}, output), 1);
    EXPECT_EQ(runTool({"create", pack, dir.file("missing")}, output), 1);
    EXPECT_FALSE(std::filesystem::exists(pack));
    EXPECT_EQ(runTool({"list"}, output), 2);
    EXPECT_EQ(runTool({"frobnicate", pack}, output), 2);

    // A pack naming an entry outside the target folder is not extracted there.
    RawPack raw;
    raw.u32(1).entry(0, "../escaped", bytesOf("x"));
    ASSERT_TRUE(writeBytes(pack, raw.bytes));
    EXPECT_EQ(runTool({"extract", pack, dir.file("out")}, output), 1);
    EXPECT_FALSE(std::filesystem::exists(dir.file("escaped")));
}

} // namespace
