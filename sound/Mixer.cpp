// Mixer: voice allocation, equal-power panning, linear interpolation and the one clip.
#include "sound/Mixer.h"

#include <algorithm>
#include <cmath>

namespace {
// The size of one step of a 16-bit sample, at full scale 1.
constexpr float kSampleStep = 1.0f / 32767.0f;
} // namespace

Samples toSamples(const std::vector<float>& made) {
    Samples kept(made.size());
    for (std::size_t i = 0; i < made.size(); ++i) {
        kept[i] = static_cast<std::int16_t>(std::lround(std::clamp(made[i], -1.0f, 1.0f) * 32767));
    }
    return kept;
}

int Mixer::start(const Samples& samples, float gain, float pan, float pitch) {
    int chosen = 0;
    for (int i = 0; i < kVoiceCount; ++i) {
        if (voices[i].samples == nullptr) {
            chosen = i;
            break;
        }
        if (voices[i].order < voices[chosen].order) {
            chosen = i;
        }
    }
    // Equal power: the sum of the squared gains stays the same wherever the sound stands; in the
    // middle both channels get the gain itself.
    const float angle = (std::clamp(pan, -1.0f, 1.0f) + 1.0f) * 0.785398163f;
    Voice& voice = voices[chosen];
    voice.samples = samples.empty() ? nullptr : &samples;
    voice.position = 0.0;
    voice.step = std::clamp(static_cast<double>(pitch), 0.25, 4.0);
    voice.left = gain * std::cos(angle) * 1.41421356f;
    voice.right = gain * std::sin(angle) * 1.41421356f;
    voice.order = ++started;
    return chosen;
}

void Mixer::stopAll() {
    for (Voice& voice : voices) {
        voice.samples = nullptr;
    }
}

bool Mixer::isSilent() const {
    return std::none_of(std::begin(voices), std::end(voices),
                        [](const Voice& voice) { return voice.samples != nullptr; });
}

void Mixer::mix(std::int16_t* out, int frames) {
    for (int f = 0; f < frames; ++f) {
        float left = 0.0f;
        float right = 0.0f;
        for (Voice& voice : voices) {
            if (voice.samples == nullptr) {
                continue;
            }
            const Samples& samples = *voice.samples;
            const std::size_t index = static_cast<std::size_t>(voice.position);
            if (index + 1 >= samples.size()) {
                voice.samples = nullptr; // the last sample is 0: nothing is cut off
                continue;
            }
            const float along = static_cast<float>(voice.position - static_cast<double>(index));
            const float from = samples[index];
            const float value = (from + along * (samples[index + 1] - from)) * kSampleStep;
            left += voice.left * value;
            right += voice.right * value;
            voice.position += voice.step;
        }
        out[2 * f] = static_cast<std::int16_t>(std::lround(std::clamp(left, -1.0f, 1.0f) * 32767));
        out[2 * f + 1] =
            static_cast<std::int16_t>(std::lround(std::clamp(right, -1.0f, 1.0f) * 32767));
    }
}
