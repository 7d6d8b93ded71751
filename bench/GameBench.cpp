// Benchmarks of the game room: one frame (events, update, draw, present) with level 6 in play,
// drawn in full and as the game draws it (only where it changed), as a ratio to a reference
// frame (clear and sixteen opaque 200 x 200 blits) of the same run, and the load of each level
// in milliseconds.
#include "bench/BenchSupport.h"
#include "game/Ball.h"
#include "gfx/RenderDevice.h"
#include "gfx/platform/SdlDevice.h"
#include "pack/PackEntries.h"
#include "pack/PackerReader.h"
#include "rooms/RGame.h"
#include "rooms/RoomManager.h"
#include "score/NameDialog.h"

namespace {

// The headless game switched to the game room; name dialogs are answered with Cancel.
class GameRoomBench : public zxbench::BenchGame {
  public:
    explicit GameRoomBench(bool frameSkip = false) : BenchGame(frameSkip) {
        setNameDialogAnswerer([](const std::string&) { return NameDialogAnswer{}; });
        if (started()) {
            getRoomManager()->changeRoom(RoomGame);
        }
    }
    ~GameRoomBench() { setNameDialogAnswerer({}); }

    // True when the game started and the game room is current.
    bool inGameRoom() { return started() && getGameRoom() != nullptr; }

    // Loads level n into the room; false when the pack lacks it or refuses it.
    bool load(int n) { return getGameRoom()->loadLevel(n); }

    // Keeps the ball in play: Space while it waits, level 6 again once the run or level ends.
    void keepInPlay() {
        Ball* ball = getGameRoom()->getBall();
        if (ball->getState() == Waiting) {
            SDL_Event space{};
            space.type = SDL_KEYDOWN;
            space.key.keysym.sym = SDLK_SPACE;
            SDL_PushEvent(&space);
        } else if (ball->getState() != Launch && ball->getState() != Flying) {
            load(6);
        }
    }
};

void BM_GameFrameLevel6(benchmark::State& state) {
    GameRoomBench bench;
    if (!bench.inGameRoom() || !bench.load(6)) {
        state.SkipWithError("the game room did not start on level 6");
        return;
    }
    zxbench::measureAgainstReference(state, bench.renderer(), [&] {
        bench.keepInPlay();
        bench.game().turn();
    });
}
BENCHMARK(BM_GameFrameLevel6)->Unit(benchmark::kMillisecond);

// The same turns as the game plays them: each frame drawn again only where it changed.
void BM_GameFrameLevel6Redrawn(benchmark::State& state) {
    GameRoomBench bench(true);
    if (!bench.inGameRoom() || !bench.load(6)) {
        state.SkipWithError("the game room did not start on level 6");
        return;
    }
    IDirect3DDevice9* device = RenderDevice::getDevice();
    const std::uint64_t turnsBefore = sdlgfx::getRasterisedFrames(device);
    const std::uint64_t partlyBefore = sdlgfx::getPartialFrames(device);
    zxbench::measureAgainstReference(state, bench.renderer(), [&] {
        bench.keepInPlay();
        bench.game().turn();
    });
    const auto drawn = static_cast<double>(sdlgfx::getRasterisedFrames(device) - turnsBefore);
    if (drawn > 0.0) {
        state.counters["partly_drawn_share"] =
            static_cast<double>(sdlgfx::getPartialFrames(device) - partlyBefore) / drawn;
    }
}
BENCHMARK(BM_GameFrameLevel6Redrawn)->Unit(benchmark::kMillisecond);

void BM_LevelLoad(benchmark::State& state) {
    GameRoomBench bench;
    const int level = static_cast<int>(state.range(0));
    if (!bench.inGameRoom() || !bench.load(level)) {
        state.SkipWithError("the level did not load");
        return;
    }
    zxbench::measureAgainstReference(
        state, bench.renderer(), [&] { bench.load(level); }, "load");
    state.counters["stones"] = static_cast<double>(getGameRoom()->getStoneCount());
}
BENCHMARK(BM_LevelLoad)->DenseRange(1, 6)->Unit(benchmark::kMillisecond);

} // namespace
