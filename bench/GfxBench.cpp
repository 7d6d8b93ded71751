// Benchmarks of the graphics stand-in on the software renderer without the present wait: the
// menu's 16-tile background and a frame with 60 stone sprites over it, each as a ratio (in
// processor time) to a reference frame (clear, sixteen opaque 200 x 200 blits, present) of the
// same run.
#include "bench/BenchSupport.h"
#include "gfx/Background.h"
#include "gfx/RenderDevice.h"
#include "gfx/Sprite.h"
#include "pack/PackEntry.h"
#include "tests/support/PictureBytes.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// A picture as PNG bytes, served as a pack entry whose bytes are read afresh each time (loading
// a sprite frees them, as the pack reader's entries are).
class Picture {
  public:
    Picture(const char* name, int width, int height, const zxtest::Painter& paint)
        : png(zxtest::makePng(width, height, paint)) {
        std::strncpy(bytes.name, name, sizeof(bytes.name) - 1);
    }
    ~Picture() { bytes.freeData(); }

    PackEntry* entry() {
        bytes.freeData();
        bytes.size = static_cast<uint32_t>(png.size());
        bytes.data = new uint8_t[png.size()];
        std::memcpy(bytes.data, png.data(), png.size());
        return &bytes;
    }

  private:
    std::vector<std::uint8_t> png;
    PackEntry bytes;
};

// The menu's background picture: opaque, shaded.
Uint32 backgroundTexel(int x, int y) {
    const auto shade = static_cast<Uint32>(160 + (x * 7 + y * 3) % 64);
    return 0xFF000000u | shade << 16 | (shade - 40) << 8 | 0xF0;
}

// A glowing stone: opaque inside, fading alpha at its rim.
Uint32 stoneTexel(int x, int y) {
    const double dx = std::fabs(x - 31.5) / 32.0;
    const double dy = std::fabs(y - 15.5) / 16.0;
    const double edge = std::fmax(dx, dy);
    const auto alpha = static_cast<Uint32>(edge < 0.8 ? 255 : std::fmax(0.0, (1.0 - edge) * 1275));
    return alpha << 24 | 0x3080E0u;
}

void BM_BackgroundFrame(benchmark::State& state) {
    zxtest::HeadlessScreen screen;
    zxbench::FrameSkip skip(false);
    if (!screen.ready()) {
        state.SkipWithError("no render device");
        return;
    }
    Picture picture("background.png", 200, 200, backgroundTexel);
    Background background(200, 200, 0.0f, 0.0f, 0, 800, 608, RepeatXY);
    background.loadTexture(picture.entry());
    RenderDevice* device = RenderDevice::getInstance();
    zxbench::measureAgainstReference(state, screen.getRenderer(), [&] {
        device->beginFrame();
        background.draw();
        device->endFrame();
    });
}
BENCHMARK(BM_BackgroundFrame)->Unit(benchmark::kMillisecond);

void BM_BackgroundAndSixtySpritesFrame(benchmark::State& state) {
    zxtest::HeadlessScreen screen;
    zxbench::FrameSkip skip(false);
    if (!screen.ready()) {
        state.SkipWithError("no render device");
        return;
    }
    Picture picture("background.png", 200, 200, backgroundTexel);
    Picture stone("stone.png", 64, 32, stoneTexel);
    Background background(200, 200, 0.0f, 0.0f, 0, 800, 608, RepeatXY);
    background.loadTexture(picture.entry());
    std::vector<std::unique_ptr<Sprite>> sprites;
    for (int i = 0; i < 60; ++i) {
        sprites.push_back(
            std::make_unique<Sprite>(RenderDevice::getDevice(), stone.entry(), 64, 32, 0));
        sprites.back()->setPosition(static_cast<float>(48 + (i % 10) * 70),
                                    static_cast<float>(80 + (i / 10) * 40));
    }
    RenderDevice* device = RenderDevice::getInstance();
    zxbench::measureAgainstReference(state, screen.getRenderer(), [&] {
        device->beginFrame();
        background.draw();
        for (const auto& sprite : sprites) {
            sprite->draw();
        }
        device->endFrame();
    });
}
BENCHMARK(BM_BackgroundAndSixtySpritesFrame)->Unit(benchmark::kMillisecond);

} // namespace
