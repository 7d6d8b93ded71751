// The synthesiser and the mixer: repeatable effects within full scale that start and end in
// silence; voices that are reused and a sum that is clipped once.
#include "sound/EffectRecipes.h"
#include "sound/Mixer.h"
#include "sound/Sound.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

TEST(Synth, EffectsRepeatStayWithinScaleAndStartAndEndSilent) {
    for (int i = 0; i < kSoundEffectCount; ++i) {
        const SoundEffect effect = effectAt(i);
        const std::vector<float> samples = synthesise(effectRecipe(effect), kSoundRate);
        ASSERT_GT(samples.size(), 100u) << effectName(effect);
        EXPECT_EQ(samples, synthesise(effectRecipe(effect), kSoundRate)) << effectName(effect);
        float loudest = 0.0f;
        for (float sample : samples) {
            loudest = std::max(loudest, std::fabs(sample));
        }
        // Made to its peak, which is well below full scale.
        EXPECT_NEAR(loudest, effectRecipe(effect).peak, 1e-6f) << effectName(effect);
        EXPECT_LE(loudest, 0.45f) << effectName(effect);
        EXPECT_EQ(samples.front(), 0.0f) << effectName(effect);
        EXPECT_EQ(samples.back(), 0.0f) << effectName(effect);
        // No click at the start: the first millisecond rises gently.
        for (std::size_t n = 1; n < kSoundRate / 1000; ++n) {
            EXPECT_LT(std::fabs(samples[n] - samples[n - 1]), 0.1f) << effectName(effect) << n;
        }
    }
}

TEST(Synth, EveryParameterShapesTheSound) {
    EffectRecipe base;
    base.notes[0] = {Waveform::Triangle, 0.01f, 0.005f, 0.02f, 0.05f, 400, 300, 0.2f, 2000, 1};
    base.noteCount = 1;
    base.peak = 0.3f;
    const std::vector<float> reference = synthesise(base, 8000);
    // Silence before the note's start, and the length of start, attack, hold and decay.
    EXPECT_EQ(reference.size(), 680u);
    EXPECT_TRUE(std::all_of(reference.begin(), reference.begin() + 81,
                            [](float sample) { return sample == 0.0f; }));
    const auto changed = [&](auto change) {
        EffectRecipe other = base;
        change(other.notes[0]);
        return synthesise(other, 8000) != reference;
    };
    EXPECT_TRUE(changed([](Note& note) { note.wave = Waveform::SoftSquare; }));
    EXPECT_TRUE(changed([](Note& note) { note.toHz = 400; }));
    EXPECT_TRUE(changed([](Note& note) { note.noise = 0; }));
    EXPECT_TRUE(changed([](Note& note) { note.cutoffHz = 0; }));
}

TEST(Mixer, EndedVoiceIsReusedAndTheOldestGivesWay) {
    const Samples shortSound(10, 16384);
    const Samples longSound(100000, 16384);
    Mixer mixer;
    std::int16_t out[2 * 64];
    EXPECT_EQ(mixer.start(shortSound, 1, 0, 1), 0);
    mixer.mix(out, 64);
    EXPECT_TRUE(mixer.isSilent());
    EXPECT_EQ(mixer.start(longSound, 1, 0, 1), 0);
    for (int i = 1; i < kVoiceCount; ++i) {
        EXPECT_EQ(mixer.start(longSound, 1, 0, 1), i);
    }
    mixer.mix(out, 64);
    // All busy: the first one started gives way, then the second.
    EXPECT_EQ(mixer.start(shortSound, 1, 0, 1), 0);
    EXPECT_EQ(mixer.start(shortSound, 1, 0, 1), 1);
    mixer.stopAll();
    EXPECT_TRUE(mixer.isSilent());
}

TEST(Mixer, SumIsClippedOnceAndPanned) {
    const Samples high = toSamples(std::vector<float>(1000, 0.45f));
    const Samples low = toSamples(std::vector<float>(1000, -0.45f));
    Mixer mixer;
    std::int16_t out[2 * 16];
    // Two voices: 0.9 in the middle, not clipped.
    mixer.start(high, 1, 0, 1);
    mixer.start(high, 1, 0, 1);
    mixer.mix(out, 16);
    EXPECT_NEAR(out[2], 0.9 * 32767, 2);
    EXPECT_EQ(out[2], out[3]);
    // Eight far beyond full scale: held at the limits, never wrapped round.
    for (const Samples* samples : {&high, &low}) {
        mixer.stopAll();
        for (int i = 0; i < kVoiceCount; ++i) {
            mixer.start(*samples, 1, -1.0f, 1);
        }
        mixer.mix(out, 16);
        EXPECT_EQ(out[2], samples == &high ? 32767 : -32767);
        EXPECT_EQ(out[3], 0); // hard left: nothing on the right
    }
}

} // namespace
