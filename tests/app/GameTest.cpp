// Start-up, the main loop's turn and shutdown of the application object, run headless.
#include "tests/support/GameHarness.h"

#include "app/platform/VideoDriver.h"
#include "pack/PackerReader.h"
#include "rooms/RoomManager.h"
#include "score/ScoreTable.h"
#include "tests/pack/FileBytes.h"
#include "tests/support/BoxCheck.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

namespace {

namespace fs = std::filesystem;
using zxtest::GameHarness;

TEST(GameStartup, WithoutThePackItRefusesBeforeAnyWindow) {
    testing::internal::CaptureStdout();
    GameHarness harness("");
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_FALSE(harness.started());
    EXPECT_EQ(harness.game().getWindow(), nullptr);
    EXPECT_EQ(harness.boxes, std::vector<MessageBoxCall>{zxtest::missingPackBox()});
    EXPECT_EQ(out.find("Intialized"), std::string::npos);
    // A failed start-up never writes the score table.
    harness.game().shutdown();
    EXPECT_FALSE(fs::exists(fs::path(harness.dir()) / "scoreboard.zxs"));
}

TEST(GameStartup, MalformedPackIsRefusedLikeAMissingOne) {
    zxtest::TempDir dir;
    ASSERT_TRUE(writeBytes(dir.file("bad.zxp"), {200, 0, 0, 0})); // 200 entries, none present
    GameHarness harness(dir.file("bad.zxp"));
    EXPECT_FALSE(harness.started());
    EXPECT_EQ(harness.boxes, std::vector<MessageBoxCall>{zxtest::missingPackBox()});
}

TEST(GameStartup, OpensTheWindowAndTheServicesInOrder) {
    testing::internal::CaptureStdout();
    GameHarness harness;
    std::string out = testing::internal::GetCapturedStdout();
    ASSERT_TRUE(harness.started()) << out;
    EXPECT_TRUE(harness.game().isRunning());
    EXPECT_EQ(getGame(), &harness.game());
    EXPECT_EQ(getScreenWidth(), 800u);
    EXPECT_EQ(getScreenHeight(), 608u);
    SDL_Window* window = harness.game().getWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_STREQ(SDL_GetWindowTitle(window), "Zembrix");
    int w = 0, h = 0;
    SDL_GetWindowSize(window, &w, &h);
    EXPECT_EQ(w, 800);
    EXPECT_EQ(h, 608);
    EXPECT_NE(SDL_GetWindowFlags(window) & SDL_WINDOW_RESIZABLE, 0u);
    EXPECT_NE(getPackerReader(), nullptr);
    EXPECT_NE(getScoreTable(), nullptr);
    EXPECT_NE(smallFont, nullptr);
    ASSERT_NE(getRoomManager(), nullptr);
    EXPECT_NE(getRoomManager()->getCurrentRoom(), nullptr);
    size_t device = out.find("DirectX initialized!\n");
    size_t done = out.find("Intialized in ");
    ASSERT_NE(device, std::string::npos) << out;
    ASSERT_NE(done, std::string::npos) << out;
    EXPECT_LT(device, done);
    EXPECT_TRUE(harness.boxes.empty());
}

// A display that refuses the connection (here one without a server) is tried again before SDL's
// fallback driver is taken for no display; without DISPLAY the first answer stands.
TEST(GameStartup, ARefusedDisplayIsTriedAgainAndNoDisplayAnsweredAtOnce) {
    const char* names[] = {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"};
    std::vector<std::pair<std::string, std::string>> kept;
    for (const char* name : names) {
        if (const char* value = std::getenv(name)) {
            kept.emplace_back(name, value);
        }
        unsetenv(name);
    }
    setenv("DISPLAY", ":59999", 1);
    VideoStart refused = startVideo();
    std::string refusedError = SDL_GetError();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    unsetenv("DISPLAY");
    VideoStart none = startVideo();
    std::string noneError = SDL_GetError();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    for (const auto& [name, value] : kept) {
        setenv(name.c_str(), value.c_str(), 1);
    }
    EXPECT_FALSE(refused.shows);
    EXPECT_GT(refused.attempts, 1);
    EXPECT_NE(refusedError.find("No display"), std::string::npos) << refusedError;
    EXPECT_FALSE(none.shows);
    EXPECT_EQ(none.attempts, 1);
    EXPECT_NE(noneError.find("No display"), std::string::npos) << noneError;
}

TEST(GameLoop, ARoomNumberThatNamesNoRoomLeavesOnlyTheWhiteClear) {
    GameHarness harness;
    ASSERT_TRUE(harness.started());
    getRoomManager()->changeRoom(RoomEditor + 1);
    EXPECT_EQ(getRoomManager()->getCurrentRoom(), nullptr);
    harness.keyDown(SDLK_SPACE);
    harness.mouseUp(400, 300);
    harness.turn(2);
    for (int y = 0; y < 608; y += 7) {
        for (int x = 0; x < 800; x += 7) {
            ASSERT_EQ(harness.pixel(x, y), 0xFFFFFFFFu) << x << "," << y;
        }
    }
    getRoomManager()->changeRoom(RoomMenu);
    EXPECT_NE(getRoomManager()->getCurrentRoom(), nullptr);
}

TEST(GameShutdown, WritesTheScoreTableAndClearsTheServices) {
    std::string dir;
    {
        GameHarness harness;
        ASSERT_TRUE(harness.started());
        dir = harness.dir();
        harness.turn(3);
        harness.game().shutdown();
        EXPECT_EQ(getPackerReader(), nullptr);
        EXPECT_EQ(getScoreTable(), nullptr);
        EXPECT_EQ(smallFont, nullptr);
        EXPECT_EQ(harness.game().getWindow(), nullptr);
        EXPECT_EQ(fs::file_size(fs::path(dir) / "scoreboard.zxs"), 4u);
        // A second shutdown (the destructor's) finds nothing left to release.
        harness.game().shutdown();
    }
    EXPECT_FALSE(fs::exists(dir));
}

} // namespace
