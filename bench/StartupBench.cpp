// Benchmark of start-up: Game::init and the first turn of the main loop (events, update, the
// first frame drawn and presented), in milliseconds of wall clock and of processor time, on
// the software renderer without the present wait. Process start (loading the executable and
// its libraries) is measured by bench/compare-lbreakout2.sh instead.
#include "bench/BenchSupport.h"
#include "gfx/platform/SdlDevice.h"

#include <chrono>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

void BM_StartupToFirstFrame(benchmark::State& state) {
    zxtest::useHeadlessVideo();
    sdlgfx::setPresentWait(false);
    const fs::path oldDir = fs::current_path();
    const zxtest::TempDir dir;
    std::error_code error;
    if (dir.path().empty() ||
        !fs::copy_file(zxtest::builtPackPath(), dir.file("data.zxp"), error)) {
        state.SkipWithError("no working directory with the pack");
        return;
    }
    fs::current_path(dir.path());
    double wall = 0.0;
    double first = 0.0;
    double processor = 0.0;
    std::int64_t starts = 0;
    for (auto _ : state) {
        const auto wallStart = std::chrono::steady_clock::now();
        const double processorStart = zxbench::threadSeconds();
        Game game;
        const bool started = game.init(800, 608);
        if (started) {
            game.turn();
        }
        processor += zxbench::threadSeconds() - processorStart;
        const double took =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
        first = starts == 0 ? took : first;
        wall += took;
        ++starts;
        state.PauseTiming();
        game.shutdown();
        state.ResumeTiming();
        if (!started) {
            state.SkipWithError("the game did not start");
            break;
        }
    }
    fs::current_path(oldDir, error);
    if (starts > 0) {
        state.counters["startup_ms"] = wall / static_cast<double>(starts) * 1e3;
        // The process's first start also loads fonts, caches and SDL's video for the first time.
        state.counters["first_startup_ms"] = first * 1e3;
        state.counters["startup_cpu_ms"] = processor / static_cast<double>(starts) * 1e3;
    }
}
BENCHMARK(BM_StartupToFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace
