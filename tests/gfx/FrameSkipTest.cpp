// Tests of the device stand-in's frame skipping: a frame identical to the one on screen is
// neither rasterised nor presented, any change to a call, a texture or the window draws it
// again, and the back buffer read between drawing and Present is always the frame drawn.
#include "gfx/Font.h"
#include "gfx/Line.h"
#include "gfx/Sprite.h"
#include "gfx/platform/SdlDevice.h"
#include "tests/gfx/GfxFixture.h"

#include <d3dx9.h>

namespace gfxtest {
namespace {

constexpr std::uint32_t White = 0xFFFFFFFF;
constexpr std::uint32_t Red = 0xFFFF0000;
constexpr std::uint32_t Blue = 0xFF0000FF;

class FrameSkipTest : public GfxFixture {
  protected:
    void SetUp() override {
        GfxFixture::SetUp();
        ASSERT_TRUE(sdlgfx::getFrameSkip());
        makePack({{"red.png", makePng(16, 16, [](int, int) { return Red; })}});
        sprite = std::make_unique<Sprite>(device(), entry("red.png"), 16, 16, 0);
    }
    void TearDown() override {
        sprite.reset();
        sdlgfx::setFrameSkip(true);
        GfxFixture::TearDown();
    }

    IDirect3DDevice9* device() { return RenderDevice::getDevice(); }
    std::uint64_t rasterised() { return sdlgfx::getRasterisedFrames(device()); }
    std::uint64_t presented() { return sdlgfx::getPresentedFrames(device()); }

    // One turn's frame: the white clear and the sprite at x, read back before Present.
    void frameWithSpriteAt(float x) {
        sprite->setPosition(x, 20.0f);
        renderDevice->beginFrame();
        sprite->draw();
        readFrame();
        renderDevice->endFrame();
    }

