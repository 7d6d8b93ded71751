// EffectRecipes: the numbers every effect of the game is made from, and the effects' names.
#pragma once

#include "sound/SoundEffect.h"
#include "sound/Synth.h"

// The recipe of an effect.
const EffectRecipe& effectRecipe(SoundEffect effect);
// The effect's name, for files and reports ("wall-bounce").
const char* effectName(SoundEffect effect);
// The effect of an index 0 to kSoundEffectCount - 1.
inline SoundEffect effectAt(int index) {
    return static_cast<SoundEffect>(index);
}
