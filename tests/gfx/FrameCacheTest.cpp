// Tests of FrameCache through its own interface, over a backend on a headless window: which
// frames are drawn in full, in part or not at all, which are presented, and that the back
// buffer read between drawing and present always holds the frame as drawn.
#include "gfx/platform/FrameCache.h"
#include "tests/support/GameHarness.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr std::uint32_t White = 0xFFFFFFFF;
constexpr std::uint32_t Red = 0xFFFF0000;
constexpr std::uint32_t Blue = 0xFF0000FF;

class FrameCacheTest : public ::testing::Test {
  protected:
    void SetUp() override {
        zxtest::useHeadlessVideo();
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        window = SDL_CreateWindow("cache", 0, 0, 200, 100, SDL_WINDOW_SHOWN);
        ASSERT_NE(window, nullptr) << SDL_GetError();
        backend = DrawBackend::create(window, false);
        ASSERT_NE(backend, nullptr);
        ASSERT_TRUE(backend->keepsBackBuffer()); // SDL's software renderer
        cache = std::make_unique<FrameCache>(*backend);
    }

    void TearDown() override {
        cache.reset();
        backend.reset();
        SDL_DestroyWindow(window);
        SDL_Quit();
        FrameCache::setEnabled(true);
    }

    // An 8 x 8 texture of one colour.
    SDL_Texture* texture(std::uint32_t colour) {
        std::vector<std::uint32_t> texels(64, colour);
        SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(texels.data(), 8, 8, 32, 32,
                                                                  SDL_PIXELFORMAT_ARGB8888);
        SDL_Texture* made = backend->createTexture(surface);
        SDL_FreeSurface(surface);
        EXPECT_NE(made, nullptr);
        return made;
    }

    // Gives a texture new texels, or frees it, as the device does.
    void repaint(SDL_Texture* made, std::uint32_t colour) {
        const std::vector<std::uint32_t> texels(64, colour);
        cache->beforeTextureChange(made);
        ASSERT_TRUE(backend->updateTexture(made, texels.data(), 32));
    }
    void destroy(SDL_Texture* made) {
        cache->beforeTextureChange(made);
        backend->destroyTexture(made);
    }

    // The back buffer's pixel once the frame so far is drawn.
    std::uint32_t pixel(int x, int y) {
        cache->flush();
        std::vector<std::uint32_t> pixels;
        int width = 0;
        int height = 0;
        EXPECT_TRUE(backend->readBack(pixels, width, height));
        return pixels[static_cast<std::size_t>(y) * width + x] | 0xFF000000u;
    }

    // A frame: the white clear and a red square at x.
    void frameWithSquareAt(int x) {
        cache->clear(White);
        cache->fill(SDL_Rect{x, 10, 8, 8}, Red, SDL_BLENDMODE_NONE);
        cache->present();
    }

    std::uint64_t rasterised() const { return cache->getRasterisedFrames(); }
    std::uint64_t presented() const { return cache->getPresentedFrames(); }
    std::uint64_t partial() const { return cache->getPartialFrames(); }

    SDL_Window* window = nullptr;
    std::unique_ptr<DrawBackend> backend;
    std::unique_ptr<FrameCache> cache;
};

TEST_F(FrameCacheTest, SameFrameIsSkippedAndAChangedOneDrawnWhereItChanged) {
    frameWithSquareAt(10);
    EXPECT_EQ(rasterised(), 1u);
    EXPECT_EQ(presented(), 1u);
    // The same frame: neither drawn nor presented, and read back as it is.
    cache->clear(White);
    cache->fill(SDL_Rect{10, 10, 8, 8}, Red, SDL_BLENDMODE_NONE);
    EXPECT_EQ(pixel(10, 10), Red);
    EXPECT_EQ(pixel(9, 10), White);
    cache->present();
    EXPECT_EQ(rasterised(), 1u);
    EXPECT_EQ(presented(), 1u);
    // Moved: drawn only where the square was and is.
    frameWithSquareAt(30);
    EXPECT_EQ(rasterised(), 2u);
    EXPECT_EQ(presented(), 2u);
    EXPECT_EQ(partial(), 1u);
    EXPECT_EQ(pixel(10, 10), White);
    EXPECT_EQ(pixel(30, 10), Red);
}

