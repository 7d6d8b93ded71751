// BenchSupport: what every benchmark shares: processor time, the reference frame, the built
// pack, and a whole game started headless on the software renderer without the present wait.
#pragma once

#include "app/Game.h"

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <filesystem>
#include <functional>
#include <string>

namespace zxbench {

// Processor seconds of the calling thread: steadier than the wall clock on a shared machine.
double threadSeconds();

// Processor seconds per call of `frame`, over calls taking about a fifth of a second.
double secondsPerCall(const std::function<void()>& frame);

// Processor seconds per reference frame on the renderer: the screen cleared and covered once by
// sixteen opaque 200 x 200 blits, then presented.
double referenceFrameSeconds(SDL_Renderer* renderer);

// The built pack: $ZX_BIN_DIR/data.zxp, or bin/ beside the folder of this executable.
std::string builtPack();

// Selects SDL's dummy video driver and software renderer (unless the environment chose), turns
// the present wait off, and sets frame skipping as asked: off to measure drawing itself.
void useHeadlessVideo(bool frameSkip);

// A whole game started headless in a temporary working directory with a copy of the built pack.
class BenchGame {
  public:
    explicit BenchGame(bool frameSkip = false);
    ~BenchGame();
    BenchGame(const BenchGame&) = delete;
    BenchGame& operator=(const BenchGame&) = delete;

    // One turn of the main loop: events, update, frame and present.
    void turn();
    SDL_Renderer* renderer() const;

    Game game;
    bool ok = false;

  private:
    std::filesystem::path oldDir;
    std::filesystem::path dir;
};

// Runs `work` as the benchmark's body, then reports its processor time per call, the reference
// frame's and their ratio (counters <what>_ms, reference_ms, ratio).
void measureAgainstReference(benchmark::State& state, SDL_Renderer* renderer,
                             const std::function<void()>& work, const std::string& what = "frame");

} // namespace zxbench
