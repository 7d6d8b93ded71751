// Tests of the scoreboard room on the headless game: the snapshot, the layout and the frame's
// pixels (panel, separators, outlined title, rows).
#include "gfx/Font.h"
#include "gfx/RenderDevice.h"
#include "gfx/platform/SdlDevice.h"
#include "rooms/RScoreboard.h"
#include "rooms/RoomManager.h"
#include "score/ScoreTable.h"
#include "tests/support/GameHarness.h"
#include "tools/content/MenuArt.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace {

// Rows and separators at 800 x 608: text tops at 117 + 49 i, separators at 102 + 49 i.
constexpr int RowTop = 117;
constexpr int Pitch = 49;
constexpr int Band = 102;

int channel(std::uint32_t argb, int shift) {
    return static_cast<int>((argb >> shift) & 0xFF);
}

// The panel's look by the fixed-function rule: the bound background texture read at (0, 0),
// colour = texel colour x the panel's diffuse 0xE3F2FD, alpha = texel alpha, blended over
// what lies beneath.
std::uint32_t panelOver(std::uint32_t texel, std::uint32_t beneath) {
    const std::uint32_t diffuse = 0x00E3F2FD;
    int alpha = channel(texel, 24);
    std::uint32_t result = 0xFF000000;
    for (int shift : {0, 8, 16}) {
        int source = channel(texel, shift) * channel(diffuse, shift) / 255;
        int blended = (source * alpha + channel(beneath, shift) * (255 - alpha)) / 255;
        result |= static_cast<std::uint32_t>(blended) << shift;
    }
    return result;
}

bool near(std::uint32_t a, std::uint32_t b, int tolerance = 2) {
    for (int shift : {0, 8, 16}) {
        if (std::abs(channel(a, shift) - channel(b, shift)) > tolerance) {
            return false;
        }
    }
    return true;
}

// How much black ink covers a pixel drawn over a known plain colour, 0 to 1 (green channel).
float inkOver(std::uint32_t pixel, std::uint32_t plain) {
    float base = static_cast<float>(channel(plain, 8));
    return 1.0f - static_cast<float>(channel(pixel, 8)) / base;
}

class ScoreboardTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(harness.started()); }

    ScoreTable& table() { return *getScoreTable(); }
    RScoreboard* board() { return dynamic_cast<RScoreboard*>(getRoomManager()->getCurrentRoom()); }
    // Switches to the scoreboard and draws one frame of it.
    void show() {
        getRoomManager()->changeRoom(RoomScoreboard);
        harness.turn();
    }

    // Texts drawn alone in black on a white frame with a font like the rows', read back.
    std::vector<std::uint32_t> referenceRow(int row, const char* label, const char* name,
                                            const char* points) {
        Font font;
        EXPECT_TRUE(font.create("Aria[", 20));
        int y = RowTop + Pitch * row;
        RenderDevice::getInstance()->beginFrame();
        font.draw(label, 32, y, 0xFF000000, DT_LEFT, 0, 0);
        font.draw(name, 64, y, 0xFF000000, DT_LEFT, 0, 0);
        font.draw(points, 768, y, 0xFF000000, DT_RIGHT, 0, 0);
        std::vector<std::uint32_t> pixels;
        int width = 0;
        int height = 0;
        EXPECT_TRUE(sdlgfx::readBackBuffer(RenderDevice::getDevice(), pixels, width, height));
        RenderDevice::getInstance()->endFrame();
        return pixels;
    }

    // Compares the ink of a row's band in the last frame with the texts drawn alone; returns
    // the number of pixels whose coverage differs noticeably, and counts the inked ones.
    int rowMismatches(int row, const std::vector<std::uint32_t>& reference, int& inked) {
        std::uint32_t panel = panelOver(kBackgroundCornerArgb, kBackgroundCornerArgb);
        int mismatches = 0;
        inked = 0;
        for (int y = Band + Pitch * row + 2; y < Band + Pitch * (row + 1) - 1; ++y) {
            for (int x = 18; x < 782; ++x) {
                float expected = inkOver(reference[static_cast<size_t>(y) * 800 + x], 0xFFFFFFFF);
                float drawn = inkOver(harness.pixel(x, y), panel);
                if (expected > 0.5f) {
                    ++inked;
                }
                if (std::fabs(expected - drawn) > 0.15f) {
                    ++mismatches;
                }
            }
        }
        return mismatches;
    }

    zxtest::GameHarness harness;
};

