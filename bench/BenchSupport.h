// BenchSupport: what every benchmark shares: processor time, the reference frame, frame
// skipping, and the tests' headless game (software renderer, no present wait).
#pragma once

#include "tests/support/GameHarness.h"

#include <SDL.h>
#include <benchmark/benchmark.h>

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

// Frame skipping as asked for the object's life (off to measure drawing itself), on afterwards.
class FrameSkip {
  public:
    explicit FrameSkip(bool on);
    ~FrameSkip();
    FrameSkip(const FrameSkip&) = delete;
    FrameSkip& operator=(const FrameSkip&) = delete;
};

// The tests' headless game, with frame skipping as asked.
class BenchGame : public zxtest::GameHarness {
  public:
    explicit BenchGame(bool frameSkip = false) : skip(frameSkip) {}
    SDL_Renderer* renderer();

  private:
    FrameSkip skip;
};

// Runs `work` as the benchmark's body, then reports its processor time per call, the reference
// frame's and their ratio (counters <what>_ms, reference_ms, ratio).
void measureAgainstReference(benchmark::State& state, SDL_Renderer* renderer,
                             const std::function<void()>& work, const std::string& what = "frame");

} // namespace zxbench
