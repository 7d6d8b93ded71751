// BenchSupport: processor time, the reference frame and the headless game of the benchmarks.
#include "bench/BenchSupport.h"

#include "gfx/platform/SdlDevice.h"

#include <ctime>
#include <vector>

namespace zxbench {

double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double secondsPerCall(const std::function<void()>& frame) {
    int calls = 0;
    const double start = threadSeconds();
    double elapsed = 0.0;
    do {
        frame();
        ++calls;
        elapsed = threadSeconds() - start;
    } while (elapsed < 0.2);
    return elapsed / calls;
}

double referenceFrameSeconds(SDL_Renderer* renderer) {
    SDL_Texture* tile =
        SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, 200, 200);
    if (tile == nullptr) {
        return 0.0;
    }
    std::vector<Uint32> texels(200 * 200);
    for (std::size_t i = 0; i < texels.size(); ++i) {
        texels[i] = 0xFF000000u | static_cast<Uint32>(i * 2654435761u >> 8);
    }
    SDL_UpdateTexture(tile, nullptr, texels.data(), 200 * 4);
    SDL_SetTextureBlendMode(tile, SDL_BLENDMODE_NONE);
    const double seconds = secondsPerCall([&] {
        SDL_SetRenderDrawColor(renderer, 255, 255, 255, 255);
        SDL_RenderClear(renderer);
        for (int i = 0; i < 16; ++i) {
            const SDL_Rect dest{(i % 4) * 200, (i / 4) * 200, 200, 200};
            SDL_RenderCopy(renderer, tile, nullptr, &dest);
        }
        SDL_RenderPresent(renderer);
    });
    SDL_DestroyTexture(tile);
    return seconds;
}

FrameSkip::FrameSkip(bool on) {
    sdlgfx::setFrameSkip(on);
}

FrameSkip::~FrameSkip() {
    sdlgfx::setFrameSkip(true);
}

SDL_Renderer* BenchGame::renderer() {
    return SDL_GetRenderer(game().getWindow());
}

void measureAgainstReference(benchmark::State& state, SDL_Renderer* renderer,
                             const std::function<void()>& work, const std::string& what) {
    work();
    double seconds = 0.0;
    std::int64_t calls = 0;
    for (auto _ : state) {
        const double start = threadSeconds();
        work();
        seconds += threadSeconds() - start;
        ++calls;
    }
    const double reference = referenceFrameSeconds(renderer);
    if (calls > 0 && reference > 0.0) {
        const double own = seconds / static_cast<double>(calls);
        state.counters[what + "_ms"] = own * 1e3;
        state.counters["reference_ms"] = reference * 1e3;
        state.counters["ratio"] = own / reference;
    }
}

} // namespace zxbench
