// Tests of the menu and the scoreboard started from a pack that lacks some of their files.
#include "gfx/Sprite.h"
#include "pack/PackEntries.h"
#include "rooms/Button.h"
#include "rooms/RMenu.h"
#include "rooms/RoomManager.h"
#include "tests/support/BoxCheck.h"
#include "tests/support/GameHarness.h"
#include "tests/support/PackFiles.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

// Writes a copy of the built pack without the entries named in left, into dir; the path.
std::string packWithout(const zxtest::TempDir& dir, const std::set<std::string>& left) {
    std::vector<PackFile> files = zxtest::builtPackFiles();
    EXPECT_FALSE(files.empty());
    std::erase_if(files, [&](const PackFile& file) { return left.count(file.name) != 0; });
    return zxtest::writePackIn(dir, files);
}

TEST(MissingData, ButtonsWithoutPictureAndFontReportEachAndStillWork) {
    zxtest::TempDir packDir;
    zxtest::GameHarness harness(packWithout(packDir, {kButtonEntry, kFontEntry}));
    ASSERT_TRUE(harness.started());
    // Each button reports its missing picture (error icon) and its missing font (no icon).
    const MessageBoxCall noFont{nullptr, "Invalid data!", "", false, MB_OK};
    ASSERT_EQ(harness.boxes.size(), 8u);
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(harness.boxes[i], i % 2 == 0 ? zxtest::invalidDataBox() : noFont) << i;
    }
    RMenu* menu = dynamic_cast<RMenu*>(getRoomManager()->getCurrentRoom());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->getButton(0)->getSprite()->getWidth(), 0u);
    // Without a picture only the top-left pixel of a button counts as over it.
    harness.mouseMove(321, 248);
    harness.turn();
    EXPECT_EQ(menu->getButton(0)->getSprite()->getColour(), 0xFFFFFFFFu);
    harness.mouseMove(320, 248);
    harness.turn();
    EXPECT_EQ(menu->getButton(0)->getSprite()->getColour(), 0xFFC8C8C8u);
    harness.mouseUp(320, 248);
    harness.turn();
    EXPECT_EQ(zxtest::currentPlace(), zxtest::Place::Game);
}

TEST(MissingData, ScoreboardWithoutBackgroundShowsRowsOnTheWhiteClear) {
    zxtest::TempDir packDir;
    zxtest::GameHarness harness(packWithout(packDir, {kBackgroundEntry}));
    ASSERT_TRUE(harness.started());
    ASSERT_EQ(harness.boxes.size(), 1u); // the menu's background
    getRoomManager()->changeRoom(RoomScoreboard);
    harness.turn();
    ASSERT_EQ(harness.boxes.size(), 2u);
    EXPECT_EQ(harness.boxes[1], zxtest::invalidDataBox());
    ASSERT_EQ(zxtest::currentPlace(), zxtest::Place::Scoreboard);
    // With no texture bound the panel's own alpha of 0 leaves it invisible; the separators
    // and the rows' ink still show.
    EXPECT_EQ(harness.pixel(400, 106), 0xFFFFFFFFu);
    EXPECT_EQ(harness.pixel(400, 151), 0xFF000000u);
    int ink = 0;
    for (int y = 117; y < 137; ++y) {
        for (int x = 60; x < 100; ++x) {
            ink += (harness.pixel(x, y) & 0xFF) < 100 ? 1 : 0;
        }
    }
    EXPECT_GT(ink, 10); // "n/a"
}

} // namespace
