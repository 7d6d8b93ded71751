// Synth: makes an effect's samples from a few numbers: each note's waveform, envelope, pitch
// slide, share of noise and low-pass filter.
#pragma once

#include <vector>

enum class Waveform {
    Sine,
    Triangle,
    SoftSquare, // a square with rounded edges, so it lacks a hard square's buzz
};

// One note of an effect. Times are in seconds from the effect's start, pitches in hertz.
struct Note {
    Waveform wave = Waveform::Sine;
    float start = 0.0f;    // when the note begins
    float attack = 0.0f;   // rises smoothly from silence
    float hold = 0.0f;     // stays at full level
    float decay = 0.0f;    // falls to silence
    float fromHz = 440.0f; // pitch at the note's start ...
    float toHz = 440.0f;   // ... sliding evenly in octaves to this at its end
    float noise = 0.0f;    // share of white noise mixed with the tone, 0 to 1
    float cutoffHz = 0.0f; // low-pass corner frequency; 0 leaves the sound unfiltered
    float level = 1.0f;    // the note's loudness against the effect's other notes
};

// An effect: up to four notes, scaled together so that its loudest sample is peak.
struct EffectRecipe {
    Note notes[4];
    int noteCount = 0;
    float peak = 0.5f; // of full scale
};

// The samples of a recipe at rate samples per second, between -1 and 1. The same recipe and rate
// always give the same samples; the first and the last are 0 and none is beyond the peak.
std::vector<float> synthesise(const EffectRecipe& recipe, int rate);
