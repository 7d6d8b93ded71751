// Benchmarks of one menu frame and one scoreboard frame with ten rows, each reported as a ratio
// to a reference frame (clear and sixteen opaque 200 x 200 blits) measured in the same run, and
// of a menu frame identical to the one on screen, which the device neither draws nor presents.
#include "bench/BenchSupport.h"
#include "gfx/RenderDevice.h"
#include "gfx/platform/SdlDevice.h"
#include "rooms/RoomManager.h"
#include "score/ScoreTable.h"

namespace {

using zxbench::BenchGame;

void BM_MenuFrame(benchmark::State& state) {
    BenchGame bench;
    if (!bench.started()) {
        state.SkipWithError("the game did not start");
        return;
    }
    zxbench::measureAgainstReference(state, bench.renderer(), [&] { bench.game().turn(); });
}
BENCHMARK(BM_MenuFrame)->Unit(benchmark::kMillisecond);

// The menu as it stands while the player reads it: every turn's frame equals the last one.
void BM_MenuFrameUnchanged(benchmark::State& state) {
    BenchGame bench(true);
    if (!bench.started()) {
        state.SkipWithError("the game did not start");
        return;
    }
    IDirect3DDevice9* device = RenderDevice::getDevice();
    bench.game().turn();
    const std::uint64_t drawn = sdlgfx::getRasterisedFrames(device);
    zxbench::measureAgainstReference(state, bench.renderer(), [&] { bench.game().turn(); });
    state.counters["frames_rasterised"] =
        static_cast<double>(sdlgfx::getRasterisedFrames(device) - drawn);
}
BENCHMARK(BM_MenuFrameUnchanged)->Unit(benchmark::kMillisecond);

void BM_ScoreboardFrameTenRows(benchmark::State& state) {
    BenchGame bench;
    if (!bench.started()) {
        state.SkipWithError("the game did not start");
        return;
    }
    const char* names[10] = {"Ala",    "Bartek",  "Celina", "Darek", "Ewa",
                             "Franek", "Grazyna", "Henryk", "Iwona", "Jurek"};
    for (int i = 0; i < 10; ++i) {
        getScoreTable()->insert(names[i], 100000u - 777u * static_cast<unsigned>(i));
    }
    getRoomManager()->changeRoom(RoomScoreboard);
    zxbench::measureAgainstReference(state, bench.renderer(), [&] { bench.game().turn(); });
}
BENCHMARK(BM_ScoreboardFrameTenRows)->Unit(benchmark::kMillisecond);

} // namespace
