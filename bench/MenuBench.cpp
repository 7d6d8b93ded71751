// Benchmarks of one menu frame and one scoreboard frame with ten rows, each reported as a ratio
// to a reference frame (clear and sixteen opaque 200 x 200 blits) measured in the same run.
#include "app/Game.h"
#include "gfx/RenderDevice.h"
#include "gfx/platform/SdlDevice.h"
#include "rooms/RoomManager.h"
#include "score/ScoreTable.h"

#include <SDL.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

// CPU seconds of this thread: steadier than the wall clock on a machine shared with builds.
double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The built pack: $ZX_BIN_DIR/data.zxp, or bin/ beside the folder of this executable.
std::string packPath() {
    if (const char* bin = std::getenv("ZX_BIN_DIR")) {
        return std::string(bin) + "/data.zxp";
    }
    char* base = SDL_GetBasePath();
    std::string path = std::string(base ? base : "./") + "../bin/data.zxp";
    SDL_free(base);
    return path;
}

// A whole game started headless in a temporary working directory with a copy of the pack.
class BenchGame {
  public:
    BenchGame() {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        setenv("SDL_RENDER_DRIVER", "software", 0);
        sdlgfx::setPresentWait(false);
        oldDir = fs::current_path();
        std::string pattern = (fs::temp_directory_path() / "zembrix-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            return;
        }
        dir = pattern;
        std::error_code error;
        fs::copy_file(packPath(), dir / "data.zxp", error);
        fs::current_path(dir);
        ok = !error && game.init(800, 608);
    }
    ~BenchGame() {
        game.shutdown();
        std::error_code ignored;
        fs::current_path(oldDir, ignored);
        if (!dir.empty()) {
            fs::remove_all(dir, ignored);
        }
    }

    // One turn of the main loop: events, update, frame and present.
    void frame() {
        SDL_Event event;
        SDL_PumpEvents();
        while (SDL_PollEvent(&event)) {
            game.handleEvent(&event);
        }
        game.update();
        game.render();
    }

    Game game;
    bool ok = false;

  private:
    fs::path oldDir;
    fs::path dir;
};

// CPU seconds per reference frame on the game's renderer: clear, sixteen opaque 200 x 200 blits
// covering the screen, present.
double referenceFrameSeconds(SDL_Renderer* renderer, int frames) {
    SDL_Texture* tile =
        SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, 200, 200);
    if (tile == nullptr) {
        return 0.0;
    }
    std::string texels(200 * 200 * 4, '\0');
    for (size_t i = 0; i < texels.size(); i += 4) {
        texels[i] = static_cast<char>(i % 251);
        texels[i + 1] = static_cast<char>(i % 241);
        texels[i + 2] = static_cast<char>(i % 239);
        texels[i + 3] = static_cast<char>(0xFF);
    }
    SDL_UpdateTexture(tile, nullptr, texels.data(), 200 * 4);
    SDL_SetTextureBlendMode(tile, SDL_BLENDMODE_NONE);
    double start = threadSeconds();
    for (int f = 0; f < frames; ++f) {
        SDL_SetRenderDrawColor(renderer, 255, 255, 255, 255);
        SDL_RenderClear(renderer);
        for (int i = 0; i < 16; ++i) {
            SDL_Rect dest{(i % 4) * 200, (i / 4) * 200, 200, 200};
            SDL_RenderCopy(renderer, tile, nullptr, &dest);
        }
        SDL_RenderPresent(renderer);
    }
    double elapsed = threadSeconds() - start;
    SDL_DestroyTexture(tile);
    return elapsed / frames;
}

// Runs frames of the current room, then reports its CPU time per frame against the reference.
void measureRoom(benchmark::State& state, BenchGame& bench) {
    bench.frame();
    double frameSeconds = 0.0;
    std::int64_t frames = 0;
    for (auto _ : state) {
        double start = threadSeconds();
        bench.frame();
        frameSeconds += threadSeconds() - start;
        ++frames;
    }
    SDL_Renderer* renderer = SDL_GetRenderer(bench.game.getWindow());
    double reference = referenceFrameSeconds(renderer, 200);
    if (frames > 0 && reference > 0.0) {
        state.counters["ratio"] = frameSeconds / static_cast<double>(frames) / reference;
        state.counters["reference_ms"] = reference * 1000.0;
    }
}

void BM_MenuFrame(benchmark::State& state) {
    BenchGame bench;
    if (!bench.ok) {
        state.SkipWithError("the game did not start");
        return;
    }
    measureRoom(state, bench);
}
BENCHMARK(BM_MenuFrame)->Unit(benchmark::kMillisecond);

void BM_ScoreboardFrameTenRows(benchmark::State& state) {
    BenchGame bench;
    if (!bench.ok) {
        state.SkipWithError("the game did not start");
        return;
    }
    const char* names[10] = {"Ala",    "Bartek",  "Celina", "Darek", "Ewa",
                             "Franek", "Grazyna", "Henryk", "Iwona", "Jurek"};
    for (int i = 0; i < 10; ++i) {
        getScoreTable()->insert(names[i], 100000u - 777u * static_cast<unsigned>(i));
    }
    getRoomManager()->changeRoom(RoomScoreboard);
    measureRoom(state, bench);
}
BENCHMARK(BM_ScoreboardFrameTenRows)->Unit(benchmark::kMillisecond);

} // namespace
