// Benchmark of the sound's start, which the game runs after its first frame: every effect made
// and the audio device opened (SDL's dummy driver here), and of mixing one buffer of eight voices.
#include "sound/Sound.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

void BM_SoundStart(benchmark::State& state) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    for (auto _ : state) {
        Sound sound;
        if (!sound.start()) {
            state.SkipWithError("no dummy audio device");
            break;
        }
    }
    unsetenv("SDL_AUDIODRIVER");
}
BENCHMARK(BM_SoundStart)->Unit(benchmark::kMillisecond)->Iterations(10);

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
