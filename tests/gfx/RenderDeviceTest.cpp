// Tests of RenderDevice: initialisation, the white frame, destruction and the shutdown order.
#include "gfx/Background.h"
#include "gfx/Line.h"
#include "gfx/Sprite.h"

#include "gfx/platform/SdlDevice.h"
#include "tests/gfx/GfxFixture.h"

#include <algorithm>

namespace gfxtest {
namespace {

class RenderDeviceTest : public GfxFixture {};

TEST_F(RenderDeviceTest, FrameWithNothingDrawnIsWhite) {
    renderDevice->beginFrame();
    readFrame();
    EXPECT_EQ(renderDevice->endFrame(), D3D_OK);
    EXPECT_TRUE(
        std::all_of(frame.begin(), frame.end(), [](std::uint32_t p) { return p == 0xFFFFFFFFu; }));
}

TEST_F(RenderDeviceTest, InitLogsAndPublishesTheDevice) {
    EXPECT_EQ(RenderDevice::getInstance(), renderDevice);
    EXPECT_NE(RenderDevice::getDevice(), nullptr);
    shutDownDevice();
    EXPECT_EQ(RenderDevice::getDevice(), nullptr);
    renderDevice = new RenderDevice();
    EXPECT_EQ(RenderDevice::getInstance(), renderDevice);
    EXPECT_EQ(RenderDevice::getDevice(), nullptr);
    EXPECT_EQ(zxtest::stdoutOf([this] { EXPECT_TRUE(renderDevice->init()); }),
              "DirectX initialized!\n");
}

TEST(RenderDeviceLifetime, DestroyedWithoutInitLeavesNoDevice) {
    auto* device = new RenderDevice();
    EXPECT_EQ(RenderDevice::getDevice(), nullptr);
    delete device;
    EXPECT_EQ(RenderDevice::getDevice(), nullptr);
}

TEST(RenderDeviceLifetime, InitFailsWithoutVideoAndFramesDoNothing) {
    RenderDevice device;
    EXPECT_FALSE(device.init());
    EXPECT_EQ(RenderDevice::getDevice(), nullptr);
    device.beginFrame();
    EXPECT_EQ(device.endFrame(), D3DERR_INVALIDCALL);
}

// The game's order: the render device goes first, then the rooms' objects, then the window and
// SDL, and a last object after SDL_Quit. Sanitizer builds check that nothing leaks or is used
// after being freed.
TEST_F(RenderDeviceTest, ObjectsOutliveTheRenderDeviceAndSdl) {
    makePack({{"ball.png", makePng(16, 16, [](int, int) { return 0xFF102030u; })},
              {"background.png", makePng(200, 200, [](int, int) { return 0xFF405060u; })}});
    auto sprite = std::make_unique<Sprite>(RenderDevice::getDevice(), entry("ball.png"), 16, 16, 0);
    auto background = std::make_unique<Background>(200, 200, 0.0f, 0.0f, 0, 800, 608, RepeatXY);
    background->loadTexture(entry("background.png"));
    auto line = std::make_unique<Line>();
    ASSERT_TRUE(line->create(0xFF000000, 1.0f));
    auto lastLine = std::make_unique<Line>();
    ASSERT_TRUE(lastLine->create(0xFF000000, 1.0f));
    renderDevice->beginFrame();
    background->draw();
    sprite->draw();
    line->draw(0.0f, 5.0f, 10.0f, 5.0f);
    renderDevice->endFrame();

    shutDownDevice();
    EXPECT_EQ(RenderDevice::getDevice(), nullptr);
    sprite.reset();
    background.reset();
    line.reset();
    SDL_DestroyWindow(window);
    window = nullptr;
    SDL_Quit();
    lastLine.reset();
}

TEST_F(RenderDeviceTest, DrawingAfterTheWindowIsGoneDoesNothing) {
    makePack({{"ball.png", makePng(16, 16, [](int, int) { return 0xFF102030u; })}});
    auto sprite = std::make_unique<Sprite>(RenderDevice::getDevice(), entry("ball.png"), 16, 16, 0);
    IDirect3DDevice9* device = RenderDevice::getDevice();
    SDL_DestroyWindow(window);
    window = nullptr;
    EXPECT_EQ(sdlgfx::getRenderer(device), nullptr);
    renderDevice->beginFrame();
    sprite->draw();
    EXPECT_EQ(renderDevice->endFrame(), D3DERR_DEVICELOST);
    sprite.reset();
}

} // namespace
} // namespace gfxtest
