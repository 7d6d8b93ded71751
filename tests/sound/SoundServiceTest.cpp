// The sound service over SDL's dummy audio driver: the device rests while nothing sounds, mute
// and the pause's silence keep it quiet, and a driver that fails leaves a silent game.
#include "app/Globals.h"
#include "sound/Sound.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// Runs the service's turn n times.
void turns(Sound& sound, std::uint32_t n) {
    for (std::uint32_t i = 0; i < n; ++i) {
        sound.update();
    }
}

TEST(SoundService, DeviceWakesForASoundAndRestsAfterSilence) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    Sound sound;
    setSound(&sound);
    playSound(SoundEffect::WallBounce); // before start: nothing, and no device
    EXPECT_FALSE(sound.waitForDevice());
    sound.start();
    EXPECT_FALSE(sound.waitForDevice()); // no device until the first sound
    // The first sound opens the device and sounds once it is open.
    playSound(SoundEffect::WallBounce);
    ASSERT_TRUE(sound.waitForDevice());
    EXPECT_TRUE(sound.isPlaying());
    // Rests again once the effect has played and the quiet turns have passed.
    SDL_Delay(300);
    turns(sound, kQuietTurnsBeforeRest - 1);
    EXPECT_TRUE(sound.isPlaying());
    turns(sound, 1);
    EXPECT_FALSE(sound.isPlaying());
    // Muted: what sounds stops at once, and nothing wakes the device.
    sound.play(SoundEffect::LevelCleared);
    sound.setMuted(true);
    EXPECT_FALSE(sound.isPlaying());
    sound.play(SoundEffect::LevelCleared);
    EXPECT_FALSE(sound.isPlaying());
    // Unmuted but silenced by a pause: still nothing.
    sound.setMuted(false);
    sound.setSilenced(true);
    sound.play(SoundEffect::LevelCleared);
    EXPECT_FALSE(sound.isPlaying());
    sound.setSilenced(false);
    sound.play(SoundEffect::LevelCleared);
    EXPECT_TRUE(sound.isPlaying());
    setSound(nullptr);
    unsetenv("SDL_AUDIODRIVER");
}

TEST(SoundService, FailingDriverLeavesTheGameSilent) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    Sound sound;
    sound.start();
    sound.play(SoundEffect::MenuChoice);
    EXPECT_FALSE(sound.waitForDevice());
    sound.play(SoundEffect::MenuChoice); // tried once only
    sound.update();
    EXPECT_FALSE(sound.isPlaying());
    unsetenv("SDL_AUDIODRIVER");
}

} // namespace