TEST_F(FrameCacheTest, FrameWithoutFullClearRunsAtOnceAndLeavesTheScreenUnknown) {
    frameWithSquareAt(10);
    cache->fill(SDL_Rect{50, 10, 8, 8}, Blue, SDL_BLENDMODE_NONE);
    EXPECT_EQ(pixel(50, 10), Blue);
    EXPECT_EQ(pixel(10, 10), Red); // drawn over what the back buffer held
    cache->present();
    EXPECT_EQ(rasterised(), 2u);
    EXPECT_EQ(presented(), 2u);
    // The screen now shows no recorded frame: the first one is drawn and presented again.
    frameWithSquareAt(10);
    EXPECT_EQ(rasterised(), 3u);
    EXPECT_EQ(presented(), 3u);
    EXPECT_EQ(pixel(50, 10), White);
}

TEST_F(FrameCacheTest, WindowChangeOrSwitchingSkippingOffDrawsFramesAgain) {
    frameWithSquareAt(10);
    frameWithSquareAt(10);
    EXPECT_EQ(presented(), 1u);
    // The window was uncovered: what it showed may be gone. Another window's event changes
    // nothing.
    SDL_Event exposed{};
    exposed.type = SDL_WINDOWEVENT;
    exposed.window.event = SDL_WINDOWEVENT_EXPOSED;
    exposed.window.windowID = SDL_GetWindowID(window) + 100;
    SDL_PushEvent(&exposed);
    frameWithSquareAt(10);
    EXPECT_EQ(presented(), 1u);
    exposed.window.windowID = SDL_GetWindowID(window);
    SDL_PushEvent(&exposed);
    frameWithSquareAt(10);
    EXPECT_EQ(rasterised(), 2u);
    EXPECT_EQ(presented(), 2u);
    // Skipping off: every frame is drawn and presented in full.
    FrameCache::setEnabled(false);
    cache->forget();
    frameWithSquareAt(10);
    frameWithSquareAt(12);
    EXPECT_EQ(rasterised(), 4u);
    EXPECT_EQ(presented(), 4u);
    EXPECT_EQ(partial(), 0u);
}

TEST_F(FrameCacheTest, TextureChangedOrFreedAfterItsDrawStillShowsAsDrawn) {
    SDL_Texture* first = texture(Red);
    SDL_Texture* second = texture(Red);
    // Drawn red, then repainted blue and drawn again, then freed, all before the read.
    cache->clear(White);
    cache->copy(first, nullptr, SDL_Rect{0, 0, 8, 8}, White, SDL_BLENDMODE_NONE);
    repaint(first, Blue);
    cache->copy(first, nullptr, SDL_Rect{10, 0, 8, 8}, White, SDL_BLENDMODE_NONE);
    cache->copy(second, nullptr, SDL_Rect{20, 0, 8, 8}, White, SDL_BLENDMODE_NONE);
    destroy(second);
    EXPECT_EQ(pixel(0, 0), Red);
    EXPECT_EQ(pixel(10, 0), Blue);
    EXPECT_EQ(pixel(20, 0), Red);
    cache->present();
    // The same call on the texture holding another picture: another frame.
    auto blueFrame = [&] {
        cache->clear(White);
        cache->copy(first, nullptr, SDL_Rect{0, 0, 8, 8}, White, SDL_BLENDMODE_NONE);
        cache->present();
    };
    blueFrame();
    blueFrame();
    const std::uint64_t drawn = rasterised();
    repaint(first, Red);
    blueFrame();
    EXPECT_EQ(rasterised(), drawn + 1);
    EXPECT_EQ(pixel(0, 0), Red);
    destroy(first);
}

TEST_F(FrameCacheTest, FramesLookTheSameWhetherTheClearRanOrNot) {
    // Opaque fills over the whole back buffer except, in the second frame, its last column.
    for (int uncovered = 0; uncovered < 2; ++uncovered) {
        cache->forget(); // drawn in full, not only where it changed
        cache->clear(White);
        cache->fill(SDL_Rect{0, 0, 100, 100}, Blue, SDL_BLENDMODE_NONE);
        cache->fill(SDL_Rect{100, 0, 100 - uncovered, 100}, Red, SDL_BLENDMODE_NONE);
        EXPECT_EQ(pixel(0, 0), Blue);
        EXPECT_EQ(pixel(100, 99), Red);
        EXPECT_EQ(pixel(199, 50), uncovered ? White : Red);
        cache->present();
    }
}

} // namespace
