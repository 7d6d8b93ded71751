// Tests of ScoreTable: ordering of inserts and the scoreboard file.
#include "score/ScoreTable.h"
#include "tests/pack/FileBytes.h"
#include "tests/support/Captured.h"
#include "tests/support/GameHarness.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

using Records = std::vector<std::pair<std::string, uint32_t>>;

// The filled places, best first: name and points.
Records records(const ScoreTable& table) {
    Records result;
    for (uint32_t i = 0; i < ScoreTable::kPlaces && table.at(i); ++i)
        result.emplace_back(table.at(i)->name, table.at(i)->points);
    return result;
}

// Fills table with count records "p0", "p1", ... of falling points 1000, 900, ...
void fill(ScoreTable& table, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i)
        table.insert(("p" + std::to_string(i)).c_str(), 1000 - 100 * i);
}

TEST(ScoreTableInsert, OrdersBestFirstAndKeepsOlderTiesHigher) {
    ScoreTable table;
    EXPECT_EQ(table.at(0), nullptr);
    EXPECT_TRUE(table.insert("first", 50));
    EXPECT_TRUE(table.insert("smaller", 20));
    EXPECT_TRUE(table.insert("larger", 80));
    EXPECT_TRUE(table.insert("tie", 80));
    EXPECT_TRUE(table.insert("zero", 0));
    EXPECT_EQ(records(table),
              (Records{{"larger", 80}, {"tie", 80}, {"first", 50}, {"smaller", 20}, {"zero", 0}}));
    EXPECT_EQ(table.at(5), nullptr);
    EXPECT_EQ(table.at(10), nullptr);
}

TEST(ScoreTableInsert, FullTableDropsTheTenthOrTheNewcomer) {
    ScoreTable table;
    fill(table, 10); // 1000 down to 100
    EXPECT_TRUE(table.insert("equal to tenth", 100));
    EXPECT_TRUE(table.insert("below", 5));
    EXPECT_TRUE(table.insert("zero", 0));
    EXPECT_EQ(table.at(9)->points, 100u);
    EXPECT_STREQ(table.at(9)->name, "p9");

    EXPECT_TRUE(table.insert("above tenth", 101));
    EXPECT_STREQ(table.at(9)->name, "above tenth");
    EXPECT_TRUE(table.insert("new best", 5000));
    EXPECT_STREQ(table.at(0)->name, "new best");
    EXPECT_STREQ(table.at(1)->name, "p0");
    EXPECT_STREQ(table.at(9)->name, "p8");
    EXPECT_EQ(records(table).size(), 10u);
}

TEST(ScoreTableInsert, ComparesPointsUnsigned) {
    ScoreTable table;
    table.insert("big", 0x80000000u);
    table.insert("small", 1);
    table.insert("max", 4294967295u);
    EXPECT_EQ(records(table), (Records{{"max", 4294967295u}, {"big", 0x80000000u}, {"small", 1}}));
}

TEST(ScoreTableInsert, CutsLongNamesTo31Bytes) {
    ScoreTable table;
    const std::string longName(40, 'L');
    table.insert(longName.c_str(), 1);
    table.insert("", 0);
    EXPECT_EQ(std::string(table.at(0)->name), longName.substr(0, 31));
    EXPECT_STREQ(table.at(1)->name, "");
    table.clear();
    EXPECT_EQ(table.at(0), nullptr);
}

class ScoreFileTest : public testing::Test {
  protected:
    std::string path() const { return dir.file("scoreboard.zxs"); }
    // Loads a fresh table from the file, returning what it logged.
    std::string loadInto(ScoreTable& table) {
        return zxtest::stdoutOf([&] { table.load(); });
    }
    // Files in the folder other than the scoreboard itself (left-over temporary files).
    size_t strayFiles() const {
        size_t count = 0;
        for (const auto& item : std::filesystem::directory_iterator(dir.path()))
            count += item.path().filename() != "scoreboard.zxs";
        return count;
    }

    zxtest::TempDir dir;
};

