// Tests of PackerReader: lookups, loading, and refusal of malformed packs.
#include "pack/PackerReader.h"
#include "tests/pack/FileBytes.h"
#include "tests/pack/RawPack.h"
#include "tests/support/GameHarness.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::vector<uint8_t> bytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

std::vector<uint8_t> loaded(const PackEntry* entry) {
    return {entry->data, entry->data + entry->size};
}

class PackerReaderTest : public testing::Test {
  protected:
    // Writes raw to a pack file in the temp folder and returns its path.
    std::string packFile(const RawPack& raw, const std::string& name = "data.zxp") {
        const std::string path = dir.file(name);
        EXPECT_TRUE(writeBytes(path, raw.bytes));
        return path;
    }

    zxtest::TempDir dir;
    PackerReader reader;
};

TEST_F(PackerReaderTest, BasePackerOpensNothing) {
    Packer base;
    RawPack raw;
    raw.u32(0);
    EXPECT_FALSE(base.open(packFile(raw).c_str()));
    EXPECT_EQ(base.getEntryCount(), 0u);
}

TEST_F(PackerReaderTest, MissingFileFails) {
    EXPECT_FALSE(reader.open(dir.file("absent.zxp").c_str()));
    EXPECT_EQ(reader.getEntry("icon.bmp"), nullptr);
}

TEST_F(PackerReaderTest, EmptyPacksOpenWithoutEntries) {
    RawPack zeroCount;
    zeroCount.u32(0);
    ASSERT_TRUE(reader.open(packFile(zeroCount).c_str()));
    EXPECT_EQ(reader.getEntryCount(), 0u);
    EXPECT_EQ(reader.getEntry(""), nullptr);
    EXPECT_EQ(reader.getEntry("icon.bmp"), nullptr);

    PackerReader emptyFileReader;
    ASSERT_TRUE(emptyFileReader.open(packFile(RawPack{}, "empty.zxp").c_str()));
    EXPECT_EQ(emptyFileReader.getEntryCount(), 0u);
    EXPECT_EQ(emptyFileReader.getEntry("icon.bmp"), nullptr);
}

TEST_F(PackerReaderTest, ServesEntriesByteForByte) {
    std::vector<uint8_t> big(70000);
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<uint8_t>(i * 131 + 7);
    RawPack raw;
    raw.u32(3).entry(0, "icon.bmp", bytesOf("BM\x01\x02"), 0xDEADBEEF);
    raw.entry(1, "big.bin", big, 0xFFFFFFFF).entry(2, "Level1.zxm", bytesOf("level"), 17);
    ASSERT_TRUE(reader.open(packFile(raw).c_str()));
    ASSERT_EQ(reader.getEntryCount(), 3u);

    PackEntry* entry = reader.getEntry("big.bin");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->size, big.size());
    EXPECT_EQ(loaded(entry), big);
    EXPECT_STREQ(entry->name, "big.bin");
    EXPECT_EQ(entry->index, 1u);
    EXPECT_EQ(loaded(reader.getEntry("Level1.zxm")), bytesOf("level"));
    EXPECT_EQ(loaded(reader.getEntry("icon.bmp")), bytesOf("BM\x01\x02"));
}

TEST_F(PackerReaderTest, NamesCompareExactlyUpToTheTerminator) {
    const std::string longName(31, 'n');
    RawPack raw;
    raw.u32(4).entry(0, "Logo.png", bytesOf("upper")).entry(1, "logo.png", bytesOf("lower"));
    // A 31-character name with junk after its terminator; a short name likewise.
    raw.u32(2).name(longName, 0xAA).u32(4);
    raw.u32(static_cast<uint32_t>(raw.bytes.size()) + 8).u32(0).data(bytesOf("long"));
    raw.u32(3).name("ab", 'x').u32(1);
    raw.u32(static_cast<uint32_t>(raw.bytes.size()) + 8).u32(0).data(bytesOf("S"));
    ASSERT_TRUE(reader.open(packFile(raw).c_str()));

    EXPECT_EQ(loaded(reader.getEntry("Logo.png")), bytesOf("upper"));
    EXPECT_EQ(loaded(reader.getEntry("logo.png")), bytesOf("lower"));
    EXPECT_EQ(reader.getEntry("LOGO.PNG"), nullptr);
    EXPECT_EQ(loaded(reader.getEntry(longName.c_str())), bytesOf("long"));
    EXPECT_EQ(loaded(reader.getEntry("ab")), bytesOf("S"));
    // Neither a prefix nor a longer name matches, junk after the terminator included.
    EXPECT_EQ(reader.getEntry("logo"), nullptr);
    EXPECT_EQ(reader.getEntry("logo.png2"), nullptr);
    EXPECT_EQ(reader.getEntry("abx"), nullptr);
    EXPECT_EQ(reader.getEntry((longName + "n").c_str()), nullptr);
}

