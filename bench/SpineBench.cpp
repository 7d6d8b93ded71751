// Benchmark of the main loop's own cost: one turn with no current room (events, update and a
// frame that is only the white clear), as a ratio to the reference frame of the same run.
#include "bench/BenchSupport.h"
#include "rooms/RoomManager.h"

namespace {

using zxbench::BenchGame;

void BM_EmptySpineFrame(benchmark::State& state) {
    BenchGame bench;
    if (!bench.started()) {
        state.SkipWithError("the game did not start");
        return;
    }
    // A number that names no room: the loop keeps turning and every frame is the clear.
    getRoomManager()->changeRoom(3);
    zxbench::measureAgainstReference(state, bench.renderer(), [&] { bench.game().turn(); });
}
BENCHMARK(BM_EmptySpineFrame)->Unit(benchmark::kMillisecond);

} // namespace
