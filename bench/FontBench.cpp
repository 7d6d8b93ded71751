// Benchmark of text drawing: ten short texts fading and rising, as the stones' points do, and
// one outlined 72-pixel title fading as the level banner does, per frame, as a ratio to a
// reference frame (clear and sixteen opaque 200 x 200 blits) of the same run, with the number
// of line rasterisations the frames needed.
#include "bench/BenchSupport.h"
#include "gfx/Font.h"
#include "gfx/RenderDevice.h"
#include "gfx/platform/FontFace.h"

#include <cstdio>

namespace {

// One frame of text: ten short texts in the small font, and the banner title with its outline
// fading as the game room's does.
void drawTextFrame(RenderDevice& device, Font& small, Font& banner, int frame) {
    device.beginFrame();
    char text[32];
    for (int i = 0; i < 10; ++i) {
        std::snprintf(text, sizeof text, "%d", (i % 3 + 1) * 50);
        const auto alpha = static_cast<D3DCOLOR>(255 - (frame + 25 * i) % 256);
        small.draw(text, 80 + 64 * i, 300 - (frame + 7 * i) % 60, (alpha << 24) | 0xE53935,
                   DT_CENTER, 0, 0);
    }
    const auto bannerAlpha = static_cast<D3DCOLOR>(255 - frame % 256);
    banner.draw("Poziom 1", 400, 152 + frame % 40, (bannerAlpha << 24) | 0xFFFFFF, DT_CENTER, 1,
                bannerAlpha << 24);
    device.endFrame();
}

void BM_FontFrame(benchmark::State& state) {
    zxtest::HeadlessScreen screen;
    zxbench::FrameSkip skip(false);
    Font small;
    Font banner;
    if (!screen.ready() || !small.create("Arial", 24) || !banner.create("Arial", 72)) {
        state.SkipWithError("no device or fonts");
        return;
    }
    const std::uint64_t before = FontFace::getRasterisationCount();
    drawTextFrame(*screen.getDevice(), small, banner, 0);
    const std::uint64_t firstFrame = FontFace::getRasterisationCount() - before;
    int frame = 0;
    zxbench::measureAgainstReference(state, screen.getRenderer(), [&] {
        drawTextFrame(*screen.getDevice(), small, banner, ++frame);
    });
    state.counters["first_frame_rasterisations"] = static_cast<double>(firstFrame);
    state.counters["later_rasterisations"] =
        static_cast<double>(FontFace::getRasterisationCount() - before - firstFrame);
}
BENCHMARK(BM_FontFrame)->Unit(benchmark::kMillisecond);

} // namespace