TEST_F(ScoreFileTest, FileSizesAndLayout) {
    const std::pair<uint32_t, size_t> sizes[] = {{0, 4}, {1, 40}, {3, 112}, {9, 328}, {10, 364}};
    for (const auto& [filled, bytes] : sizes) {
        ScoreTable table(path().c_str());
        fill(table, filled);
        ASSERT_TRUE(table.save());
        const std::vector<uint8_t> file = readBytes(path());
        ASSERT_EQ(file.size(), bytes) << filled << " records";
        EXPECT_EQ(file[0], filled < 9 ? filled : 9) << filled << " records";
        EXPECT_EQ(file[1] | file[2] | file[3], 0);
    }
    ScoreTable table(path().c_str());
    table.insert("Ab", 0x01020304);
    ASSERT_TRUE(table.save());
    std::vector<uint8_t> expected{1, 0, 0, 0, 'A', 'b'};
    expected.resize(4 + 32);
    expected.insert(expected.end(), {4, 3, 2, 1});
    EXPECT_EQ(readBytes(path()), expected);
    EXPECT_EQ(strayFiles(), 0u);
}

TEST_F(ScoreFileTest, EverySizeComesBackAsSaved) {
    for (uint32_t filled = 0; filled <= 10; ++filled) {
        ScoreTable saved(path().c_str());
        fill(saved, filled);
        saved.insert("tie", 1000 - 100 * (filled / 2)); // a tie keeps its place on reload
        ASSERT_TRUE(saved.save());
        ScoreTable loaded(path().c_str());
        loaded.insert("stale", 7); // load replaces what was there
        const std::string log = loadInto(loaded);
        EXPECT_EQ(records(loaded), records(saved)) << filled << " records";
        const uint32_t count = filled + 1 < 9 ? filled + 1 : 9;
        EXPECT_EQ(log, "num = " + std::to_string(count) + "\n");
    }
}

TEST_F(ScoreFileTest, MissingOrEmptyFileGivesAnEmptyTable) {
    ScoreTable table(path().c_str());
    EXPECT_EQ(loadInto(table), "");
    EXPECT_EQ(table.at(0), nullptr);

    ASSERT_TRUE(table.save());
    EXPECT_EQ(readBytes(path()), (std::vector<uint8_t>{0, 0, 0, 0}));
    EXPECT_EQ(loadInto(table), "");
    EXPECT_EQ(table.at(0), nullptr);
}

// A refused file keeps its bytes under the first free name of path.damaged, .damaged.2, ...;
// copies already there stay as they are, and the table starts afresh in path.
TEST_F(ScoreFileTest, CountAboveNineSetsTheFileAside) {
    const std::string removed = "File \"" + path() + "\" has been removed!";
    auto keptAs = [&](const std::string& target) {
        return "Zembrix: the unreadable score table was kept as \"" + target + "\"\n";
    };
    std::vector<std::vector<uint8_t>> refused;
    for (uint32_t count : {10u, 11u, 0xFFFFFFFFu}) {
        std::vector<uint8_t> bytes{static_cast<uint8_t>(count), static_cast<uint8_t>(count >> 8),
                                   static_cast<uint8_t>(count >> 16),
                                   static_cast<uint8_t>(count >> 24)};
        bytes.resize(4 + 36 * 11, static_cast<uint8_t>('a' + refused.size()));
        refused.push_back(bytes);
    }
    // The third name is taken by a folder: the third file goes past it.
    fs::create_directory(path() + ".damaged.3");
    const std::string targets[] = {path() + ".damaged", path() + ".damaged.2",
                                   path() + ".damaged.4"};
    for (size_t i = 0; i < refused.size(); ++i) {
        ASSERT_TRUE(writeBytes(path(), refused[i]));
        ScoreTable table(path().c_str());
        table.insert("stale", 1);
        std::string out;
        const std::string err = zxtest::stderrOf([&] { out = loadInto(table); });
        EXPECT_EQ(out, removed) << i;
        EXPECT_EQ(err, keptAs(targets[i])) << i;
        EXPECT_EQ(table.at(0), nullptr);
        EXPECT_FALSE(fs::exists(path()));
        for (size_t j = 0; j <= i; ++j)
            EXPECT_EQ(readBytes(targets[j]), refused[j]) << i << " " << j;
        ASSERT_TRUE(table.save());
        EXPECT_EQ(readBytes(path()), (std::vector<uint8_t>{0, 0, 0, 0}));
    }

    // With every name up to .damaged.100 taken, the file stays in its place, untouched.
    for (int copy = 5; copy <= 100; ++copy)
        ASSERT_TRUE(writeBytes(path() + ".damaged." + std::to_string(copy), {}));
    ASSERT_TRUE(writeBytes(path(), refused[0]));
    ScoreTable table(path().c_str());
    std::string out;
    const std::string err = zxtest::stderrOf([&] { out = loadInto(table); });
    EXPECT_EQ(out, "");
    EXPECT_NE(err.find("stays where it is"), std::string::npos) << err;
    EXPECT_EQ(table.at(0), nullptr);
    EXPECT_EQ(readBytes(path()), refused[0]);
    EXPECT_EQ(readBytes(targets[0]), refused[0]);
    EXPECT_TRUE(readBytes(path() + ".damaged.100").empty());
    EXPECT_FALSE(fs::exists(path() + ".damaged.101"));
}

