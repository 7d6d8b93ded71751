// Tests of Sprite: placement, frame strips, tint blending, loading failures and animation.
#include "gfx/Sprite.h"

#include "tests/gfx/GfxFixture.h"

#include <cstdlib>

namespace gfxtest {
namespace {

// Red top-left texel on a blue picture.
std::uint32_t markedCorner(int x, int y) {
    return x == 0 && y == 0 ? 0xFFFF0000 : 0xFF0000FF;
}

// Each column of a strip in its own colour: red = column % 256, green = column / 256.
std::uint32_t columnColour(int x, int) {
    return 0xFF000000u | static_cast<std::uint32_t>(x % 256) << 16 |
           static_cast<std::uint32_t>(x / 256) << 8;
}

class SpriteTest : public GfxFixture {};

TEST_F(SpriteTest, StillSpriteTopLeftTexelLandsAtItsPositionWhateverTheCentre) {
    makePack({{"ball.png", makePng(16, 16, markedCorner)}});
    Sprite sprite(RenderDevice::getDevice(), entry("ball.png"), 16, 16, 0);
    sprite.setPosition(100.0f, 50.0f);
    sprite.setCentre(3.0f, 11.0f);
    drawFrame([&] { sprite.draw(); });
    EXPECT_EQ(pixel(100, 50), 0xFFFF0000u);
    EXPECT_EQ(pixel(101, 50), 0xFF0000FFu);
    EXPECT_EQ(pixel(115, 65), 0xFF0000FFu);
    EXPECT_EQ(pixel(99, 50), White);
    EXPECT_EQ(pixel(100, 49), White);
    EXPECT_EQ(pixel(116, 65), White);
    EXPECT_EQ(pixel(115, 66), White);
}

TEST_F(SpriteTest, PictureIsScaledToTheRequestedSize) {
    makePack({{"big.png", makePng(32, 32, [](int, int) { return 0xFF00FF00u; })}});
    Sprite sprite(RenderDevice::getDevice(), entry("big.png"), 16, 8, 0);
    sprite.setPosition(10.0f, 10.0f);
    drawFrame([&] { sprite.draw(); });
    EXPECT_EQ(pixel(25, 17), 0xFF00FF00u);
    EXPECT_EQ(pixel(26, 17), White);
    EXPECT_EQ(pixel(25, 18), White);
}

TEST_F(SpriteTest, FiveFrameStripAtFrameTwoShowsColumns128To191) {
    makePack({{"strip.png", makePng(320, 32, columnColour)}});
    Sprite sprite(RenderDevice::getDevice(), entry("strip.png"), 320, 32, 5);
    sprite.setLoop(false);
    sprite.setTicksPerFrame(2);
    for (int i = 0; i < 4; ++i) {
        sprite.animate();
    }
    ASSERT_EQ(sprite.getCurrentFrame(), 2u);
    sprite.setCentre(7.0f, 16.0f);
    sprite.setPosition(200.0f, 100.0f);
    drawFrame([&] { sprite.draw(); });
    for (int i = 0; i < 64; ++i) {
        ASSERT_EQ(pixel(200 + i, 131), columnColour(128 + i, 0)) << "column " << i;
    }
    EXPECT_EQ(pixel(264, 100), White);
    EXPECT_EQ(pixel(199, 100), White);
    // The horizontal centre of a strip is half a frame on every draw.
    EXPECT_EQ(sprite.getCentre().x, 32.0f);
    EXPECT_EQ(sprite.getCentre().y, 16.0f);
}

TEST_F(SpriteTest, TranslucentTintBlendsOverTheWhiteClear) {
    const std::uint32_t source = 0xFFC82850; // (200, 40, 80)
    makePack({{"bat.png", makePng(96, 16, [=](int, int) { return source; })}});
    Sprite sprite(RenderDevice::getDevice(), entry("bat.png"), 96, 16, 0);
    sprite.setColour(100, 255, 255, 255);
    EXPECT_EQ(sprite.getColour(), 0x64FFFFFFu);
    sprite.setPosition(300.0f, 500.0f);
    drawFrame([&] { sprite.draw(); });
    const auto expect = [](int src) { return (src * 100 + 255 * 155) / 255; };
    const std::uint32_t got = pixel(340, 508);
    EXPECT_NEAR(red(got), expect(200), 2);
    EXPECT_NEAR(green(got), expect(40), 2);
    EXPECT_NEAR(blue(got), expect(80), 2);
}

TEST_F(SpriteTest, TintMultipliesTheColours) {
    makePack({{"button.png", makePng(160, 48, [](int, int) { return 0xFFFFFFFFu; })}});
    Sprite sprite(RenderDevice::getDevice(), entry("button.png"), 160, 48, 0);
    sprite.setColour(255, 200, 200, 200);
    sprite.setPosition(0.0f, 0.0f);
    drawFrame([&] { sprite.draw(); });
    EXPECT_EQ(pixel(80, 24), 0xFFC8C8C8u);
}

TEST_F(SpriteTest, LoadingSetsSizesFramesAndFreesTheEntryBytes) {
    makePack({{"strip.png", makePng(100, 32, columnColour)}});
    PackEntry* bytes = entry("strip.png");
    Sprite sprite(RenderDevice::getDevice(), bytes, 100, 32, 3);
    EXPECT_EQ(bytes->data, nullptr);
    EXPECT_EQ(sprite.getWidth(), 100u);
    EXPECT_EQ(sprite.getHeight(), 32u);
    EXPECT_TRUE(sprite.isAnimated());
    EXPECT_EQ(sprite.getFrameCount(), 3u);
    EXPECT_EQ(sprite.getCentre().x, 50.0f);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(SpriteTest, MissingEntryShowsInvalidDataAndLeavesAnEmptySprite) {
    Sprite sprite(RenderDevice::getDevice(), nullptr, 64, 32, 0);
    EXPECT_EQ(boxes, std::vector<MessageBoxCall>{zxtest::invalidDataBox()});
    EXPECT_EQ(sprite.getWidth(), 0u);
    EXPECT_EQ(sprite.getHeight(), 0u);
    EXPECT_EQ(sprite.getCentre().x, 32.0f);
    EXPECT_EQ(sprite.getCentre().y, 16.0f);
    drawFrame([&] { sprite.draw(); });
    EXPECT_EQ(pixel(0, 0), White);
}

TEST_F(SpriteTest, UndecodableBytesAreLoggedAndKept) {
    makePack({{"broken.png", std::vector<std::uint8_t>(64, 0x42)}});
    PackEntry* bytes = entry("broken.png");
    testing::internal::CaptureStdout();
    Sprite sprite(RenderDevice::getDevice(), bytes, 16, 16, 0);
    std::fflush(stdout);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Cannot load texture from packed file broken.png\n");
    EXPECT_NE(bytes->data, nullptr);
    EXPECT_EQ(sprite.getWidth(), 0u);
    EXPECT_TRUE(boxes.empty());
}

// The frame a sprite shows after each of `calls` animate calls.
std::vector<std::uint32_t> framesSeen(Sprite& sprite, int calls) {
    std::vector<std::uint32_t> seen;
    for (int i = 0; i < calls; ++i) {
        sprite.animate();
        seen.push_back(sprite.getCurrentFrame());
    }
    return seen;
}

TEST_F(SpriteTest, AnimationStepsFramesByTicks) {
    makePack({{"a.png", makePng(320, 32, columnColour)},
              {"b.png", makePng(320, 32, columnColour)},
              {"c.png", makePng(64, 32, columnColour)}});
    Sprite breaking(RenderDevice::getDevice(), entry("a.png"), 320, 32, 5);
    breaking.setLoop(false);
    breaking.setTicksPerFrame(2);
    EXPECT_EQ(framesSeen(breaking, 10), (std::vector<std::uint32_t>{0, 1, 1, 2, 2, 3, 3, 4, 4, 5}));
    // Past the last frame the count goes on.
    const std::vector<std::uint32_t> later = framesSeen(breaking, 4);
    EXPECT_GT(later.back(), 5u);

    Sprite looping(RenderDevice::getDevice(), entry("b.png"), 320, 32, 5);
    looping.setTicksPerFrame(2);
    EXPECT_EQ(framesSeen(looping, 12),
              (std::vector<std::uint32_t>{0, 1, 1, 2, 2, 3, 3, 4, 4, 0, 0, 1}));
    for (std::uint32_t frame : framesSeen(looping, 200)) {
        ASSERT_LT(frame, 5u);
    }

    Sprite still(RenderDevice::getDevice(), entry("c.png"), 64, 32, 0);
    EXPECT_EQ(framesSeen(still, 5), (std::vector<std::uint32_t>(5, 0)));
}

} // namespace
} // namespace gfxtest
