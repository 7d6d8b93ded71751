// Tests of the stones: points by colour, the breaking frames, the rising text, free lives.
#include "game/Stone.h"
#include "game/GameRandom.h"
#include "game/PlayField.h"
#include "gfx/RenderDevice.h"
#include "gfx/Sprite.h"
#include "tests/game/GameRoomFixture.h"
#include "tests/game/GameTestAccess.h"
#include "tests/support/BoxCheck.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

class StoneTest : public zxtest::GameRoomFixture {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(startQuiet());
        ASSERT_NE(enterGame(), nullptr);
    }
};

// A seed whose first roll % 100 is 50, and one whose first is not.
unsigned seedWithFirstRoll(bool fifty) {
    for (unsigned seed = 1;; ++seed) {
        gameRandom().seed(seed);
        if ((gameRandom().next() % 100 == 50) == fifty) {
            return seed;
        }
    }
}

TEST_F(StoneTest, PointsAndPicturesByColour) {
    const struct {
        StoneColour colour;
        std::int32_t points;
    } kinds[] = {{Green, 100}, {Orange, 50}, {Purple, 10}};
    for (const auto& kind : kinds) {
        Stone stone(96, 64, kind.colour);
        EXPECT_EQ(stone.getPoints(), kind.points);
        EXPECT_TRUE(stone.isSolid());
        EXPECT_TRUE(stone.isVisible());
        EXPECT_FALSE(stone.isTextVisible());
        EXPECT_FALSE(stone.hasFreeLife());
        EXPECT_EQ(stone.getTextAlpha(), 255u);
        ASSERT_NE(stone.getSprite(), nullptr);
        EXPECT_EQ(stone.getSprite()->getWidth(), kStoneWidth);
        EXPECT_EQ(stone.getSprite()->getHeight(), kStoneHeight);
        EXPECT_FALSE(stone.getSprite()->isAnimated());
        EXPECT_EQ(stone.getSprite()->getPosition().x, 96.0f);
        EXPECT_EQ(stone.getSprite()->getPosition().y, 64.0f);
        const HitBox box = stone.getHitBox();
        EXPECT_EQ(box.width, kStoneWidth);
        EXPECT_EQ(box.height, kStoneHeight);
    }
}

TEST_F(StoneTest, BreakingFramesAndHidingInTheTenthUpdate) {
    Stone stone(96, 64, Orange);
    stone.setSolid(false);
    stone.startBreaking();
    Sprite* strip = stone.getSprite();
    ASSERT_NE(strip, nullptr);
    EXPECT_TRUE(strip->isAnimated());
    EXPECT_EQ(strip->getFrameCount(), 5u);
    EXPECT_EQ(strip->getWidth(), 5 * kStoneWidth);
    EXPECT_EQ(strip->getPosition().x, 96.0f);
    EXPECT_EQ(strip->getPosition().y, 64.0f);
    std::vector<std::uint32_t> frames;
    for (int i = 1; i <= 10; ++i) {
        EXPECT_TRUE(stone.isVisible()) << "before update " << i;
        stone.update();
        frames.push_back(stone.getSprite()->getCurrentFrame());
    }
    EXPECT_EQ(frames, (std::vector<std::uint32_t>{0, 1, 1, 2, 2, 3, 3, 4, 4, 5}));
    EXPECT_FALSE(stone.isVisible());
    EXPECT_TRUE(stone.isTextVisible());
}

TEST_F(StoneTest, TextRisesAndFadesForFiftyTwoUpdates) {
    Stone stone(96, 64, Green);
    stone.startBreaking();
    EXPECT_TRUE(stone.isTextVisible());
    EXPECT_EQ(stone.getTextY(), 64);
    EXPECT_EQ(stone.getTextX(), static_cast<std::int32_t>(96 + kStoneWidth / 2));
    stone.update();
    EXPECT_EQ(stone.getTextY(), 62);
    EXPECT_EQ(stone.getTextAlpha(), 250u);
    zxtest::updateTimes(stone, 50); // to the 51st
    EXPECT_TRUE(stone.isTextVisible());
    EXPECT_EQ(stone.getTextAlpha(), 0u);
    EXPECT_EQ(stone.getTextY(), 64 - 102);
    stone.update(); // the 52nd
    EXPECT_FALSE(stone.isTextVisible());
    EXPECT_EQ(stone.getTextY(), 64 - 104);
}

TEST_F(StoneTest, FreeLifeRollIsSeededAndAddsOneLifeOnce) {
    Stone plain(96, 64, Purple);
    gameRandom().seed(seedWithFirstRoll(false));
    plain.rollFreeLife();
    EXPECT_FALSE(plain.hasFreeLife());

    Stone lucky(96, 64, Purple);
    gameRandom().seed(seedWithFirstRoll(true));
    lucky.rollFreeLife();
    EXPECT_TRUE(lucky.hasFreeLife());
    ASSERT_EQ(room()->getLives(), 3u);
    lucky.startBreaking();
    EXPECT_EQ(room()->getLives(), 4u);
    zxtest::updateTimes(lucky, 60);
    EXPECT_EQ(room()->getLives(), 4u);
    EXPECT_EQ(lucky.getPoints(), 10);
}

// A breaking strip that the pack lacks leaves a sprite without frames; the text is then placed
// as for one frame of it instead of dividing by zero.
class StoneWithoutStrip : public zxtest::GameRoomFixture {};

TEST_F(StoneWithoutStrip, TextPlacedAsForOneFrame) {
    std::vector<PackFile> files = zxtest::gamePicturesWithout("stone_breaking_green.png");
    files.push_back(zxtest::levelFile(1, zxtest::quietLevel()));
    ASSERT_NO_FATAL_FAILURE(start(files));
    ASSERT_NE(enterGame(), nullptr);
    const std::size_t boxesBefore = harness().boxes.size();

    Stone stone(96, 64, Green);
    stone.startBreaking();
    ASSERT_EQ(harness().boxes.size(), boxesBefore + 1);
    EXPECT_EQ(harness().boxes.back(), zxtest::invalidDataBox());
    ASSERT_NE(stone.getSprite(), nullptr);
    EXPECT_EQ(stone.getSprite()->getFrameCount(), 0u);
    EXPECT_EQ(stone.getTextX(), 96);
    for (int i = 0; i < 52; ++i) {
        stone.update();
        RenderDevice::getInstance()->beginFrame();
        stone.draw();
        RenderDevice::getInstance()->endFrame();
    }
    EXPECT_FALSE(stone.isTextVisible());
}

} // namespace