TEST_F(PackerReaderTest, FirstOfTwoEqualNamesIsServed) {
    RawPack raw;
    raw.u32(2).entry(0, "dup", bytesOf("first")).entry(1, "dup", bytesOf("second"));
    ASSERT_TRUE(reader.open(packFile(raw).c_str()));
    PackEntry* entry = reader.getEntry("dup");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry, reader.getRecord(0));
    EXPECT_EQ(loaded(entry), bytesOf("first"));
}

TEST_F(PackerReaderTest, IndexFieldDesignatesTheLoadedRecord) {
    RawPack raw;
    raw.u32(2).entry(1, "alias", bytesOf("alias bytes")).entry(1, "real", bytesOf("real"));
    ASSERT_TRUE(reader.open(packFile(raw).c_str()));
    PackEntry* entry = reader.getEntry("alias");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry, reader.getRecord(1));
    EXPECT_EQ(loaded(entry), bytesOf("real"));
    EXPECT_EQ(reader.getRecord(0)->data, nullptr);
}

TEST_F(PackerReaderTest, EveryLookupReadsTheFileAgain) {
    RawPack raw;
    raw.u32(1).entry(0, "stone.png", bytesOf("AAAA"));
    const std::string path = packFile(raw);
    ASSERT_TRUE(reader.open(path.c_str()));

    PackEntry* first = reader.getEntry("stone.png");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(loaded(first), bytesOf("AAAA"));

    // Change the data in place: a cached copy would still say AAAA.
    std::vector<uint8_t> changed = raw.bytes;
    std::memcpy(changed.data() + changed.size() - 4, "BBBB", 4);
    ASSERT_TRUE(writeBytes(path, changed));
    PackEntry* second = reader.getEntry("stone.png");
    EXPECT_EQ(second, first);
    ASSERT_NE(second->data, nullptr);
    EXPECT_EQ(loaded(second), bytesOf("BBBB"));
}

TEST_F(PackerReaderTest, FreeDataAndReload) {
    RawPack raw;
    raw.u32(1).entry(0, "font.ttf", bytesOf("glyphs"));
    ASSERT_TRUE(reader.open(packFile(raw).c_str()));
    PackEntry* entry = reader.getEntry("font.ttf");
    ASSERT_NE(entry, nullptr);
    entry->freeData();
    EXPECT_EQ(entry->data, nullptr);
    entry->freeData(); // harmless when nothing is loaded
    EXPECT_EQ(entry->data, nullptr);
    ASSERT_EQ(reader.getEntry("font.ttf"), entry);
    EXPECT_EQ(loaded(entry), bytesOf("glyphs"));
    // Left loaded on purpose: the reader's destructor frees it (the leak checker watches).
}

TEST_F(PackerReaderTest, EmptyEntryGetsAValidBuffer) {
    RawPack raw;
    raw.u32(2).entry(0, "empty", {}).entry(1, "last", {});
    ASSERT_TRUE(reader.open(packFile(raw).c_str()));
    for (const char* name : {"empty", "last"}) {
        PackEntry* entry = reader.getEntry(name);
        ASSERT_NE(entry, nullptr) << name;
        EXPECT_EQ(entry->size, 0u);
        EXPECT_NE(entry->data, nullptr) << name;
    }
}