TEST_F(ScoreboardTest, LayoutFollowsTheScreenAndTheFonts) {
    show();
    ASSERT_NE(board(), nullptr);
    ScoreboardLayout layout = board()->computeLayout();
    EXPECT_EQ(layout.gap, 29u);
    EXPECT_EQ(layout.top, 117u);
    EXPECT_EQ(layout.pitch, 49u);
    EXPECT_FLOAT_EQ(layout.band, 102.0f);
}

TEST_F(ScoreboardTest, RowsAreASnapshotTakenAtCreation) {
    table().insert("Ala", 300);
    table().insert("", 500);
    table().insert("Olek", 100);
    show();
    ASSERT_NE(board(), nullptr);
    ASSERT_NE(board()->getRow(0), nullptr);
    EXPECT_STREQ(board()->getRow(0)->name, "");
    EXPECT_EQ(board()->getRow(0)->points, 500u);
    EXPECT_STREQ(board()->getRow(1)->name, "Ala");
    EXPECT_STREQ(board()->getRow(2)->name, "Olek");
    EXPECT_EQ(board()->getRow(2)->points, 100u);
    for (std::uint32_t place = 3; place < 10; ++place) {
        EXPECT_EQ(board()->getRow(place), nullptr) << place;
    }
    // Later changes of the table show only in a room created afterwards.
    table().insert("Ewa", 900);
    harness.turn();
    EXPECT_STREQ(board()->getRow(0)->name, "");
    EXPECT_EQ(board()->getRow(3), nullptr);
    show();
    EXPECT_STREQ(board()->getRow(0)->name, "Ewa");
    EXPECT_EQ(board()->getRow(3)->points, 100u);
}

TEST_F(ScoreboardTest, PanelTakesTheBackgroundCornerTexelTimesItsColour) {
    // The menu shows the bare background everywhere outside its logo and buttons.
    harness.turn();
    std::vector<std::uint32_t> menuFrame = harness.frame();
    show();
    std::uint32_t corner = harness.pixel(0, 0);
    EXPECT_EQ(corner, kBackgroundCornerArgb);
    std::uint32_t panel = panelOver(corner, corner);
    EXPECT_TRUE(near(panel, 0xFFE3F2FD)) << std::hex << panel;
    // Corners and edges of the panel, and points between rows and separators.
    const int inside[][2] = {{16, 102}, {783, 102}, {16, 591},  {783, 591}, {400, 106},
                             {20, 145}, {780, 145}, {500, 300}, {400, 588}};
    for (const auto& p : inside) {
        std::uint32_t pixel = harness.pixel(p[0], p[1]);
        EXPECT_TRUE(near(pixel, panel)) << p[0] << "," << p[1] << " " << std::hex << pixel;
    }
    // Just outside the panel the background shows unchanged, as in the menu.
    const int outside[][2] = {{15, 300}, {784, 300}, {780, 101}, {400, 592}, {10, 600}};
    for (const auto& p : outside) {
        size_t index = static_cast<size_t>(p[1]) * 800 + static_cast<size_t>(p[0]);
        EXPECT_EQ(harness.pixel(p[0], p[1]), menuFrame[index]) << p[0] << "," << p[1];
    }
}

TEST_F(ScoreboardTest, NineSeparatorsLieBetweenTheRows) {
    show();
    std::uint32_t panel = panelOver(kBackgroundCornerArgb, kBackgroundCornerArgb);
    for (int i = 1; i < 10; ++i) {
        int y = Band + Pitch * i;
        for (int x : {17, 200, 400, 600, 782}) {
            EXPECT_EQ(harness.pixel(x, y), 0xFF000000u) << x << "," << y;
        }
        // One pixel thick, ending at the panel's sides.
        EXPECT_TRUE(near(harness.pixel(400, y - 1), panel)) << y;
        EXPECT_TRUE(near(harness.pixel(400, y + 1), panel)) << y;
        EXPECT_NE(harness.pixel(14, y), 0xFF000000u) << y;
        EXPECT_NE(harness.pixel(785, y), 0xFF000000u) << y;
    }
    // None along the panel's top and bottom edges.
    for (int x : {17, 400, 782}) {
        EXPECT_TRUE(near(harness.pixel(x, Band), panel)) << x;
        EXPECT_TRUE(near(harness.pixel(x, Band + 10 * Pitch - 1), panel)) << x;
    }
}