TEST_F(ScoreFileTest, DefaultFileIsScoreboardZxsInTheWorkingDirectory) {
    const auto old = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    ScoreTable table;
    table.insert("x", 1);
    EXPECT_TRUE(table.save());
    EXPECT_EQ(readBytes(path()).size(), 40u);
    ASSERT_TRUE(writeBytes(path(), {10, 0, 0, 0}));
    EXPECT_EQ(zxtest::stderrOf(
                  [&] { EXPECT_EQ(loadInto(table), "File \"scoreboard.zxs\" has been removed!"); }),
              "Zembrix: the unreadable score table was kept as \"scoreboard.zxs.damaged\"\n");
    EXPECT_EQ(readBytes(path() + ".damaged"), (std::vector<uint8_t>{10, 0, 0, 0}));
    std::filesystem::current_path(old);
}

TEST_F(ScoreFileTest, TruncatedFilesTakeOnlyWholeRecords) {
    ScoreTable full(path().c_str());
    fill(full, 10);
    ASSERT_TRUE(full.save());
    const std::vector<uint8_t> whole = readBytes(path());

    struct Case {
        size_t length;
        size_t records;
    };
    // A cut count, a count alone, part of the first record, 2.5 records, 9 records and a part.
    for (const Case& c : {Case{2, 0}, Case{4, 0}, Case{20, 0}, Case{4 + 36 * 2 + 18, 2},
                          Case{4 + 36 * 9 + 35, 9}}) {
        std::vector<uint8_t> cut(whole.begin(), whole.begin() + static_cast<long>(c.length));
        ASSERT_TRUE(writeBytes(path(), cut));
        ScoreTable table(path().c_str());
        loadInto(table);
        EXPECT_EQ(records(table).size(), c.records) << c.length << " bytes";
        EXPECT_TRUE(std::filesystem::exists(path()));
    }
}

TEST_F(ScoreFileTest, NameWithoutTerminatorIsCut) {
    std::vector<uint8_t> bytes{1, 0, 0, 0};
    bytes.resize(4 + 32, 'N'); // 32 name bytes, none of them zero
    bytes.insert(bytes.end(), {9, 0, 0, 0});
    ASSERT_TRUE(writeBytes(path(), bytes));
    ScoreTable table(path().c_str());
    loadInto(table);
    ASSERT_NE(table.at(0), nullptr);
    EXPECT_EQ(std::string(table.at(0)->name), std::string(31, 'N'));
    EXPECT_EQ(table.at(0)->points, 9u);
}

TEST_F(ScoreFileTest, FailedSaveLeavesTheOldFile) {
    ScoreTable table(path().c_str());
    fill(table, 3);
    ASSERT_TRUE(table.save());
    const std::vector<uint8_t> before = readBytes(path());
    fill(table, 10);

    // The disk fills up half-way through the write: a file size limit of 100 bytes.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = table.save();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, SIG_DFL);
    EXPECT_FALSE(saved);
    EXPECT_EQ(readBytes(path()), before);
    EXPECT_EQ(strayFiles(), 0u);

    // The folder is gone: nothing can be created.
    ScoreTable elsewhere(dir.file("missing/scoreboard.zxs").c_str());
    elsewhere.insert("x", 1);
    EXPECT_FALSE(elsewhere.save());
    EXPECT_FALSE(std::filesystem::exists(dir.file("missing")));

    // The target is a folder: the rename fails and the folder stays.
    std::filesystem::create_directory(dir.file("taken.zxs"));
    ScoreTable blocked(dir.file("taken.zxs").c_str());
    EXPECT_FALSE(blocked.save());
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("taken.zxs")));
    EXPECT_EQ(strayFiles(), 1u); // just the folder "taken.zxs"
}

