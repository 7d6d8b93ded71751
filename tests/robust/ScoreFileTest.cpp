// Damaged or foreign "scoreboard.zxs" files read by the running game: never a crash, and a valid
// file's records are written back as they were.
#include "app/Game.h"
#include "pack/ByteOrder.h"
#include "rooms/RoomManager.h"
#include "score/ScoreTable.h"
#include "tests/pack/FileBytes.h"
#include "tests/robust/RobustPlay.h"
#include "tests/support/Captured.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// A valid file of k records, best first: Windows-1250 names with bytes after the terminator.
Bytes validFile(std::uint32_t k, std::uint32_t topPoints) {
    Bytes bytes;
    appendU32le(bytes, k < 9 ? k : 9);
    for (std::uint32_t j = 0; j < k; ++j) {
        std::uint8_t name[32];
        std::memset(name, 0xC0 + j, sizeof name); // meaningless bytes after the terminator
        const std::string text = "Gracz \xA3\xF3\x9F " + std::to_string(j);
        std::memcpy(name, text.c_str(), text.size() + 1);
        bytes.insert(bytes.end(), name, name + sizeof name);
        appendU32le(bytes, topPoints - j / 2 * 10); // pairs of equal points
    }
    return bytes;
}

// The game's table holding the records of bytes, as start-up reads "scoreboard.zxs".
void loadScores(const zxtest::GameHarness& harness, const Bytes& bytes) {
    ASSERT_TRUE(writeBytes(harness.dir() + "/scoreboard.zxs", bytes));
    getScoreTable()->load();
}

// Shows the scoreboard with the table's rows, then the menu again.
void visitScoreboard(zxtest::GameHarness& harness) {
    getRoomManager()->changeRoom(RoomScoreboard);
    harness.turn();
    harness.keyUp(SDLK_ESCAPE);
    harness.turn();
    EXPECT_EQ(zxtest::currentPlace(), zxtest::Place::Menu);
}

std::uint32_t filledPlaces(const ScoreTable& table) {
    std::uint32_t filled = 0;
    while (filled < ScoreTable::kPlaces && table.at(filled) != nullptr) {
        ++filled;
    }
    return filled;
}

TEST(ScoreFile, AValidFileOfEverySizeIsWrittenBackByteForByte) {
    for (std::uint32_t k = 0; k <= 10; ++k) {
        SCOPED_TRACE(k);
        zxtest::GameHarness harness;
        ASSERT_TRUE(harness.started());
        const Bytes file = validFile(k, 5000);
        loadScores(harness, file);
        EXPECT_EQ(filledPlaces(*getScoreTable()), k);
        visitScoreboard(harness);
        harness.game().shutdown(); // saves the table
        EXPECT_EQ(readBytes(harness.dir() + "/scoreboard.zxs"), file);
    }
}

TEST(ScoreFile, ARunAddsItsRecordAndKeepsEveryRecordOfTheFile) {
    for (std::uint32_t k : {0u, 4u, 9u, 10u}) {
        SCOPED_TRACE(k);
        zxtest::GameHarness harness;
        ASSERT_TRUE(harness.started());
        // Scores above any run's total, so the run comes last.
        const Bytes file = validFile(k, 4000000000u);
        loadScores(harness, file);
        const robust::PlayLog log = robust::playALittle(harness);
        ASSERT_EQ(log.namesAsked, 1);
        harness.game().shutdown();
        const Bytes saved = readBytes(harness.dir() + "/scoreboard.zxs");
        const std::size_t kept = 4 + 36 * static_cast<std::size_t>(k);
        ASSERT_GE(saved.size(), kept);
        // The file's records stand first, unchanged; the run follows where there was room.
        EXPECT_TRUE(std::equal(file.begin() + 4, file.end(), saved.begin() + 4));
        EXPECT_EQ(saved.size(), k < 10 ? kept + 36 : kept);
        if (k < 10) {
            EXPECT_STREQ(reinterpret_cast<const char*>(&saved[kept]), "Robust");
            EXPECT_EQ(saved[0], k + 1 < 9 ? k + 1 : 9);
        }
    }
}