TEST_F(PackerReaderTest, MalformedPacksAreRefused) {
    struct Case {
        const char* what;
        RawPack raw;
    };
    std::vector<Case> cases;
    cases.push_back({"truncated count", RawPack{{1, 0}}});
    cases.push_back({"count beyond the table", RawPack{}.u32(2).entry(0, "a", bytesOf("x"))});
    cases.push_back({"count of 4 billion", RawPack{}.u32(0xFFFFFFFF).entry(0, "a", {})});
    cases.push_back({"header cut short", RawPack{}.u32(1).u32(0).name("a").u32(0)});
    cases.push_back({"index past the table", RawPack{}.u32(1).entry(1, "a", bytesOf("x"))});
    cases.push_back({"index far off", RawPack{}.u32(1).entry(0x80000000u, "a", {})});
    cases.push_back(
        {"name without terminator", RawPack{}.u32(1).header(0, std::string(32, 'n'), 0, 52)});
    cases.push_back(
        {"data past the end", RawPack{}.u32(1).header(0, "a", 5, 52).data(bytesOf("abcd"))});
    cases.push_back({"offset past the end", RawPack{}.u32(1).header(0, "a", 0, 53)});
    cases.push_back(
        {"offset and size wrap around", RawPack{}.u32(1).header(0, "a", 0x20, 0xFFFFFFF0u)});
    cases.push_back(
        {"second header past the end",
         RawPack{}.u32(2).header(0, "a", 4, 52).data(bytesOf("abcd")).u32(1).name("b").u32(0)});
    for (const Case& c : cases) {
        PackerReader fresh;
        EXPECT_FALSE(fresh.open(packFile(c.raw).c_str())) << c.what;
        EXPECT_EQ(fresh.getEntryCount(), 0u) << c.what;
        EXPECT_EQ(fresh.getEntry("a"), nullptr) << c.what;
    }
}

TEST_F(PackerReaderTest, FolderIsNotAPack) {
    EXPECT_FALSE(reader.open(dir.path().c_str()));
}

TEST_F(PackerReaderTest, RefusedOpenKeepsThePackHeld) {
    RawPack good;
    good.u32(1).entry(0, "ball.png", bytesOf("ball"));
    ASSERT_TRUE(reader.open(packFile(good).c_str()));
    RawPack bad;
    bad.u32(1).entry(7, "other", bytesOf("x"));
    EXPECT_FALSE(reader.open(packFile(bad, "bad.zxp").c_str()));
    EXPECT_FALSE(reader.open(dir.file("absent.zxp").c_str()));
    ASSERT_EQ(reader.getEntryCount(), 1u);
    EXPECT_EQ(loaded(reader.getEntry("ball.png")), bytesOf("ball"));
}

TEST_F(PackerReaderTest, OpeningAgainReplacesThePack) {
    RawPack first;
    first.u32(1).entry(0, "one", bytesOf("1"));
    RawPack second;
    second.u32(2).entry(0, "two", bytesOf("22")).entry(1, "three", bytesOf("333"));
    ASSERT_TRUE(reader.open(packFile(first).c_str()));
    ASSERT_NE(reader.getEntry("one"), nullptr);
    ASSERT_TRUE(reader.open(packFile(second, "second.zxp").c_str()));
    EXPECT_EQ(reader.getEntryCount(), 2u);
    EXPECT_EQ(reader.getEntry("one"), nullptr);
    EXPECT_EQ(loaded(reader.getEntry("three")), bytesOf("333"));
}

TEST_F(PackerReaderTest, FileCutAfterOpeningHandsOutNothing) {
    RawPack raw;
    raw.u32(1).entry(0, "level", std::vector<uint8_t>(100, 9));
    const std::string path = packFile(raw);
    ASSERT_TRUE(reader.open(path.c_str()));
    std::filesystem::resize_file(path, raw.bytes.size() - 50);
    EXPECT_EQ(reader.getEntry("level"), nullptr);
    EXPECT_EQ(reader.getRecord(0)->data, nullptr);
}

} // namespace
