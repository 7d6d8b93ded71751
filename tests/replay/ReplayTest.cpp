// Recorded runs: the file format read strictly, the recorded runs under tests/recorded played
// back exactly in the game, a changed one found out at its first difference, and the recorder
// keeping its folder to the table's runs and the last twenty.
#include "app/Game.h"
#include "replay/RunPlayer.h"
#include "replay/RunRecorder.h"
#include "replay/TapeFile.h"
#include "score/ScoreTable.h"
#include "tests/support/GameHarness.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string recorded(const std::string& name) {
    return std::string(std::getenv("ZX_SOURCE_DIR")) + "/tests/recorded/" + name;
}

Tape everyKind() {
    Tape tape;
    tape.version = "1.0.0";
    tape.seed = 0xDEADBEEF;
    tape.startTime = 1234;
    tape.setTitle = "Zembrix";
    tape.setHash = 0x0123456789ABCDEFull;
    tape.updates = 200000;
    tape.end = RunEnd::Named;
    tape.points = 4321;
    tape.name = "\xA3ucja";
    tape.entries = {
        {0, TapeKind::KeyDown, 0, SDLK_a, SDL_SCANCODE_A, KMOD_LSHIFT, 1, ""},
        {0, TapeKind::KeyUp, 0, SDLK_a, SDL_SCANCODE_A, 0, 0, ""},
        {3, TapeKind::KeyDown, 0, SDLK_d, SDL_SCANCODE_D, 0, 0, ""},
        {4, TapeKind::KeyDown, 0, SDLK_d, SDL_SCANCODE_D, 0, 1, ""},
        {4, TapeKind::KeyDown, 0, SDLK_d, SDL_SCANCODE_D, 0, 1, ""},
        {5, TapeKind::MouseDown, 0, -3, 607, SDL_BUTTON_LEFT, 2, ""},
        {5, TapeKind::MouseUp, 0, 799, 0, SDL_BUTTON_RIGHT, 1, ""},
        {70000, TapeKind::Window, 255, SDL_WINDOWEVENT_FOCUS_LOST, -1, 1 << 30, 0, ""},
        {70001, TapeKind::Pad, 0, 6, 1, 0, 0, ""},
        {150000, TapeKind::Leave, 0, 0, 0, 0, 0, ""},
        {150000, TapeKind::Quit, 0, 0, 0, 0, 0, ""},
        {199999, TapeKind::Name, 0, 1, 0, 0, 0, "\xA3ucja"},
    };
    tape.checks = {{119, 1}, {239, 0xFFFFFFFF}};
    return tape;
}

bool decodes(const std::vector<std::uint8_t>& bytes, std::string& why) {
    Tape tape;
    return decodeTape(bytes.data(), bytes.size(), tape, why);
}

TEST(TapeFile, EveryKindOfEntryComesBackAsItWent) {
    const Tape tape = everyKind();
    const std::vector<std::uint8_t> bytes = encodeTape(tape);
    Tape back;
    std::string why;
    ASSERT_TRUE(decodeTape(bytes.data(), bytes.size(), back, why)) << why;
    EXPECT_EQ(back, tape);
}

TEST(TapeFile, CutChangedAndForeignBytesAreRefusedWithTheirReason) {
    const std::vector<std::uint8_t> bytes = encodeTape(everyKind());
    std::string why;
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        const std::vector<std::uint8_t> cut(bytes.begin(),
                                            bytes.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_FALSE(decodes(cut, why)) << "cut to " << length;
    }
    for (std::size_t at = 8; at < bytes.size(); ++at) {
        std::vector<std::uint8_t> changed = bytes;
        changed[at] ^= 0x10;
        EXPECT_FALSE(decodes(changed, why)) << "byte " << at;
    }
    std::vector<std::uint8_t> foreign = bytes;
    foreign[0] = 'P';
    EXPECT_FALSE(decodes(foreign, why));
    EXPECT_EQ(why, "not a Zembrix replay");
    std::vector<std::uint8_t> newer = bytes;
    newer[4] = 2;
    EXPECT_FALSE(decodes(newer, why));
    EXPECT_NE(why.find("format 2"), std::string::npos) << why;
}

// Plays a tape back in a headless game to its end.
void playBack(RunPlayer& player) {
    zxtest::GameHarness harness;
    ASSERT_TRUE(harness.started());
    harness.game().playBack(&player);
    harness.game().playBackUnseen();
}