    std::unique_ptr<Sprite> sprite;
};

TEST_F(FrameSkipTest, IdenticalFrameIsNeitherRasterisedNorPresented) {
    frameWithSpriteAt(10.0f);
    const std::uint64_t drawn = rasterised();
    const std::uint64_t shown = presented();
    EXPECT_GE(drawn, 1u);
    for (int turn = 0; turn < 3; ++turn) {
        frameWithSpriteAt(10.0f);
        // The read-back frame is still the one drawn, from the back buffer kept as it was.
        EXPECT_EQ(pixel(10, 20), Red);
        EXPECT_EQ(pixel(9, 20), White);
        EXPECT_EQ(pixel(26, 20), White);
    }
    EXPECT_EQ(rasterised(), drawn);
    EXPECT_EQ(presented(), shown);

    // Moved by one pixel: another frame, drawn and presented.
    frameWithSpriteAt(11.0f);
    EXPECT_EQ(rasterised(), drawn + 1);
    EXPECT_EQ(presented(), shown + 1);
    EXPECT_EQ(pixel(10, 20), White);
    EXPECT_EQ(pixel(11, 20), Red);
    // And back: different from the frame on screen again.
    frameWithSpriteAt(10.0f);
    EXPECT_EQ(rasterised(), drawn + 2);
    EXPECT_EQ(pixel(10, 20), Red);
    EXPECT_EQ(pixel(26, 20), White);
}

TEST_F(FrameSkipTest, ColourOrBlendChangesMakeAnotherFrame) {
    frameWithSpriteAt(10.0f);
    frameWithSpriteAt(10.0f);
    const std::uint64_t drawn = rasterised();
    sprite->setColour(255, 0, 0, 255); // tint: red x blue = black
    frameWithSpriteAt(10.0f);
    EXPECT_EQ(rasterised(), drawn + 1);
    EXPECT_EQ(pixel(10, 20), 0xFF000000u);
    sprite->setColour(128, 255, 255, 255); // translucent: blended over white
    frameWithSpriteAt(10.0f);
    EXPECT_EQ(rasterised(), drawn + 2);
    EXPECT_NEAR(green(pixel(10, 20)), 127, 3);
}

TEST_F(FrameSkipTest, NewPictureInATextureMakesAnotherFrame) {
    // The same calls on the same SDL texture, whose texels changed in between.
    std::vector<std::uint32_t> texels(8 * 8, Red);
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(texels.data(), 8, 8, 32, 8 * 4,
                                                              SDL_PIXELFORMAT_ARGB8888);
    SDL_Texture* texture = sdlgfx::createTexture(device(), surface);
    SDL_FreeSurface(surface);
    ASSERT_NE(texture, nullptr);
    const SDL_Rect dest{40, 40, 8, 8};
    auto turn = [&] {
        renderDevice->beginFrame();
        sdlgfx::drawTexture(device(), texture, nullptr, dest, White);
        readFrame();
        renderDevice->endFrame();
    };
    turn();
    turn();
    const std::uint64_t drawn = rasterised();
    EXPECT_EQ(pixel(40, 40), Red);
    texels.assign(texels.size(), Blue);
    ASSERT_TRUE(sdlgfx::updateTexture(device(), texture, texels.data(), 8 * 4));
    turn();
    EXPECT_EQ(rasterised(), drawn + 1);
    EXPECT_EQ(pixel(40, 40), Blue);
    sdlgfx::destroyTexture(device(), texture);
}

TEST_F(FrameSkipTest, TextureChangedOrFreedAfterItsDrawStillShowsAsDrawn) {
    std::vector<std::uint32_t> texels(8 * 8, Red);
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(texels.data(), 8, 8, 32, 8 * 4,
                                                              SDL_PIXELFORMAT_ARGB8888);
    SDL_Texture* first = sdlgfx::createTexture(device(), surface);
    SDL_Texture* second = sdlgfx::createTexture(device(), surface);
    SDL_FreeSurface(surface);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    // Drawn red, then re-coloured blue and drawn again, then freed, all before the read.
    renderDevice->beginFrame();
    sdlgfx::drawTexture(device(), first, nullptr, SDL_Rect{0, 0, 8, 8}, White);
    texels.assign(texels.size(), Blue);
    ASSERT_TRUE(sdlgfx::updateTexture(device(), first, texels.data(), 8 * 4));
    sdlgfx::drawTexture(device(), first, nullptr, SDL_Rect{10, 0, 8, 8}, White);
    sdlgfx::drawTexture(device(), second, nullptr, SDL_Rect{20, 0, 8, 8}, White);
    sdlgfx::destroyTexture(device(), second);
    readFrame();
    renderDevice->endFrame();
    EXPECT_EQ(pixel(0, 0), Red);
    EXPECT_EQ(pixel(10, 0), Blue);
    EXPECT_EQ(pixel(20, 0), Red);
    sdlgfx::destroyTexture(device(), first);
}

TEST_F(FrameSkipTest, WindowEventDrawsTheNextFrameAgain) {
    frameWithSpriteAt(10.0f);
    frameWithSpriteAt(10.0f);
    const std::uint64_t drawn = rasterised();
    const std::uint64_t shown = presented();
    // The window was uncovered: what it showed may be gone.
    SDL_Event exposed{};
    exposed.type = SDL_WINDOWEVENT;
    exposed.window.event = SDL_WINDOWEVENT_EXPOSED;
    exposed.window.windowID = SDL_GetWindowID(window);
    SDL_PushEvent(&exposed);
    frameWithSpriteAt(10.0f);
    EXPECT_EQ(rasterised(), drawn + 1);
    EXPECT_EQ(presented(), shown + 1);
    EXPECT_EQ(pixel(10, 20), Red);
    // Another window's event changes nothing.
    exposed.window.windowID = SDL_GetWindowID(window) + 100;
    SDL_PushEvent(&exposed);
    frameWithSpriteAt(10.0f);
    EXPECT_EQ(rasterised(), drawn + 1);
}

TEST_F(FrameSkipTest, FrameWithoutFullClearIsDrawnAtOnce) {
    // Drawing on whatever the back buffer holds: nothing is recorded, and every such frame is
    // rasterised and presented.
    frameWithSpriteAt(10.0f);
    const std::uint64_t drawn = rasterised();
    for (int turn = 0; turn < 2; ++turn) {
        device()->BeginScene();
        sprite->setPosition(50.0f, 20.0f);
        sprite->draw();
        device()->EndScene();
        readFrame();
        device()->Present(nullptr, nullptr, nullptr, nullptr);
        EXPECT_EQ(pixel(50, 20), Red);
        EXPECT_EQ(pixel(10, 20), Red); // the earlier frame is still beneath
    }
    EXPECT_EQ(rasterised(), drawn + 2);
}

TEST_F(FrameSkipTest, SkippingOffDrawsEveryFrame) {
    sdlgfx::setFrameSkip(false);
    EXPECT_FALSE(sdlgfx::getFrameSkip());
    const std::uint64_t drawn = rasterised();
    const std::uint64_t shown = presented();
    for (int turn = 0; turn < 3; ++turn) {
        frameWithSpriteAt(10.0f);
        EXPECT_EQ(pixel(10, 20), Red);
    }
    EXPECT_EQ(rasterised(), drawn + 3);
    EXPECT_EQ(presented(), shown + 3);
}

TEST_F(FrameSkipTest, PartialClearsAndLinesAreComparedToo) {
    ID3DXLine* line = nullptr;
    ASSERT_EQ(D3DXCreateLine(device(), &line), D3D_OK);
    auto turn = [&](float y, D3DCOLOR rectColour) {
        renderDevice->beginFrame();
        const D3DRECT area{100, 100, 110, 110};
        device()->Clear(1, &area, D3DCLEAR_TARGET, rectColour, 1.0f, 0);
        const D3DXVECTOR2 points[2] = {D3DXVECTOR2(0.0f, y), D3DXVECTOR2(50.0f, y + 30.0f)};
        line->Draw(points, 2, 0xFF000000);
        readFrame();
        renderDevice->endFrame();
    };
    turn(200.0f, Blue);
    turn(200.0f, Blue);
    const std::uint64_t drawn = rasterised();
    turn(200.0f, Red);
    EXPECT_EQ(pixel(105, 105), Red);
    turn(201.0f, Red);
    EXPECT_EQ(rasterised(), drawn + 2);
    line->Release();
}

// A scene of translucent tiles, a text, a diagonal line (triangles) and the sprite, as a turn
// of the game draws them; the sprite, text and line take the turn's values.
class PartialFrameTest : public FrameSkipTest {
  protected:
    void SetUp() override {
        FrameSkipTest::SetUp();
        ASSERT_TRUE(font.create("Arial", 24));
        ASSERT_TRUE(line.create(0xC0000000, 3.0f));
    }

