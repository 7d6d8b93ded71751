// EffectRecipes: the game's effects as notes. The peaks balance their loudness (measured as the
// strongest 50 ms): the frequent bounces quietest (about 0.1 of full scale), the stones a little
// above them, the tunes that close a level or a run loudest (about 0.2); none peaks above 0.45,
// so that several together rarely reach the clip. The soft squares sound louder than their peak
// says and get lower peaks.
#include "sound/EffectRecipes.h"

namespace {

using W = Waveform;

// Note fields in order: wave, start, attack, hold, decay, fromHz, toHz, noise, cutoffHz, level.
const EffectRecipe kRecipes[kSoundEffectCount] = {
    // WallBounce: a short wooden tock.
    {{{W::Triangle, 0.0f, 0.002f, 0.0f, 0.060f, 560.0f, 440.0f, 0.15f, 2500.0f, 1.0f}}, 1, 0.30f},
    // BatBounce: a rounder, lower knock that rises a little.
    {{{W::Sine, 0.0f, 0.002f, 0.0f, 0.110f, 330.0f, 392.0f, 0.0f, 0.0f, 1.0f},
      {W::Triangle, 0.0f, 0.002f, 0.0f, 0.060f, 660.0f, 700.0f, 0.10f, 3000.0f, 0.35f}},
     2,
     0.32f},
    // StoneGreen (100 points): a bright chime over a short crack.
    {{{W::Sine, 0.0f, 0.003f, 0.0f, 0.200f, 1319.0f, 1319.0f, 0.0f, 0.0f, 1.0f},
      {W::Triangle, 0.0f, 0.003f, 0.0f, 0.120f, 1976.0f, 1976.0f, 0.0f, 5000.0f, 0.30f},
      {W::Sine, 0.0f, 0.001f, 0.0f, 0.035f, 800.0f, 800.0f, 1.0f, 4000.0f, 0.45f}},
     3,
     0.34f},
    // StoneOrange (50 points): a middle ping that sags.
    {{{W::Triangle, 0.0f, 0.003f, 0.0f, 0.160f, 880.0f, 820.0f, 0.0f, 4000.0f, 1.0f},
      {W::Sine, 0.0f, 0.001f, 0.0f, 0.040f, 600.0f, 600.0f, 1.0f, 3000.0f, 0.50f}},
     2,
     0.34f},
    // StonePurple (10 points): a low, dull crunch.
    {{{W::SoftSquare, 0.0f, 0.003f, 0.0f, 0.130f, 392.0f, 311.0f, 0.0f, 1400.0f, 1.0f},
      {W::Sine, 0.0f, 0.001f, 0.0f, 0.060f, 400.0f, 400.0f, 1.0f, 1800.0f, 0.60f}},
     2,
     0.32f},
    // FreeLife: a quick rising arpeggio, C E G C.
    {{{W::Sine, 0.00f, 0.005f, 0.02f, 0.15f, 1047.0f, 1047.0f, 0.0f, 0.0f, 0.8f},
      {W::Sine, 0.07f, 0.005f, 0.02f, 0.15f, 1319.0f, 1319.0f, 0.0f, 0.0f, 0.8f},
      {W::Sine, 0.14f, 0.005f, 0.02f, 0.15f, 1568.0f, 1568.0f, 0.0f, 0.0f, 0.8f},
      {W::Triangle, 0.21f, 0.005f, 0.05f, 0.25f, 2093.0f, 2093.0f, 0.0f, 6000.0f, 0.8f}},
     4,
     0.36f},
    // LifeLost: a falling slide with a soft undertone.
    {{{W::Triangle, 0.0f, 0.010f, 0.10f, 0.35f, 440.0f, 165.0f, 0.0f, 1800.0f, 1.0f},
      {W::SoftSquare, 0.0f, 0.010f, 0.10f, 0.35f, 220.0f, 82.0f, 0.0f, 700.0f, 0.40f}},
     2,
     0.34f},
    // LevelCleared: G C E G, the last held.
    {{{W::Triangle, 0.00f, 0.005f, 0.06f, 0.20f, 784.0f, 784.0f, 0.0f, 5000.0f, 1.0f},
      {W::Triangle, 0.12f, 0.005f, 0.06f, 0.20f, 1047.0f, 1047.0f, 0.0f, 5000.0f, 1.0f},
      {W::Triangle, 0.24f, 0.005f, 0.06f, 0.20f, 1319.0f, 1319.0f, 0.0f, 5000.0f, 1.0f},
      {W::Triangle, 0.36f, 0.005f, 0.20f, 0.40f, 1568.0f, 1568.0f, 0.0f, 5000.0f, 1.0f}},
     4,
     0.40f},
    // RunLost: three slow falling steps and a long sinking tail.
    {{{W::SoftSquare, 0.00f, 0.010f, 0.18f, 0.12f, 330.0f, 330.0f, 0.0f, 1100.0f, 1.0f},
      {W::SoftSquare, 0.30f, 0.010f, 0.18f, 0.12f, 311.0f, 311.0f, 0.0f, 1100.0f, 1.0f},
      {W::SoftSquare, 0.60f, 0.010f, 0.18f, 0.12f, 294.0f, 294.0f, 0.0f, 1100.0f, 1.0f},
      {W::SoftSquare, 0.90f, 0.010f, 0.20f, 0.70f, 277.0f, 208.0f, 0.0f, 1000.0f, 1.0f}},
     4,
     0.26f},
    // RunCompleted: a rising fanfare, C E G and a long high C.
    {{{W::Triangle, 0.00f, 0.005f, 0.10f, 0.15f, 523.0f, 523.0f, 0.0f, 4000.0f, 1.0f},
      {W::Triangle, 0.15f, 0.005f, 0.10f, 0.15f, 659.0f, 659.0f, 0.0f, 4000.0f, 1.0f},
      {W::Triangle, 0.30f, 0.005f, 0.10f, 0.15f, 784.0f, 784.0f, 0.0f, 4000.0f, 1.0f},
      {W::Triangle, 0.45f, 0.005f, 0.40f, 0.60f, 1047.0f, 1047.0f, 0.0f, 4000.0f, 1.0f}},
     4,
     0.42f},
    // MenuChoice: a soft rising blip.
    {{{W::Sine, 0.0f, 0.003f, 0.0f, 0.080f, 880.0f, 1320.0f, 0.0f, 0.0f, 1.0f},
      {W::Triangle, 0.0f, 0.003f, 0.0f, 0.050f, 1760.0f, 2640.0f, 0.0f, 5000.0f, 0.20f}},
     2,
     0.28f},
    // BoxOpening: a two-tone ding.
    {{{W::Sine, 0.00f, 0.004f, 0.0f, 0.25f, 988.0f, 988.0f, 0.0f, 0.0f, 1.0f},
      {W::Sine, 0.09f, 0.004f, 0.0f, 0.30f, 1319.0f, 1319.0f, 0.0f, 0.0f, 0.9f}},
     2,
     0.30f},
};

const char* const kNames[kSoundEffectCount] = {
    "wall-bounce", "bat-bounce",    "stone-green", "stone-orange",  "stone-purple", "free-life",
    "life-lost",   "level-cleared", "run-lost",    "run-completed", "menu-choice",  "box-opening",
};

// The index of an effect, or 0 for a value outside the list.
int indexOf(SoundEffect effect) {
    const int index = static_cast<int>(effect);
    return index >= 0 && index < kSoundEffectCount ? index : 0;
}

} // namespace

const EffectRecipe& effectRecipe(SoundEffect effect) {
    return kRecipes[indexOf(effect)];
}

const char* effectName(SoundEffect effect) {
    return kNames[indexOf(effect)];
}
