// The picture's place in a window of any size, and the mapping of the mouse and of changed
// areas between the window and the picture; then the same through a headless game.
#include "app/platform/PictureFit.h"

#include "tests/support/GameHarness.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

using Area = PictureFit::Area;

TEST(PictureFit, ScaledAsLargeAsFitsWithItsShapeKeptAndCentred) {
    struct Case {
        int w, h;
        Area shown;
        bool whole;
    };
    for (const Case& c : {
             Case{800, 608, {0, 0, 800, 608}, true},
             Case{1200, 912, {0, 0, 1200, 912}, false},     // 150 %
             Case{1920, 1080, {260, 8, 1400, 1064}, false}, // 7/4: bars on four sides
             Case{1600, 1300, {0, 42, 1600, 1216}, true},   // 2: bars above and below
             Case{1200, 700, {150, 8, 900, 684}, false},
             Case{801, 609, {0, 0, 800, 608}, true}, // no step fits: the picture stays 1:1
             Case{10, 10, {-8, -5, 25, 19}, false},  // smaller than a step: one step
         }) {
        const PictureFit fit(800, 608, c.w, c.h);
        EXPECT_EQ(fit.onWindow(), c.shown) << c.w << "x" << c.h;
        EXPECT_EQ(fit.isWholeScale(), c.whole) << c.w << "x" << c.h;
    }
}

TEST(PictureFit, WindowPointsMapToThePicturesPixels) {
    const PictureFit fit(800, 608, 1920, 1080); // scale 7/4 from (260, 8)
    // A point of the window, and the picture's pixel there.
    const int probes[][4] = {
        {260, 8, 0, 0},
        {261, 9, 0, 0},         // still inside the first pixel
        {260 + 7, 8 + 7, 4, 4}, // 7 window pixels are 4 picture pixels
        {1659, 1071, 799, 607},
        {259, 7, -1, -1}, // in the bars: beside the picture, not on its edge
        {1660, 1072, 800, 608},
    };
    for (const auto& p : probes) {
        int x = 0;
        int y = 0;
        fit.toPicture(p[0], p[1], x, y);
        EXPECT_EQ(std::pair(x, y), std::pair(p[2], p[3])) << p[0] << "," << p[1];
    }
}

TEST(PictureFit, ChangedAreasSnapToWholeWindowPixels) {
    const PictureFit fit(800, 608, 1920, 1080); // 7/4: every 4 picture pixels are 7 whole ones
    EXPECT_EQ(fit.snapped({10, 10, 16, 16}, 0), (Area{8, 8, 20, 20}));
    EXPECT_EQ(fit.snapped({10, 10, 16, 16}, 1), (Area{8, 8, 20, 20}));
    EXPECT_EQ(fit.snapped({8, 8, 16, 16}, 1), (Area{4, 4, 24, 24}));
    EXPECT_EQ(fit.toWindow({4, 4, 24, 24}), (Area{267, 15, 42, 42}));
    // Cut to the picture; nothing of it there gives an empty area.
    EXPECT_EQ(fit.snapped({-5, 600, 20, 20}, 1), (Area{0, 596, 16, 12}));
    EXPECT_EQ(fit.snapped({900, 0, 10, 10}, 1), Area{});
    EXPECT_EQ(fit.snapped({10, 10, 0, 5}, 1), Area{});
    // At a whole scale every pixel edge is a whole window pixel.
    const PictureFit twice(800, 608, 1600, 1216);
    EXPECT_EQ(twice.snapped({3, 5, 1, 1}, 0), (Area{3, 5, 1, 1}));
    EXPECT_EQ(twice.toWindow({3, 5, 1, 1}), (Area{6, 10, 2, 2}));
}

// The menu in a window of 1200 x 700 (the picture at 9/8 from (150, 8)): the mouse over the
// scaled "Graj" is over it, and a click there opens the game.
TEST(PictureFit, TheGameMapsTheMouseThroughTheWindowsFit) {
    zxtest::GameHarness harness;
    ASSERT_TRUE(harness.started());
    SDL_SetWindowSize(harness.game().getWindow(), 1200, 700);
    harness.turn();
    // "Graj" spans x 320..480, y 248..296 of the picture: its middle (400, 272) is drawn at
    // (600, 314) of the window, where the unscaled picture has the "Info" button's left edge.
    harness.mouseMove(600, 314);
    harness.turn();
    int x = 0;
    int y = 0;
    harness.game().mouseInPicture(x, y);
    EXPECT_EQ(x, 400);
    EXPECT_EQ(y, 272);
    harness.mouseUp(600, 314);
    harness.turn(2);
    EXPECT_EQ(zxtest::currentPlace(), zxtest::Place::Game);
}

} // namespace