    void scene(float spriteX, const char* text, float lineEnd) {
        renderDevice->beginFrame();
        for (int i = 0; i < 8; ++i) {
            const D3DRECT tile{i * 100, 0, i * 100 + 90, 608};
            device()->Clear(1, &tile, D3DCLEAR_TARGET, 0xFF203040u + 0x1010u * i, 1.0f, 0);
        }
        sprite->setColour(200, 255, 255, 255);
        sprite->setPosition(spriteX, 100.0f);
        sprite->draw();
        font.draw(text, 400, 300, 0xC0E53935, DT_CENTER, 1, 0);
        line.draw(50.0f, 500.0f, lineEnd, 560.0f);
        readFrame();
        renderDevice->endFrame();
    }

    // The same scene drawn in full on a fresh frame, for comparison.
    std::vector<std::uint32_t> drawnInFull(float spriteX, const char* text, float lineEnd) {
        sdlgfx::setFrameSkip(false);
        scene(spriteX, text, lineEnd);
        sdlgfx::setFrameSkip(true);
        return frame;
    }

    std::uint64_t partial() { return sdlgfx::getPartialFrames(device()); }

    Font font;
    Line line;
};

TEST_F(PartialFrameTest, ChangedCallsAreDrawnAgainOnlyWhereTheyReach) {
    scene(100.0f, "Punkty: 10", 300.0f);
    const std::uint64_t before = partial();
    // Each turn changes one thing: the sprite moves, the text changes, the line turns.
    const struct {
        float spriteX;
        const char* text;
        float lineEnd;
    } turns[] = {{104.0f, "Punkty: 10", 300.0f},
                 {104.0f, "Punkty: 110", 300.0f},
                 {104.0f, "Punkty: 110", 320.0f},
                 {300.0f, "Punkty: 20", 250.0f}};
    std::uint64_t expected = before;
    for (const auto& turn : turns) {
        scene(turn.spriteX, turn.text, turn.lineEnd);
        EXPECT_EQ(partial(), ++expected);
        const std::vector<std::uint32_t> partly = frame;
        const std::vector<std::uint32_t> full = drawnInFull(turn.spriteX, turn.text, turn.lineEnd);
        ASSERT_EQ(partly.size(), full.size());
        std::size_t differences = 0;
        for (std::size_t i = 0; i < full.size(); ++i) {
            differences += partly[i] != full[i];
        }
        EXPECT_EQ(differences, 0u) << "turn with text " << turn.text;
        // The full drawing is now on screen: draw the partial one against it again.
        scene(turn.spriteX, turn.text, turn.lineEnd);
    }
}

TEST_F(PartialFrameTest, ManyOrLargeChangesDrawTheWholeFrame) {
    scene(100.0f, "Punkty: 10", 300.0f);
    const std::uint64_t before = partial();
    const std::uint64_t drawn = rasterised();
    // Another number of calls: the text gets a second line.
    scene(100.0f, "Punkty: 10\nZycia: 3", 300.0f);
    EXPECT_EQ(partial(), before);
    EXPECT_EQ(rasterised(), drawn + 1);
    // Every tile changes colour: more than half the frame.
    renderDevice->beginFrame();
    for (int i = 0; i < 8; ++i) {
        const D3DRECT tile{i * 100, 0, i * 100 + 90, 608};
        device()->Clear(1, &tile, D3DCLEAR_TARGET, 0xFF000000u + i, 1.0f, 0);
    }
    readFrame();
    renderDevice->endFrame();
    EXPECT_EQ(partial(), before);
    EXPECT_EQ(pixel(5, 5), 0xFF000000u);
}

} // namespace
} // namespace gfxtest
