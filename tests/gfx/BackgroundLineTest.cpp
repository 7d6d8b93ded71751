// Tests of Background and Line: tiling, coverage, log lines, failures and the drawn segment.
#include "gfx/Background.h"
#include "gfx/Line.h"

#include "tests/gfx/GfxFixture.h"

#include <string>

namespace gfxtest {
namespace {

class BackgroundTest : public GfxFixture {
  protected:
    // Builds a background and returns what it logged.
    std::string build(std::unique_ptr<Background>& out, std::uint32_t tileW, std::uint32_t tileH,
                      float x, float y, std::uint32_t areaW, std::uint32_t areaH,
                      std::uint32_t repeat) {
        return zxtest::stdoutOf([&] {
            out = std::make_unique<Background>(tileW, tileH, x, y, 0, areaW, areaH, repeat);
        });
    }
};

// A dark tile whose top-left texel is red.
std::uint32_t tile(int x, int y) {
    return x == 0 && y == 0 ? 0xFFFF0000 : 0xFF203040;
}

TEST_F(BackgroundTest, TiledGridCoversTheWholeScreen) {
    makePack({{"background.png", makePng(200, 200, tile)}});
    std::unique_ptr<Background> background;
    EXPECT_EQ(build(background, 200, 200, 0.0f, 0.0f, 800, 608, RepeatXY),
              "Repeat = 16 sizeof = 1792\nTexture initialized!\n");
    EXPECT_EQ(background->getQuadCount(), 16u);
    EXPECT_EQ(zxtest::stdoutOf([&] { background->loadTexture(entry("background.png")); }),
              "Loaded \"background.png\" background from packer\n");
    drawFrame([&] { background->draw(); });
    int red = 0;
    for (int y = 0; y < 608; ++y) {
        for (int x = 0; x < 800; ++x) {
            const std::uint32_t p = pixel(x, y);
            ASSERT_TRUE(p == 0xFF203040u || p == 0xFFFF0000u) << x << "," << y;
            red += p == 0xFFFF0000u ? 1 : 0;
        }
    }
    // Every tile's corner, the fourth row included, cut off at the window's edge.
    EXPECT_EQ(red, 16);
    EXPECT_EQ(pixel(600, 600), 0xFFFF0000u);
    EXPECT_EQ(pixel(200, 400), 0xFFFF0000u);
}

TEST_F(BackgroundTest, TileCountsFollowTheArea) {
    std::unique_ptr<Background> background;
    build(background, 32, 32, 0.0f, 0.0f, 0, 608, RepeatY);
    EXPECT_EQ(background->getQuadCount(), 19u);
    build(background, 32, 32, 32.0f, 576.0f, 736, 0, RepeatX);
    EXPECT_EQ(background->getQuadCount(), 23u);
    build(background, 32, 32, 0.0f, 0.0f, 800, 0, RepeatX);
    EXPECT_EQ(background->getQuadCount(), 25u);
    build(background, 638, 158, 81.0f, 16.0f, 0, 0, RepeatNone);
    EXPECT_EQ(background->getQuadCount(), 1u);
}

TEST_F(BackgroundTest, UnknownRepeatOrZeroTileDrawsNothing) {
    makePack({{"wall.png", makePng(32, 32, tile)}});
    std::unique_ptr<Background> background;
    for (auto [w, h, repeat] : {std::tuple{32u, 32u, 4u}, std::tuple{0u, 32u, 1u},
                                std::tuple{32u, 0u, 3u}, std::tuple{0u, 0u, 0u}}) {
        EXPECT_EQ(build(background, w, h, 0.0f, 0.0f, 0, 0, repeat), "Valid sizeof vertex!\n");
        EXPECT_EQ(background->getQuadCount(), 0u);
        background->loadTexture(entry("wall.png"));
        drawFrame([&] { background->draw(); });
        EXPECT_EQ(pixel(0, 0), White);
        EXPECT_EQ(pixel(16, 16), White);
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(BackgroundTest, LogoStandsWhereItIsPlacedWithItsSize) {
    makePack({{"logo.png", makePng(638, 158, tile)}});
    std::unique_ptr<Background> logo;
    build(logo, 638, 158, 81.0f, 16.0f, 0, 0, RepeatNone);
    logo->loadTexture(entry("logo.png"));
    drawFrame([&] { logo->draw(); });
    EXPECT_EQ(pixel(81, 16), 0xFFFF0000u);
    EXPECT_EQ(pixel(718, 173), 0xFF203040u);
    EXPECT_EQ(pixel(80, 16), White);
    EXPECT_EQ(pixel(719, 173), White);
    EXPECT_EQ(pixel(718, 174), White);
}

TEST_F(BackgroundTest, MissingPictureShowsInvalidDataAndDrawsUntexturedQuads) {
    std::unique_ptr<Background> background;
    build(background, 32, 32, 0.0f, 0.0f, 64, 0, RepeatX);
    EXPECT_EQ(zxtest::stdoutOf([&] { background->loadTexture(nullptr); }), "");
    EXPECT_EQ(boxes, std::vector<MessageBoxCall>{zxtest::invalidDataBox()});
}

TEST_F(BackgroundTest, UndecodablePictureIsLoggedAsLoaded) {
    makePack({{"junk.png", std::vector<std::uint8_t>(40, 7)}});
    std::unique_ptr<Background> background;
    build(background, 32, 32, 0.0f, 0.0f, 0, 0, RepeatNone);
    EXPECT_EQ(zxtest::stdoutOf([&] { background->loadTexture(entry("junk.png")); }),
              "Loaded \"junk.png\" background from packer\n");
    EXPECT_TRUE(boxes.empty());
}

// The panel of the scoreboard: a fan without texture coordinates, diffuse alpha 0, drawn
// while the background's texture is still bound, samples the texture's top-left texel.
TEST_F(BackgroundTest, UntexturedFanAfterBackgroundTakesTheTopLeftTexel) {
    makePack({{"background.png", makePng(200, 200, tile)}});
    std::unique_ptr<Background> background;
    build(background, 200, 200, 0.0f, 0.0f, 800, 608, RepeatXY);
    background->loadTexture(entry("background.png"));
    struct Corner {
        float x, y, z, rhw;
        D3DCOLOR colour;
    };
    const Corner panel[4] = {{784.0f, 102.0f, 0.0f, 1.0f, 0x00E3F2FD},
                             {16.0f, 102.0f, 0.0f, 1.0f, 0x00E3F2FD},
                             {16.0f, 592.0f, 0.0f, 1.0f, 0x00E3F2FD},
                             {784.0f, 592.0f, 0.0f, 1.0f, 0x00E3F2FD}};
    IDirect3DDevice9* device = RenderDevice::getDevice();
    IDirect3DVertexBuffer9* buffer = vertexBuffer(panel, 4);
    drawFrame([&] {
        background->draw();
        device->SetStreamSource(0, buffer, 0, sizeof(Corner));
        device->SetFVF(D3DFVF_XYZRHW | D3DFVF_DIFFUSE);
        EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLEFAN, 0, 2), D3D_OK);
    });
    buffer->Release();
    const std::uint32_t expected = 0xFF000000u | ((0xFFu * 0xE3u + 127) / 255) << 16;
    EXPECT_EQ(pixel(16, 102), expected);
    EXPECT_EQ(pixel(783, 591), expected);
    EXPECT_EQ(pixel(15, 102), 0xFF203040u);
    EXPECT_EQ(pixel(16, 101), 0xFF203040u);
    EXPECT_EQ(pixel(784, 300), 0xFF203040u);
    EXPECT_EQ(pixel(300, 592), 0xFF203040u);
}

class LineTest : public GfxFixture {};

TEST_F(LineTest, OnePixelBlackLineLandsOnItsRow) {
    Line line;
    ASSERT_TRUE(line.create(0xFF000000, 1.0f));
    EXPECT_EQ(line.getWidth(), 1.0f);
    drawFrame([&] { line.draw(16.0f, 151.0f, 784.0f, 151.0f); });
    for (int x = 16; x < 784; ++x) {
        ASSERT_EQ(pixel(x, 151), 0xFF000000u) << x;
        ASSERT_EQ(pixel(x, 150), White) << x;
        ASSERT_EQ(pixel(x, 152), White) << x;
    }
    EXPECT_EQ(pixel(15, 151), White);
    EXPECT_EQ(pixel(784, 151), White);
}

TEST_F(LineTest, WideTranslucentAndDiagonalSegments) {
    Line wide;
    ASSERT_TRUE(wide.create(0x80FF0000, 4.0f));
    EXPECT_EQ(wide.getWidth(), 4.0f);
    Line diagonal;
    ASSERT_TRUE(diagonal.create(0xFF0000FF, 2.0f));
    drawFrame([&] {
        wide.draw(100.0f, 10.0f, 100.0f, 50.0f);
        diagonal.draw(300.0f, 300.0f, 400.0f, 400.0f);
    });
    // Columns 98 to 101 half red over white.
    for (int x = 98; x <= 101; ++x) {
        EXPECT_EQ(red(pixel(x, 30)), 255);
        EXPECT_NEAR(green(pixel(x, 30)), 127, 2);
    }
    EXPECT_EQ(pixel(97, 30), White);
    EXPECT_EQ(pixel(102, 30), White);
    EXPECT_EQ(pixel(100, 50), White);
    EXPECT_EQ(pixel(350, 350), 0xFF0000FFu);
    EXPECT_EQ(pixel(360, 340), White);
}

TEST_F(LineTest, LineWithoutDeviceFailsAndDrawsNothing) {
    shutDownDevice();
    ASSERT_EQ(RenderDevice::getDevice(), nullptr);
    Line line;
    EXPECT_FALSE(line.create(0xFF000000, 1.0f));
    EXPECT_EQ(line.getWidth(), 0.0f);
    line.draw(0.0f, 0.0f, 10.0f, 10.0f);
}

} // namespace
} // namespace gfxtest
