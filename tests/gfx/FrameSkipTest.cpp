// Tests of the device stand-in's frame skipping as the game's drawing meets it: a frame
// identical to the one on screen is neither rasterised nor presented, a changed call draws it
// again, in full or only where it changed, and the back buffer read between drawing and Present
// is always the frame drawn.
#include "app/platform/PictureFit.h"
#include "gfx/Font.h"
#include "gfx/Line.h"
#include "gfx/Sprite.h"
#include "gfx/platform/SdlDevice.h"
#include "gfx/platform/SdlDevice9.h"
#include "tests/gfx/GfxFixture.h"

#include <algorithm>
#include <cstdlib>

namespace gfxtest {
namespace {

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
    // Opaque rectangles are drawn straight through the device's frame cache.
    void fill(int x, int y, int w, int h, std::uint32_t colour) {
        static_cast<SdlDevice9*>(device())->getFrames().fill(SDL_Rect{x, y, w, h}, colour,
                                                             SDL_BLENDMODE_NONE);
    }
    std::uint64_t rasterised() { return sdlgfx::getRasterisedFrames(device()); }
    std::uint64_t presented() { return sdlgfx::getPresentedFrames(device()); }

    // One turn's frame: the white clear and the sprite at x, read back before Present.
    void frameWithSpriteAt(float x) {
        sprite->setPosition(x, 20.0f);
        drawFrame([&] { sprite->draw(); });
    }

    std::unique_ptr<Sprite> sprite;
};

TEST_F(FrameSkipTest, IdenticalFrameIsSkippedUntilTheSpriteMovesOrChangesColour) {
    frameWithSpriteAt(10.0f);
    const std::uint64_t drawn = rasterised();
    const std::uint64_t shown = presented();
    frameWithSpriteAt(10.0f);
    EXPECT_EQ(rasterised(), drawn);
    EXPECT_EQ(presented(), shown);
    // The read-back frame is still the one drawn, from the back buffer kept as it was.
    EXPECT_EQ(pixel(10, 20), Red);
    EXPECT_EQ(pixel(9, 20), White);
    // Moved by one pixel: another frame, drawn and presented.
    frameWithSpriteAt(11.0f);
    EXPECT_EQ(rasterised(), drawn + 1);
    EXPECT_EQ(presented(), shown + 1);
    EXPECT_EQ(pixel(10, 20), White);
    EXPECT_EQ(pixel(11, 20), Red);
    sprite->setColour(255, 0, 0, 255); // tint: red x blue = black
    frameWithSpriteAt(11.0f);
    EXPECT_EQ(rasterised(), drawn + 2);
    EXPECT_EQ(pixel(11, 20), 0xFF000000u);
    sprite->setColour(128, 255, 255, 255); // translucent: blended over white
    frameWithSpriteAt(11.0f);
    EXPECT_EQ(rasterised(), drawn + 3);
    EXPECT_NEAR(green(pixel(11, 20)), 127, 3);
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
        drawFrame([&] {
            for (int i = 0; i < 8; ++i) {
                fill(i * 100, 0, 90, 608, 0xFF203040u + 0x1010u * i);
            }
            sprite->setColour(200, 255, 255, 255);
            sprite->setPosition(spriteX, 100.0f);
            sprite->draw();
            font.draw(text, 400, 300, 0xC0E53935, DT_CENTER, 1, 0);
            line.draw(50.0f, 500.0f, lineEnd, 560.0f);
        });
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
    drawFrame([&] {
        for (int i = 0; i < 8; ++i) {
            fill(i * 100, 0, 90, 608, 0xFF000000u + i);
        }
    });
    EXPECT_EQ(partial(), before);
    EXPECT_EQ(pixel(5, 5), 0xFF000000u);
}

// The window's pixels as the last present left them.
std::vector<std::uint32_t> windowPixels(SDL_Window* window) {
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    std::vector<std::uint32_t> pixels;
    for (int y = 0; surface != nullptr && y < surface->h; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(
            static_cast<const std::uint8_t*>(surface->pixels) + y * surface->pitch);
        for (int x = 0; x < surface->w; ++x) {
            pixels.push_back(row[x] & 0xFFFFFFu);
        }
    }
    return pixels;
}

// The largest difference of a colour channel between two pictures of the same size.
int largestDifference(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b) {
    int largest = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        largest =
            std::max({largest, std::abs(red(a[i]) - red(b[i])), std::abs(green(a[i]) - green(b[i])),
                      std::abs(blue(a[i]) - blue(b[i]))});
    }
    return largest;
}

// In a window of another size the picture is shown scaled between black bars; a frame drawn
// only where it changed is shown again only there, and leaves the window as a frame shown in
// full would: exactly at whole scales, and filtered within 2 of 255 (the stretch's fixed-point
// steps start again in each area).
TEST_F(PartialFrameTest, AScaledWindowShowsAPartlyChangedFrameAsInFull) {
    for (const auto& [w, h] :
         {std::pair{1200, 700}, std::pair{1920, 1080}, std::pair{1600, 1300}}) {
        SDL_SetWindowSize(window, w, h);
        scene(100.0f, "Punkty: 10", 300.0f);
        const std::uint64_t before = partial();
        scene(104.0f, "Punkty: 110", 320.0f);
        ASSERT_EQ(partial(), before + 1) << w;
        const std::vector<std::uint32_t> shownInPart = windowPixels(window);
        ASSERT_EQ(shownInPart.size(), static_cast<std::size_t>(w) * h);
        drawnInFull(104.0f, "Punkty: 110", 320.0f);
        const std::vector<std::uint32_t> shownInFull = windowPixels(window);
        const PictureFit fit(800, 608, w, h);
        EXPECT_LE(largestDifference(shownInPart, shownInFull), fit.isWholeScale() ? 0 : 2) << w;
        // The first tile's middle, and a bar beside the picture.
        const PictureFit::Area& at = fit.onWindow();
        const std::size_t tile = static_cast<std::size_t>(at.y + at.h / 2) * w + at.x + at.w / 40;
        EXPECT_EQ(shownInFull[tile], 0x203040u) << w;
        const int barX = at.x > 0 ? at.x / 2 : w / 2;
        const int barY = at.x > 0 ? h / 2 : at.y / 2;
        EXPECT_EQ(shownInFull[static_cast<std::size_t>(barY) * w + barX], 0u) << w;
    }
}

} // namespace
} // namespace gfxtest