// Checks the table after loading bytes: records as the file held them, names cut to 31 bytes,
// a count above 9 setting the file aside whole (the copy is then deleted, so that the next
// refused file takes the same name); then that a save and a load keep the records.
void checkLoaded(zxtest::GameHarness& harness, const Bytes& bytes) {
    const std::string path = harness.dir() + "/scoreboard.zxs";
    std::string out;
    const std::string err =
        zxtest::stderrOf([&] { out = zxtest::stdoutOf([&] { loadScores(harness, bytes); }); });
    const ScoreTable& table = *getScoreTable();
    const std::uint32_t count = bytes.size() >= 4 ? readU32le(bytes.data()) : 0;
    const std::uint32_t whole =
        bytes.size() >= 4 ? static_cast<std::uint32_t>((bytes.size() - 4) / 36) : 0;
    if (count > 9) {
        EXPECT_FALSE(std::filesystem::exists(path));
        EXPECT_NE(out.find("File \"scoreboard.zxs\" has been removed!"), std::string::npos);
        EXPECT_NE(err.find("kept as \"scoreboard.zxs.damaged\""), std::string::npos) << err;
        EXPECT_EQ(readBytes(path + ".damaged"), bytes);
        std::filesystem::remove(path + ".damaged");
        EXPECT_EQ(filledPlaces(table), 0u);
    } else {
        EXPECT_EQ(filledPlaces(table), count == 0 ? 0u : std::min(count + 1, whole));
    }
    for (std::uint32_t i = 0; i < filledPlaces(table); ++i) {
        EXPECT_LE(std::strlen(table.at(i)->name), 31u);
        EXPECT_EQ(
            std::memcmp(table.at(i)->name, &bytes[4 + 36 * i], std::strlen(table.at(i)->name)), 0);
    }
    if (count <= 9) {
        visitScoreboard(harness); // a refused file shows the same empty table every time
    }
    ScoreRecord before[ScoreTable::kPlaces];
    const std::uint32_t filled = filledPlaces(table);
    for (std::uint32_t i = 0; i < filled; ++i) {
        before[i] = *table.at(i);
    }
    ASSERT_TRUE(table.save());
    getScoreTable()->load();
    ASSERT_EQ(filledPlaces(table), filled);
    for (std::uint32_t i = 0; i < filled; ++i) {
        EXPECT_STREQ(table.at(i)->name, before[i].name);
        EXPECT_EQ(table.at(i)->points, before[i].points);
    }
}

TEST(ScoreFile, DamagedFilesNeverStopTheGame) {
    zxtest::GameHarness harness;
    ASSERT_TRUE(harness.started());
    const Bytes full = validFile(10, 900);
    std::mt19937 random(2024);
    std::vector<Bytes> files;
    // A valid file cut at every record boundary and inside records.
    for (std::size_t length = 0; length <= full.size(); length += (length % 36 == 4) ? 17 : 19) {
        files.emplace_back(full.begin(), full.begin() + static_cast<long>(length));
    }
    // Every count with ten records of names without terminators.
    for (std::uint32_t count = 0; count <= 255; ++count) {
        Bytes bytes;
        appendU32le(bytes, count);
        for (int j = 0; j < 10 * 36; ++j) {
            bytes.push_back(static_cast<std::uint8_t>(1 + random() % 255));
        }
        files.push_back(bytes);
    }
    // Random bytes of random lengths, with small counts so that most are read.
    for (int round = 0; round < 24; ++round) {
        Bytes bytes(random() % 420);
        std::generate(bytes.begin(), bytes.end(),
                      [&] { return static_cast<std::uint8_t>(random()); });
        if (round % 2 == 0 && bytes.size() >= 4) {
            bytes[0] = static_cast<std::uint8_t>(random() % 10);
            bytes[1] = bytes[2] = bytes[3] = 0;
        }
        files.push_back(bytes);
    }
    // Counts that differ only in their high bytes.
    for (std::uint32_t count : {0x100u, 0x10000u, 0x1000000u, 0x80000000u, 0xFFFFFFFFu}) {
        Bytes bytes;
        appendU32le(bytes, count);
        bytes.insert(bytes.end(), full.begin() + 4, full.end());
        files.push_back(bytes);
    }
    for (const Bytes& bytes : files) {
        SCOPED_TRACE(testing::PrintToString(bytes.size()) + " bytes, count byte " +
                     std::to_string(bytes.empty() ? -1 : bytes[0]));
        checkLoaded(harness, bytes);
        if (HasFatalFailure()) {
            return;
        }
    }
    EXPECT_TRUE(harness.game().isRunning());
}

} // namespace
