// Benchmarks of the game room: one frame (events, update, draw, present) with level 6 in play,
// as a ratio to a reference frame (clear and sixteen opaque 200 x 200 blits) of the same run,
// and the load of each level.
#include "app/Game.h"
#include "game/Ball.h"
#include "gfx/platform/SdlDevice.h"
#include "pack/PackerReader.h"
#include "rooms/RGame.h"
#include "rooms/RoomManager.h"
#include "score/NameDialog.h"

#include <SDL.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// The built pack: $ZX_BIN_DIR/data.zxp, or bin/ beside the folder of this executable.
std::string builtPack() {
    if (const char* bin = std::getenv("ZX_BIN_DIR")) {
        return std::string(bin) + "/data.zxp";
    }
    char* base = SDL_GetBasePath();
    std::string path = std::string(base ? base : "./") + "../bin/data.zxp";
    SDL_free(base);
    return path;
}

// A headless game in a temporary working directory with a copy of the built pack, switched
// to the game room. Name dialogs are answered with Cancel.
class GameRoomBench {
  public:
    GameRoomBench() {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        setenv("SDL_RENDER_DRIVER", "software", 0);
        sdlgfx::setPresentWait(false);
        setNameDialogAnswerer([](const std::string&) { return NameDialogAnswer{}; });
        oldDir = fs::current_path();
        std::string pattern = (fs::temp_directory_path() / "zembrix-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            return;
        }
        dir = pattern;
        std::error_code error;
        fs::copy_file(builtPack(), dir / "data.zxp", error);
        fs::current_path(dir);
        if (error || !game.init(800, 608)) {
            return;
        }
        getRoomManager()->changeRoom(RoomGame);
        ok = getGameRoom() != nullptr;
    }
    ~GameRoomBench() {
        game.shutdown();
        setNameDialogAnswerer({});
        std::error_code ignored;
        fs::current_path(oldDir, ignored);
        if (!dir.empty()) {
            fs::remove_all(dir, ignored);
        }
    }

    // Loads level n into the room; false when the pack lacks it or refuses it.
    bool load(int n) {
        char name[32];
        std::snprintf(name, sizeof name, "Level%d.zxm", n);
        return getGameRoom()->loadLevel(getPackerReader()->getEntry(name));
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

    Game game;
    bool ok = false;

  private:
    fs::path oldDir;
    fs::path dir;
};

// Seconds per reference frame on the game's renderer: clear, sixteen opaque 200 x 200 blits
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
    const auto start = Clock::now();
    for (int f = 0; f < frames; ++f) {
        SDL_SetRenderDrawColor(renderer, 255, 255, 255, 255);
        SDL_RenderClear(renderer);
        for (int i = 0; i < 16; ++i) {
            SDL_Rect dest{(i % 4) * 200, (i / 4) * 200, 200, 200};
            SDL_RenderCopy(renderer, tile, nullptr, &dest);
        }
        SDL_RenderPresent(renderer);
    }
    const std::chrono::duration<double> elapsed = Clock::now() - start;
    SDL_DestroyTexture(tile);
    return elapsed.count() / frames;
}

void BM_GameFrameLevel6(benchmark::State& state) {
    GameRoomBench bench;
    if (!bench.ok || !bench.load(6)) {
        state.SkipWithError("the game room did not start on level 6");
        return;
    }
    bench.keepInPlay();
    bench.frame();
    double seconds = 0.0;
    std::int64_t frames = 0;
    for (auto _ : state) {
        bench.keepInPlay();
        const auto start = Clock::now();
        bench.frame();
        const std::chrono::duration<double> elapsed = Clock::now() - start;
        seconds += elapsed.count();
        ++frames;
    }
    const double reference = referenceFrameSeconds(SDL_GetRenderer(bench.game.getWindow()), 200);
    if (frames > 0 && reference > 0.0) {
        state.counters["ratio"] = seconds / static_cast<double>(frames) / reference;
        state.counters["reference_ms"] = reference * 1000.0;
    }
}
BENCHMARK(BM_GameFrameLevel6)->Unit(benchmark::kMillisecond);

void BM_LevelLoad(benchmark::State& state) {
    GameRoomBench bench;
    const int level = static_cast<int>(state.range(0));
    if (!bench.ok || !bench.load(level)) {
        state.SkipWithError("the level did not load");
        return;
    }
    double seconds = 0.0;
    std::int64_t loads = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        bench.load(level);
        const std::chrono::duration<double> elapsed = Clock::now() - start;
        seconds += elapsed.count();
        ++loads;
    }
    state.counters["stones"] = static_cast<double>(getGameRoom()->getStoneCount());
    const double reference = referenceFrameSeconds(SDL_GetRenderer(bench.game.getWindow()), 200);
    if (loads > 0 && reference > 0.0) {
        state.counters["ratio"] = seconds / static_cast<double>(loads) / reference;
    }
}
BENCHMARK(BM_LevelLoad)->DenseRange(1, 6)->Unit(benchmark::kMillisecond);

} // namespace
