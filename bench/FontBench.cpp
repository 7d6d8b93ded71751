// Benchmark of text drawing: ten short texts and one outlined 72-pixel title per frame, as a
// ratio to a reference frame (clear and sixteen opaque 200 x 200 blits) of the same run, with
// the number of line rasterisations the frames needed.
#include "gfx/Font.h"
#include "gfx/RenderDevice.h"
#include "gfx/platform/FontFace.h"
#include "gfx/platform/SdlDevice.h"

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// SDL on the dummy driver with a window and a render device, without the presentation wait.
class FontBenchScreen {
  public:
    FontBenchScreen() {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        setenv("SDL_RENDER_DRIVER", "software", 0);
        sdlgfx::setPresentWait(false);
        if (SDL_Init(SDL_INIT_VIDEO) != 0) {
            return;
        }
        window = SDL_CreateWindow("font bench", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 800,
                                  608, SDL_WINDOW_HIDDEN);
        device = new RenderDevice();
        ok = window != nullptr && device->init();
    }
    ~FontBenchScreen() {
        delete device;
        if (window != nullptr) {
            SDL_DestroyWindow(window);
        }
        SDL_Quit();
    }

    RenderDevice* device = nullptr;
    SDL_Window* window = nullptr;
    bool ok = false;
};

// Seconds per reference frame on the renderer: clear, sixteen opaque 200 x 200 blits covering
// the screen, present.
double fontReferenceSeconds(SDL_Renderer* renderer, int frames) {
    SDL_Texture* tile =
        SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, 200, 200);
    if (tile == nullptr) {
        return 0.0;
    }
    std::string texels(200 * 200 * 4, '\0');
    for (std::size_t i = 0; i < texels.size(); i += 4) {
        texels[i] = static_cast<char>(i % 251);
        texels[i + 1] = static_cast<char>(i % 241);
        texels[i + 2] = static_cast<char>(i % 239);
        texels[i + 3] = static_cast<char>(0xFF);
    }
    SDL_UpdateTexture(tile, nullptr, texels.data(), 200 * 4);
    SDL_SetTextureBlendMode(tile, SDL_BLENDMODE_NONE);
    auto start = std::chrono::steady_clock::now();
    for (int f = 0; f < frames; ++f) {
        SDL_SetRenderDrawColor(renderer, 255, 255, 255, 255);
        SDL_RenderClear(renderer);
        for (int i = 0; i < 16; ++i) {
            SDL_Rect dest{(i % 4) * 200, (i / 4) * 200, 200, 200};
            SDL_RenderCopy(renderer, tile, nullptr, &dest);
        }
        SDL_RenderPresent(renderer);
    }
    std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    SDL_DestroyTexture(tile);
    return elapsed.count() / frames;
}

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
    FontBenchScreen screen;
    Font small;
    Font banner;
    if (!screen.ok || !small.create("Arial", 24) || !banner.create("Arial", 72)) {
        state.SkipWithError("no device or fonts");
        return;
    }
    const std::uint64_t before = FontFace::getRasterisationCount();
    drawTextFrame(*screen.device, small, banner, 0);
    const std::uint64_t firstFrame = FontFace::getRasterisationCount() - before;
    double frameSeconds = 0.0;
    std::int64_t frames = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        drawTextFrame(*screen.device, small, banner, static_cast<int>(++frames));
        std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        frameSeconds += elapsed.count();
    }
    const double reference =
        fontReferenceSeconds(sdlgfx::getRenderer(RenderDevice::getDevice()), 200);
    if (frames > 0 && reference > 0.0) {
        state.counters["ratio"] = frameSeconds / static_cast<double>(frames) / reference;
        state.counters["reference_ms"] = reference * 1000.0;
    }
    state.counters["first_frame_rasterisations"] = static_cast<double>(firstFrame);
    state.counters["later_rasterisations"] =
        static_cast<double>(FontFace::getRasterisationCount() - before - firstFrame);
}
BENCHMARK(BM_FontFrame)->Unit(benchmark::kMillisecond);

} // namespace
