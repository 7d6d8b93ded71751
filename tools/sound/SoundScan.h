// SoundScan: finds the game's effects in a recording of its output (SDL's disk audio driver
// writes the raw stream), with the moment each started and its gain on either side.
#pragma once

#include "sound/SoundEffect.h"

#include <cstdint>
#include <vector>

struct HeardEffect {
    std::size_t frame; // where it started, in frames of the recording
    SoundEffect effect;
    float pitch; // the speed it was played at
    float left;  // its gain on either side (1 in the middle, as the game plays it)
    float right;
};

// The effects in frames of interleaved stereo 16-bit samples at rate, in the order they
// started. Each is matched against the game's own effects and taken out of the recording before
// the next is looked for, so effects that overlap are found one by one.
std::vector<HeardEffect> scanRecording(const std::vector<std::int16_t>& stereo, int rate);
