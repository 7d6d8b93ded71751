// Mixer: a few voices, each playing one effect's samples at its own gain, pan and pitch, added up
// into one stereo stream.
#pragma once

#include <cstdint>
#include <vector>

// The voices that can sound at once; a ninth effect takes the voice started longest ago.
constexpr int kVoiceCount = 8;

// An effect as the mixer keeps it: 16-bit samples, full scale at 32767 (half the memory of the
// synthesiser's floats, and no coarser than what the device is given).
using Samples = std::vector<std::int16_t>;
// The synthesiser's samples (full scale 1) as the mixer keeps them, rounded and clipped.
Samples toSamples(const std::vector<float>& made);

struct Voice {
    const Samples* samples = nullptr; // null while the voice is free
    double position = 0.0;            // in samples, fractional with pitch
    double step = 1.0;                // samples advanced per output frame
    float left = 0.0f;                // gains of the two channels
    float right = 0.0f;
    std::uint64_t order = 0; // when it was started, counting every start
};

class Mixer {
  public:
    // Starts samples (which must outlive the voice) on a free voice, or on the one started
    // longest ago when every voice plays. pan runs from -1 (left) to 1 (right), pitch is the
    // speed ratio (1 as made). Returns the voice's index.
    int start(const Samples& samples, float gain, float pan, float pitch);
    // Frees every voice at once.
    void stopAll();
    // Writes frames of interleaved stereo 16-bit samples: the voices are added up in floating
    // point and the sum is clipped once. Voices that reach their end become free.
    void mix(std::int16_t* out, int frames);
    // True while no voice plays.
    bool isSilent() const;
    const Voice& getVoice(int index) const { return voices[index]; }

  private:
    Voice voices[kVoiceCount];
    std::uint64_t started = 0;
};
