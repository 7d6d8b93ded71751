// Tests of FrameCache through its own interface, on the device's backend: which frames are
// drawn in full, in part or not at all, which are presented, and that the back buffer read
// between drawing and present always holds the frame as drawn.
#include "gfx/platform/SdlDevice9.h"
#include "tests/gfx/GfxFixture.h"

namespace gfxtest {
namespace {

constexpr std::uint32_t Blue = 0xFF0000FF;

class FrameCacheTest : public GfxFixture {
  protected:
    SdlDevice9& device() { return *static_cast<SdlDevice9*>(RenderDevice::getDevice()); }
    FrameCache& cache() { return device().getFrames(); }
    DrawBackend& backend() { return device().getBackend(); }

    // An 8 x 8 texture of one colour.
    SDL_Texture* texture(std::uint32_t colour) {
        std::vector<std::uint32_t> texels(64, colour);
        SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(texels.data(), 8, 8, 32, 32,
                                                                  SDL_PIXELFORMAT_ARGB8888);
        SDL_Texture* made = backend().createTexture(surface);
        SDL_FreeSurface(surface);
        EXPECT_NE(made, nullptr);
        return made;
    }

    // New texels for a texture, or the texture freed, announced to the cache first.
    void repaint(SDL_Texture* made, std::uint32_t colour) {
        const std::vector<std::uint32_t> texels(64, colour);
        cache().beforeTextureChange(made);
        ASSERT_TRUE(backend().updateTexture(made, texels.data(), 32));
    }
    void destroy(SDL_Texture* made) {
        cache().beforeTextureChange(made);
        backend().destroyTexture(made);
    }

    // A frame: the white clear and a red square at x.
    void frameWithSquareAt(int x) {
        cache().clear(White);
        cache().fill(SDL_Rect{x, 10, 8, 8}, Red, SDL_BLENDMODE_NONE);
        cache().present();
    }

    std::uint64_t rasterised() { return cache().getRasterisedFrames(); }
    std::uint64_t presented() { return cache().getPresentedFrames(); }
};

TEST_F(FrameCacheTest, SameFrameIsSkippedAndAChangedOneDrawnWhereItChanged) {
    frameWithSquareAt(10);
    const std::uint64_t drawn = rasterised();
    const std::uint64_t shown = presented();
    // The same frame: neither drawn nor presented, and read back as it is.
    cache().clear(White);
    cache().fill(SDL_Rect{10, 10, 8, 8}, Red, SDL_BLENDMODE_NONE);
    readFrame();
    EXPECT_EQ(pixel(10, 10), Red);
    EXPECT_EQ(pixel(9, 10), White);
    cache().present();
    EXPECT_EQ(rasterised(), drawn);
    EXPECT_EQ(presented(), shown);
    // Moved: drawn only where the square was and is.
    const std::uint64_t partly = cache().getPartialFrames();
    frameWithSquareAt(30);
    EXPECT_EQ(rasterised(), drawn + 1);
    EXPECT_EQ(presented(), shown + 1);
    EXPECT_EQ(cache().getPartialFrames(), partly + 1);
    readFrame();
    EXPECT_EQ(pixel(10, 10), White);
    EXPECT_EQ(pixel(30, 10), Red);
    // And back: compared with the frame on screen, not with older ones.
    frameWithSquareAt(10);
    EXPECT_EQ(rasterised(), drawn + 2);
    readFrame();
    EXPECT_EQ(pixel(10, 10), Red);
    EXPECT_EQ(pixel(30, 10), White);
}

TEST_F(FrameCacheTest, FrameWithoutFullClearRunsAtOnceAndLeavesTheScreenUnknown) {
    frameWithSquareAt(10);
    const std::uint64_t drawn = rasterised();
    cache().fill(SDL_Rect{50, 10, 8, 8}, Blue, SDL_BLENDMODE_NONE);
    readFrame();
    EXPECT_EQ(pixel(50, 10), Blue);
    EXPECT_EQ(pixel(10, 10), Red); // drawn over what the back buffer held
    cache().present();
    // The screen now shows no recorded frame: the first one is drawn and presented again.
    frameWithSquareAt(10);
    EXPECT_EQ(rasterised(), drawn + 2);
    readFrame();
    EXPECT_EQ(pixel(50, 10), White);
}

TEST_F(FrameCacheTest, WindowChangeDrawsTheNextFrameAgain) {
    frameWithSquareAt(10);
    frameWithSquareAt(10);
    const std::uint64_t shown = presented();
    // The window was uncovered: what it showed may be gone. Another window's event changes
    // nothing.
    SDL_Event exposed{};
    exposed.type = SDL_WINDOWEVENT;
    exposed.window.event = SDL_WINDOWEVENT_EXPOSED;
    exposed.window.windowID = SDL_GetWindowID(window) + 100;
    SDL_PushEvent(&exposed);
    frameWithSquareAt(10);
    EXPECT_EQ(presented(), shown);
    exposed.window.windowID = SDL_GetWindowID(window);
    SDL_PushEvent(&exposed);
    frameWithSquareAt(10);
    EXPECT_EQ(presented(), shown + 1);
}

TEST_F(FrameCacheTest, TextureChangedOrFreedAfterItsDrawStillShowsAsDrawn) {
    SDL_Texture* first = texture(Red);
    SDL_Texture* second = texture(Red);
    // Drawn red, then repainted blue and drawn again, then freed, all before the read.
    cache().clear(White);
    cache().copy(first, nullptr, SDL_Rect{0, 0, 8, 8}, White, SDL_BLENDMODE_NONE);
    repaint(first, Blue);
    cache().copy(first, nullptr, SDL_Rect{10, 0, 8, 8}, White, SDL_BLENDMODE_NONE);
    cache().copy(second, nullptr, SDL_Rect{20, 0, 8, 8}, White, SDL_BLENDMODE_NONE);
    destroy(second);
    readFrame();
    EXPECT_EQ(pixel(0, 0), Red);
    EXPECT_EQ(pixel(10, 0), Blue);
    EXPECT_EQ(pixel(20, 0), Red);
    cache().present();
    // The same call on the texture holding another picture: another frame.
    auto blueFrame = [&] {
        cache().clear(White);
        cache().copy(first, nullptr, SDL_Rect{0, 0, 8, 8}, White, SDL_BLENDMODE_NONE);
        cache().present();
    };
    blueFrame();
    blueFrame();
    const std::uint64_t drawn = rasterised();
    repaint(first, Red);
    blueFrame();
    EXPECT_EQ(rasterised(), drawn + 1);
    readFrame();
    EXPECT_EQ(pixel(0, 0), Red);
    destroy(first);
}

TEST_F(FrameCacheTest, FramesLookTheSameWhetherTheClearRanOrNot) {
    // Opaque fills over the whole back buffer except, in the second frame, its last column.
    for (int uncovered = 0; uncovered < 2; ++uncovered) {
        cache().forget(); // drawn in full, not only where it changed
        cache().clear(White);
        cache().fill(SDL_Rect{0, 0, 400, 608}, Blue, SDL_BLENDMODE_NONE);
        cache().fill(SDL_Rect{400, 0, 400 - uncovered, 608}, Red, SDL_BLENDMODE_NONE);
        readFrame();
        EXPECT_EQ(pixel(0, 0), Blue);
        EXPECT_EQ(pixel(400, 607), Red);
        EXPECT_EQ(pixel(799, 300), uncovered ? White : Red);
        cache().present();
    }
}

} // namespace
} // namespace gfxtest
