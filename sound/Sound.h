// Sound: the game's sound service. Makes the effects once, plays them through the audio device,
// keeps the player's mute and the pause's silence, and rests the device when nothing sounds.
#pragma once

#include "sound/Mixer.h"
#include "sound/SoundEffect.h"
#include "sound/platform/AudioDevice.h"
#include "sound/platform/Worker.h"

#include <cstdint>
#include <vector>

// The rate the effects are made and played at.
constexpr int kSoundRate = 44100;
// Turns of silence (two seconds at 60 a second) after which the device is paused again.
constexpr std::uint32_t kQuietTurnsBeforeRest = 120;

class Sound {
  public:
    Sound() = default;
    // Closes the device.
    ~Sound();
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;

    // Opens the audio device, paused; the effects are made once the first is asked for (see
    // play). Once, later calls do nothing. Without a device (none present, or a driver that fails)
    // it writes one line to standard error and returns false: the game then plays silently.
    bool start();
    bool isStarted() const { return started; }
    // Plays an effect: pan from -1 (left) to 1 (right), pitch as a speed ratio. Nothing sounds
    // while muted or silenced, or without a device. The first effect asked for is made then
    // (a fraction of a millisecond for a menu's click), the others meanwhile on a thread of
    // their own; one asked for before they are made waits for them (a few milliseconds at most).
    void play(SoundEffect effect, float pan = 0.0f, float pitch = 1.0f);
    // The player's choice: muting stops every sound and rests the device at once.
    void setMuted(bool on);
    bool isMuted() const { return muted; }
    // A paused game: stops every sound, rests the device and plays none until lifted.
    void setSilenced(bool on);
    bool isSilenced() const { return silenced; }
    // Once a turn: pauses the device after kQuietTurnsBeforeRest turns without a sound, and
    // lets go of the thread that made the effects once it is done.
    void update();
    // Whether the device is open and running (not paused).
    bool isPlaying() const { return device.isOpen() && !device.isPaused(); }

  private:
    // The audio thread's callback: mixes the voices.
    static void fill(void* self, std::int16_t* out, int frames);
    // Stops every voice and pauses the device.
    void stopAll();
    // Makes the effect at index ready to play: the first asked for at once, the others on the
    // maker's thread, waited for.
    void prepare(int index);

    AudioDevice device;
    Mixer mixer;
    Samples effects[kSoundEffectCount];
    Worker maker;   // makes all but the first effect asked for; waited for before they are read
    int first = -1; // the index of the first effect asked for, made at once
    bool started = false;
    bool muted = false;
    bool silenced = false;
    std::uint32_t quietTurns = 0;
};

// Plays an effect through the process-wide sound service (getSound), when there is one.
void playSound(SoundEffect effect, float pan = 0.0f, float pitch = 1.0f);
// The pan of a point at x on the screen: -0.5 at the left edge to 0.5 at the right, so that a
// sound leans to its side without leaving the other ear.
float panAt(std::uint32_t x);