TEST(RecordedRuns, PlayBackExactlyWithTheirPointsAndNames) {
    struct Case {
        const char* file;
        std::uint32_t points;
        const char* name;
    };
    for (const Case& c :
         {Case{"lost-on-level-1.zxr", 10, "Przegrana"}, Case{"through-level-2.zxr", 1689,
                                                             "\xA3ucja \xAF"
                                                             "ak"}}) {
        Tape tape;
        std::string why;
        ASSERT_TRUE(readTapeFile(recorded(c.file), tape, why)) << c.file << ": " << why;
        RunPlayer player(tape);
        playBack(player);
        EXPECT_TRUE(player.ended()) << c.file;
        EXPECT_TRUE(player.exact()) << c.file << ": " << player.firstDifference();
        EXPECT_EQ(player.points(), c.points) << c.file;
        EXPECT_EQ(player.name(), c.name) << c.file;
        EXPECT_EQ(player.updates(), tape.updates) << c.file;
    }
}

TEST(RecordedRuns, AChangedInputIsFoundAtTheFirstCheckAfterIt) {
    Tape tape;
    std::string why;
    ASSERT_TRUE(readTapeFile(recorded("through-level-2.zxr"), tape, why)) << why;
    // The first steering key held a little later than it was.
    auto key = std::find_if(tape.entries.begin(), tape.entries.end(), [](const TapeEntry& e) {
        return e.kind == TapeKind::KeyDown && (e.a == SDLK_LEFT || e.a == SDLK_RIGHT);
    });
    ASSERT_NE(key, tape.entries.end());
    const std::uint32_t changedAt = key->update;
    key->update += 1;
    RunPlayer player(tape);
    playBack(player);
    EXPECT_FALSE(player.exact());
    EXPECT_GE(player.differenceUpdate(), changedAt);
    EXPECT_LT(player.differenceUpdate(), changedAt + RunRecorder::kCheckEvery + 1);
}

TEST(Recorder, ARunLeftForTheMenuIsKeptAndTheFolderKeepsTheTablesRunsAndTheLastTwenty) {
    zxtest::TempDir folder;
    // 25 older runs: the oldest is in the score table, the others are not.
    Tape old;
    old.end = RunEnd::Named;
    old.points = 777;
    old.name = "Mistrz";
    for (int i = 0; i < 25; ++i) {
        const std::vector<std::uint8_t> bytes = encodeTape(old);
        std::ofstream(folder.file("2000010" + std::to_string(i / 10) + "-00000" +
                                  std::to_string(i % 10) + ".zxr"),
                      std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        old.name = "Nikt";
    }
    zxtest::GameHarness harness;
    ASSERT_TRUE(harness.started());
    getScoreTable()->insert("Mistrz", 777);
    harness.game().recordRuns(folder.path(), "test");
    harness.turn();
    harness.tap(SDLK_DOWN);
    harness.turn();
    harness.tap(SDLK_RETURN); // "Graj"
    harness.turn();
    harness.tap(SDLK_SPACE);
    harness.turn(30);
    harness.answers.push_back(IDYES);
    harness.tap(SDLK_ESCAPE);
    harness.turn();
    ASSERT_EQ(zxtest::currentPlace(), zxtest::Place::Menu);

    int files = 0;
    bool tableRunKept = false;
    Tape newest;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder.path())) {
        ++files;
        Tape tape;
        std::string why;
        ASSERT_TRUE(readTapeFile(entry.path().string(), tape, why)) << why;
        tableRunKept = tableRunKept || tape.name == "Mistrz";
        if (entry.path().filename().string() > "2001") { // not one of the old ones
            newest = tape;
        }
    }
    EXPECT_EQ(files, 21);
    EXPECT_TRUE(tableRunKept);
    EXPECT_EQ(newest.end, RunEnd::Left);
    EXPECT_EQ(newest.version, "test");
    ASSERT_FALSE(newest.entries.empty());
    // The run began as Enter went down in the menu: the game room saw its release first.
    EXPECT_EQ(newest.entries.front().kind, TapeKind::KeyUp);
    EXPECT_EQ(newest.entries.front().a, SDLK_RETURN);
    EXPECT_EQ(newest.entries[1].kind, TapeKind::KeyDown);
    EXPECT_EQ(newest.entries[1].a, SDLK_SPACE);
    EXPECT_EQ(newest.entries.back().kind, TapeKind::Leave);
    EXPECT_EQ(newest.entries.back().a, 1);
    EXPECT_EQ(newest.updates, newest.entries.back().update + 1);
}

} // namespace
