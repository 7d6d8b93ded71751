// Synth: oscillators, noise, a two-pole low-pass filter and smooth envelopes, summed and scaled.
#include "sound/Synth.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr float kTwoPi = 6.28318530718f;

// A note's length in samples: attack, hold and decay.
std::size_t noteLength(const Note& note, int rate) {
    return static_cast<std::size_t>(std::lround((note.attack + note.hold + note.decay) * rate));
}

// The envelope at sample i of a note: a raised-cosine rise, the hold, then a squared fall that
// reaches exactly 0 on the note's last sample. 0 on the first sample too, so nothing clicks.
float envelope(const Note& note, std::size_t i, std::size_t length, int rate) {
    if (length < 2 || i == 0 || i + 1 >= length) {
        return 0.0f;
    }
    const float t = static_cast<float>(i) / static_cast<float>(rate);
    if (t < note.attack) {
        return 0.5f - 0.5f * std::cos(kTwoPi * 0.5f * t / note.attack);
    }
    if (t < note.attack + note.hold) {
        return 1.0f;
    }
    const float decayStart = (note.attack + note.hold) * static_cast<float>(rate);
    const float span = static_cast<float>(length - 1) - decayStart;
    const float left =
        span > 0.0f ? (static_cast<float>(length - 1) - static_cast<float>(i)) / span : 0.0f;
    return std::clamp(left, 0.0f, 1.0f) * std::clamp(left, 0.0f, 1.0f);
}

// The waveform at phase (in cycles, 0 to 1).
float oscillator(Waveform wave, float phase) {
    switch (wave) {
    case Waveform::Triangle:
        return phase < 0.5f ? 4.0f * phase - 1.0f : 3.0f - 4.0f * phase;
    case Waveform::SoftSquare:
        // tanh of a sine: flat tops with rounded edges; divided so the tops reach 1.
        return std::tanh(3.0f * std::sin(kTwoPi * phase)) / std::tanh(3.0f);
    case Waveform::Sine:
    default:
        return std::sin(kTwoPi * phase);
    }
}

// Adds one note's samples into out, which is long enough.
void addNote(const Note& note, int rate, std::uint32_t seed, std::vector<float>& out) {
    const std::size_t first = static_cast<std::size_t>(std::lround(note.start * rate));
    const std::size_t length = noteLength(note, rate);
    // Two one-pole stages: a gentle 12 dB per octave above the corner.
    const float pole = note.cutoffHz > 0.0f
                           ? 1.0f - std::exp(-kTwoPi * note.cutoffHz / static_cast<float>(rate))
                           : 1.0f;
    const float octaves = std::log2(note.toHz / note.fromHz);
    float phase = 0.0f;
    float low1 = 0.0f;
    float low2 = 0.0f;
    std::uint32_t noise = seed;
    for (std::size_t i = 0; i < length; ++i) {
        const float along = length > 1 ? static_cast<float>(i) / static_cast<float>(length - 1) : 0;
        const float hz = note.fromHz * std::exp2(octaves * along);
        // xorshift32: the same seed gives the same noise on every run and machine.
        noise ^= noise << 13;
        noise ^= noise >> 17;
        noise ^= noise << 5;
        const float white = static_cast<float>(noise) / 2147483648.0f - 1.0f;
        const float raw = (1.0f - note.noise) * oscillator(note.wave, phase) + note.noise * white;
        low1 += pole * (raw - low1);
        low2 += pole * (low1 - low2);
        out[first + i] += note.level * low2 * envelope(note, i, length, rate);
        phase += hz / static_cast<float>(rate);
        phase -= std::floor(phase);
    }
}

} // namespace

std::vector<float> synthesise(const EffectRecipe& recipe, int rate) {
    std::size_t total = 0;
    const int count = std::clamp(recipe.noteCount, 0, 4);
    for (int n = 0; n < count; ++n) {
        const Note& note = recipe.notes[n];
        total = std::max(total, static_cast<std::size_t>(std::lround(note.start * rate)) +
                                    noteLength(note, rate));
    }
    std::vector<float> samples(total, 0.0f);
    for (int n = 0; n < count; ++n) {
        addNote(recipe.notes[n], rate, 0x9E3779B9u + 0x1000193u * static_cast<std::uint32_t>(n),
                samples);
    }
    float loudest = 0.0f;
    for (float sample : samples) {
        loudest = std::max(loudest, std::fabs(sample));
    }
    if (loudest > 0.0f) {
        const float scale = std::clamp(recipe.peak, 0.0f, 1.0f) / loudest;
        for (float& sample : samples) {
            sample *= scale;
        }
    }
    return samples;
}