// A save acts on the file as opening it for writing would, only crash-safely: the permission
// bits stay, a symbolic link stays and its target gets the table, a read-only file stays as it
// is (also for root, whom the system would let write it).
TEST_F(ScoreFileTest, SaveKeepsThePermissionBits) {
    ScoreTable table(path().c_str());
    for (fs::perms mode : {fs::perms(0600), fs::perms(0640), fs::perms(0604), fs::perms(0755)}) {
        fill(table, 1);
        ASSERT_TRUE(table.save());
        fs::permissions(path(), mode);
        fill(table, 1);
        ASSERT_TRUE(table.save());
        EXPECT_EQ(fs::status(path()).permissions(), mode) << static_cast<int>(mode);
    }
    // A first file gets what the umask leaves of 0666.
    fs::remove(path());
    const mode_t oldMask = umask(027);
    const bool saved = table.save();
    umask(oldMask);
    ASSERT_TRUE(saved);
    EXPECT_EQ(fs::status(path()).permissions(), fs::perms(0640));
    EXPECT_EQ(strayFiles(), 0u);
}

TEST_F(ScoreFileTest, ReadOnlyFileIsLeftAlone) {
    ScoreTable table(path().c_str());
    fill(table, 3);
    ASSERT_TRUE(table.save());
    const std::vector<uint8_t> before = readBytes(path());
    fill(table, 4);
    for (fs::perms mode : {fs::perms(0444), fs::perms(0400), fs::perms(0)}) {
        fs::permissions(path(), mode);
        EXPECT_FALSE(table.save()) << static_cast<int>(mode);
        EXPECT_EQ(fs::status(path()).permissions(), mode);
        fs::permissions(path(), fs::perms(0600));
        EXPECT_EQ(readBytes(path()), before) << static_cast<int>(mode);
    }
    EXPECT_EQ(strayFiles(), 0u);
}

TEST_F(ScoreFileTest, LinkStaysALinkAndItsTargetGetsTheTable) {
    // scoreboard.zxs -> saves/hop -> deep/board.bin, each read from its link's own folder.
    fs::create_directories(dir.file("saves/deep"));
    fs::create_symlink("saves/hop", path());
    fs::create_symlink("deep/board.bin", dir.file("saves/hop"));
    const std::string target = dir.file("saves/deep/board.bin");

    ScoreTable table(path().c_str());
    fill(table, 2);
    ASSERT_TRUE(table.save()); // no target yet: it is made, as an open would make it
    EXPECT_EQ(readBytes(target).size(), 4u + 2 * 36);
    fs::permissions(target, fs::perms(0604));
    fill(table, 1);
    ASSERT_TRUE(table.save());
    EXPECT_EQ(fs::read_symlink(path()), "saves/hop");
    EXPECT_EQ(fs::read_symlink(dir.file("saves/hop")), "deep/board.bin");
    EXPECT_EQ(readBytes(target).size(), 4u + 3 * 36);
    EXPECT_EQ(fs::status(target).permissions(), fs::perms(0604));
    ScoreTable loaded(path().c_str());
    loadInto(loaded);
    EXPECT_EQ(records(loaded), records(table));

    // A link to a read-only file leaves the file alone.
    fs::permissions(target, fs::perms(0444));
    fill(table, 1);
    EXPECT_FALSE(table.save());
    EXPECT_EQ(readBytes(target).size(), 4u + 3 * 36);
    EXPECT_TRUE(fs::is_symlink(path()));
    // No temporary file is left beside the link, the middle link or the target.
    EXPECT_EQ(strayFiles(), 1u); // the folder "saves"
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.file("saves")), {}), 2);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.file("saves/deep")), {}), 1);
}

} // namespace
