// Benchmarks of the sound's start: the first sound asked for (a menu's click), what the game's
// thread spends on it and how long until the device is open (SDL's dummy driver here) with
// every effect made; and of mixing one buffer of eight voices.
#include "sound/Sound.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

// The first sound: range(0) 0 times the play call alone, 1 the play call and the wait until
// the device and every effect are ready.
void BM_FirstSound(benchmark::State& state) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    for (auto _ : state) {
        state.PauseTiming();
        auto sound = std::make_unique<Sound>();
        sound->start();
        state.ResumeTiming();
        sound->play(SoundEffect::MenuChoice);
        if (state.range(0) == 1 && !sound->waitForDevice()) {
            state.SkipWithError("no dummy audio device");
            break;
        }
        state.PauseTiming();
        sound.reset(); // waits for the device and closes it, untimed
        state.ResumeTiming();
    }
    unsetenv("SDL_AUDIODRIVER");
}
BENCHMARK(BM_FirstSound)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_MixEightVoices(benchmark::State& state) {
    const Samples samples(kSoundRate, 8192);
    Mixer mixer;
    std::int16_t out[2 * 512];
    for (auto _ : state) {
        // Eight voices at different pans and pitches, started again as they end.
        if (mixer.isSilent()) {
            for (int i = 0; i < kVoiceCount; ++i) {
                mixer.start(samples, 1.0f, -0.5f + 0.125f * static_cast<float>(i),
                            1.0f + 0.01f * static_cast<float>(i));
            }
        }
        mixer.mix(out, 512);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_MixEightVoices)->Unit(benchmark::kMicrosecond);

} // namespace