TEST_F(ScoreboardTest, TitleIsWhiteWithABlackOutline) {
    show();
    // Find the title's white ink above the panel and its leftmost column.
    int leftmost = 800;
    int leftmostY = 0;
    int rightmost = -1;
    int whites = 0;
    for (int y = 20; y < 100; ++y) {
        for (int x = 0; x < 800; ++x) {
            std::uint32_t p = harness.pixel(x, y);
            // Pure white ink away from the background's own white: surrounded by the outline.
            if (channel(p, 0) >= 250 && channel(p, 8) >= 250 && channel(p, 16) >= 250) {
                bool blackNear = false;
                for (int d = 1; d <= 3 && !blackNear; ++d) {
                    for (auto [dx, dy] : {std::pair{-d, 0}, {d, 0}, {0, -d}, {0, d}}) {
                        std::uint32_t q = harness.pixel(x + dx, y + dy);
                        blackNear = blackNear || (channel(q, 0) < 60 && channel(q, 8) < 60 &&
                                                  channel(q, 16) < 60);
                    }
                }
                if (!blackNear) {
                    continue;
                }
                ++whites;
                if (x < leftmost) {
                    leftmost = x;
                    leftmostY = y;
                }
                rightmost = std::max(rightmost, x);
            }
        }
    }
    ASSERT_GT(whites, 50);
    // Centred on x = 400.
    EXPECT_NEAR((leftmost + rightmost) / 2, 400, 6);
    // The outline copies shifted by two pixels left of the leftmost ink are black.
    std::uint32_t up = harness.pixel(leftmost - 2, leftmostY - 2);
    std::uint32_t down = harness.pixel(leftmost - 2, leftmostY + 2);
    EXPECT_TRUE(channel(up, 8) < 100 || channel(down, 8) < 100) << std::hex << up << " " << down;
}

TEST_F(ScoreboardTest, EmptyPlacesShowNotAvailableAndZero) {
    show();
    for (int row : {0, 4, 9}) {
        std::string label = std::to_string(row + 1) + ".";
        std::vector<std::uint32_t> reference = referenceRow(row, label.c_str(), "n/a", "0");
        int inked = 0;
        EXPECT_LE(rowMismatches(row, reference, inked), 4) << row;
        EXPECT_GT(inked, 20) << row;
    }
}

TEST_F(ScoreboardTest, RecordsShowTheirNamesAndPoints) {
    const std::string longName(31, 'W');
    table().insert("Zbyszek", 12345);
    table().insert(longName.c_str(), 4294967295u);
    table().insert("", 7);
    show();
    struct Expected {
        int row;
        const char* label;
        const char* name;
        const char* points;
    };
    // Points are unsigned: the largest score is not shown as a negative number.
    const Expected rows[] = {{0, "1.", longName.c_str(), "4294967295"},
                             {1, "2.", "Zbyszek", "12345"},
                             {2, "3.", "", "7"},
                             {3, "4.", "n/a", "0"}};
    for (const Expected& e : rows) {
        std::vector<std::uint32_t> reference = referenceRow(e.row, e.label, e.name, e.points);
        int inked = 0;
        EXPECT_LE(rowMismatches(e.row, reference, inked), 4) << e.row;
        EXPECT_GT(inked, 10) << e.row;
    }
    // The long name is drawn whole: its ink reaches far to the right of its start.
    bool inkFarRight = false;
    for (int x = 400; x < 560 && !inkFarRight; ++x) {
        for (int y = RowTop; y < RowTop + 20 && !inkFarRight; ++y) {
            inkFarRight = channel(harness.pixel(x, y), 8) < 80;
        }
    }
    EXPECT_TRUE(inkFarRight);
    // The points of a row end at x = 768.
    int rightmostInk = 0;
    for (int x = 700; x < 790; ++x) {
        for (int y = RowTop + Pitch; y < RowTop + Pitch + 22; ++y) {
            if (channel(harness.pixel(x, y), 8) < 80) {
                rightmostInk = x;
            }
        }
    }
    EXPECT_GE(rightmostInk, 760);
    EXPECT_LE(rightmostInk, 768);
}

TEST_F(ScoreboardTest, OnlyEscapeReleasedLeaves) {
    show();
    harness.mouseMove(400, 400);
    for (SDL_Keycode key : {SDLK_RETURN, SDLK_SPACE, SDLK_a}) {
        harness.tap(key);
    }
    harness.keyDown(SDLK_ESCAPE);
    harness.mouseUp(400, 400);
    harness.turn();
    ASSERT_NE(board(), nullptr);
    // The events after the release in the same turn reach the new menu: this left-button
    // release over "Info" opens the Info box in the menu's first update.
    harness.keyUp(SDLK_ESCAPE);
    harness.mouseUp(400, 400);
    harness.turn();
    ASSERT_EQ(zxtest::currentPlace(), zxtest::Place::Menu);
    ASSERT_EQ(harness.boxes.size(), 1u);
    EXPECT_EQ(harness.boxes[0].caption, "Info");
}

} // namespace
