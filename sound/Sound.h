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

    // From now on sounds may be played. Nothing else happens until the first is asked for
    // (see play), so that a game that makes no sound opens no audio device. Once.
    void start();
    bool isStarted() const { return started; }
    // Plays an effect: pan from -1 (left) to 1 (right), pitch as a speed ratio. Nothing sounds
    // before start, while muted or silenced, or without a device. The first effect asked for
    // is made at once (a fraction of a millisecond for a menu's click) and the device opened,
    // paused, and the other effects made, on a thread of their own; that effect sounds as soon
    // as the device is open. An effect asked for before those are ready waits for them. A
    // device that cannot be opened gets one line on standard error: the game plays silently.
    void play(SoundEffect effect, float pan = 0.0f, float pitch = 1.0f);
    // Waits until the device the first sound asked for is open, or has failed (see play);
    // whether it is open. False before a sound was asked for.
    bool waitForDevice();
    // The player's choice: muting stops every sound and rests the device at once.
    void setMuted(bool on);
    bool isMuted() const { return muted; }
    // A paused game: stops every sound, rests the device and plays none until lifted.
    void setSilenced(bool on);
    bool isSilenced() const { return silenced; }
    // Once a turn: takes over the device and the effects once they are ready, and pauses the
    // device after kQuietTurnsBeforeRest turns without a sound.
    void update();
    // Whether the device is open and running (not paused).
    bool isPlaying() const { return ready && device.isOpen() && !device.isPaused(); }

  private:
    // The audio thread's callback: mixes the voices.
    static void fill(void* self, std::int16_t* out, int frames);
    // Stops every voice and pauses the device.
    void stopAll();
    // The first sound asked for: makes its effect, then opens the device and makes the others
    // on the maker's thread.
    void begin(int index);
    // Once the maker is done: the device and the effects are this thread's again; a voice
    // started meanwhile sounds now.
    void takeOver();

    AudioDevice device;
    Mixer mixer;
    Samples effects[kSoundEffectCount];
    Worker maker;       // opens the device and makes the other effects; waited for before either
    bool asked = false; // a sound was asked for: the device is open, being opened or failed
    bool ready = false; // the maker is done: the device (if open) and every effect can be used
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
