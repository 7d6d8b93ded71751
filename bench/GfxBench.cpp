// Benchmarks of the graphics stand-in on the software renderer without the present wait: the
// menu's 16-tile background and a frame with 60 stone sprites over it, each as a ratio (in
// processor time) to a reference frame (clear, sixteen opaque 200 x 200 blits, present) of the
// same run.
#include "bench/BenchSupport.h"
#include "gfx/Background.h"
#include "gfx/RenderDevice.h"
#include "gfx/Sprite.h"
#include "pack/PackerReader.h"
#include "tests/support/PackFiles.h"
#include "tests/support/PictureBytes.h"

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

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

// Writes a pack of the two pictures, "background.png" and "stone.png", into dir; its path.
std::string picturePack(const zxtest::TempDir& dir) {
    return zxtest::writePackIn(dir, {{"background.png", zxtest::makePng(200, 200, backgroundTexel)},
                                     {"stone.png", zxtest::makePng(64, 32, stoneTexel)}});
}

// The headless screen with skipping off, the two pictures' pack and the menu's background
// loaded from it; ready() is false when any of them could not be had.
struct PictureScene {
    zxtest::HeadlessScreen screen;
    zxbench::FrameSkip skip{false};
    const zxtest::TempDir dir;
    PackerReader pack;
    Background background{200, 200, 0.0f, 0.0f, 0, 800, 608, RepeatXY};
    bool loaded = false;

    PictureScene() {
        loaded = screen.ready() && pack.open(picturePack(dir).c_str());
        if (loaded) {
            background.loadTexture(pack.getEntry("background.png"));
        }
    }
    bool ready() const { return loaded; }
};

void BM_BackgroundFrame(benchmark::State& state) {
    PictureScene scene;
    if (!scene.ready()) {
        state.SkipWithError("no render device or pictures");
        return;
    }
    RenderDevice* device = RenderDevice::getInstance();
    zxbench::measureAgainstReference(state, scene.screen.getRenderer(), [&] {
        device->beginFrame();
        scene.background.draw();
        device->endFrame();
    });
}
BENCHMARK(BM_BackgroundFrame)->Unit(benchmark::kMillisecond);

void BM_BackgroundAndSixtySpritesFrame(benchmark::State& state) {
    PictureScene scene;
    if (!scene.ready()) {
        state.SkipWithError("no render device or pictures");
        return;
    }
    std::vector<std::unique_ptr<Sprite>> sprites;
    for (int i = 0; i < 60; ++i) {
        sprites.push_back(std::make_unique<Sprite>(RenderDevice::getDevice(),
                                                   scene.pack.getEntry("stone.png"), 64, 32, 0));
        sprites.back()->setPosition(static_cast<float>(48 + (i % 10) * 70),
                                    static_cast<float>(80 + (i / 10) * 40));
    }
    RenderDevice* device = RenderDevice::getInstance();
    zxbench::measureAgainstReference(state, scene.screen.getRenderer(), [&] {
        device->beginFrame();
        scene.background.draw();
        for (const auto& sprite : sprites) {
            sprite->draw();
        }
        device->endFrame();
    });
}
BENCHMARK(BM_BackgroundAndSixtySpritesFrame)->Unit(benchmark::kMillisecond);

} // namespace
