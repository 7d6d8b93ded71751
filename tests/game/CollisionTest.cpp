// Tests of the integer collision helpers: inRange, centreInside and hitSide.
#include "game/Object.h"
#include "game/PlayField.h"

#include <gtest/gtest.h>

namespace {

TEST(InRange, IncludesBothEndsAndComparesSigned) {
    EXPECT_TRUE(inRange(5, 5, 5));
    EXPECT_FALSE(inRange(4, 5, 6));
    EXPECT_TRUE(inRange(6, 5, 6));
    EXPECT_FALSE(inRange(7, 5, 6));
    EXPECT_FALSE(inRange(-1, 0, 10));
    EXPECT_TRUE(inRange(-1, -1, 10));
}

// The ball resting above the bat: 16 x 16 at (392, 543) against 96 x 16 at (352, 560).
TEST(HitSide, BallAboveTheBatIsOnItsTopButNotInside) {
    const HitBox ball{kBallRestX, kBallSize, kBallRestY, kBallSize};
    const HitBox bat{kBatStartX, kBatWidth, kBatTop, kBatHeight};
    EXPECT_EQ(hitSide(ball, bat, 1), SideTop);
    EXPECT_FALSE(centreInside(ball, bat));
}

TEST(HitSide, BandsReachOneSizeOfTheBoxBeyondEachFace) {
    const HitBox b{100, 64, 200, 32}; // spans x 100..164, y 200..232, middle y 216
    // Above and below, with the centre over b (centre = box + 8).
    EXPECT_EQ(hitSide(HitBox{124, 16, 176, 16}, b, 1), SideTop);    // cy 184 = 200 - 16
    EXPECT_EQ(hitSide(HitBox{124, 16, 175, 16}, b, 1), SideNone);   // cy 183, beyond the band
    EXPECT_EQ(hitSide(HitBox{124, 16, 208, 16}, b, 1), SideTop);    // cy 216: the middle is top
    EXPECT_EQ(hitSide(HitBox{124, 16, 209, 16}, b, 1), SideBottom); // cy 217
    EXPECT_EQ(hitSide(HitBox{124, 16, 240, 16}, b, 1), SideBottom); // cy 248 = 232 + 16
    EXPECT_EQ(hitSide(HitBox{124, 16, 241, 16}, b, 1), SideNone);
    // Beside b, with the centre within its height.
    EXPECT_EQ(hitSide(HitBox{76, 16, 200, 16}, b, 1), SideLeft);   // cx 84 = 100 - 16
    EXPECT_EQ(hitSide(HitBox{75, 16, 200, 16}, b, 1), SideNone);   // cx 83
    EXPECT_EQ(hitSide(HitBox{164, 16, 200, 16}, b, 1), SideRight); // cx 172
    EXPECT_EQ(hitSide(HitBox{172, 16, 200, 16}, b, 1), SideRight); // cx 180 = 164 + 16
    EXPECT_EQ(hitSide(HitBox{173, 16, 200, 16}, b, 1), SideNone);
    // A centre on the right edge still counts as over the box: a horizontal face.
    EXPECT_EQ(hitSide(HitBox{156, 16, 190, 16}, b, 1), SideTop); // cx 164
    // Diagonally off a corner: neither span holds the centre.
    EXPECT_EQ(hitSide(HitBox{70, 16, 170, 16}, b, 1), SideNone);
}

TEST(HitSide, DivisorNarrowsTheBands) {
    const HitBox b{100, 64, 200, 32};
    EXPECT_EQ(hitSide(HitBox{124, 16, 180, 16}, b, 1), SideTop);  // cy 188
    EXPECT_EQ(hitSide(HitBox{124, 16, 180, 16}, b, 2), SideNone); // band only 8 above
}

TEST(CentreInside, EdgesIncludedAndSumsWrap) {
    const HitBox b{352, 96, 560, 16};
    EXPECT_TRUE(centreInside(HitBox{344, 16, 552, 16}, b));  // centre (352, 560): corner
    EXPECT_TRUE(centreInside(HitBox{440, 16, 568, 16}, b));  // centre (448, 576): corner
    EXPECT_FALSE(centreInside(HitBox{441, 16, 568, 16}, b)); // one pixel right
    EXPECT_FALSE(centreInside(HitBox{440, 16, 569, 16}, b)); // one pixel down
    // A box left of the origin wraps to a large unsigned x, read back as negative.
    const HitBox nearOrigin{0, 64, 0, 32};
    EXPECT_TRUE(centreInside(HitBox{0xFFFFFFF8u, 16, 0, 16}, nearOrigin));  // cx 0
    EXPECT_FALSE(centreInside(HitBox{0xFFFFFFF0u, 16, 0, 16}, nearOrigin)); // cx -8
}

} // namespace
