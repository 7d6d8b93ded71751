// Sound: the service behind getSound; the effects, the mixer and the device together.
#include "sound/Sound.h"

#include "app/Globals.h"
#include "sound/EffectRecipes.h"

#ifndef _WIN32
#include "app/platform/BoxSound.h"
#endif

#include <cstdio>

#ifndef _WIN32
namespace {
// Message boxes of the Linux stand-in make the box's sound, as Windows boxes make their own.
void playBoxSound() {
    playSound(SoundEffect::BoxOpening);
}
} // namespace
#endif

Sound::~Sound() {
#ifndef _WIN32
    setBoxSound(nullptr);
#endif
    maker.wait();
    device.close();
}

void Sound::start() {
    if (started) {
        return;
    }
    started = true;
#ifndef _WIN32
    setBoxSound(playBoxSound);
#endif
}

void Sound::play(SoundEffect effect, float pan, float pitch) {
    const int index = static_cast<int>(effect);
    if (!started || muted || silenced || index < 0 || index >= kSoundEffectCount) {
        return;
    }
    if (!asked) {
        begin(index);
        // No callback reads the voices before the device is open and running.
        mixer.start(effects[index], 1.0f, pan, pitch);
#ifdef _WIN32
        // Opened on this thread, the device plays the first sound at once, while the maker makes
        // the others (no callback reads those before the maker is done).
        if (device.isOpen()) {
            device.setPaused(false);
            quietTurns = 0;
        }
#endif
        return;
    }
    if (!waitForDevice()) {
        return;
    }
    device.lock();
    mixer.start(effects[index], 1.0f, pan, pitch);
    device.unlock();
    device.setPaused(false);
    quietTurns = 0;
}

void Sound::begin(int index) {
    asked = true;
    effects[index] = toSamples(synthesise(effectRecipe(effectAt(index)), kSoundRate));
    // SDL counts the parts it started on this thread, so the driver starts here. The device
    // opens on the maker's thread, except on Windows, whose audio drivers keep what they make to
    // the thread that made it.
    const bool driver = device.startDriver();
#ifdef _WIN32
    if (driver) {
        device.open(kSoundRate, fill, this);
    }
#endif
    maker.run([this, index, driver] {
#ifndef _WIN32
        if (driver) {
            device.open(kSoundRate, fill, this);
        }
#else
        (void)driver;
#endif
        for (int i = 0; i < kSoundEffectCount; ++i) {
            if (i != index) {
                effects[i] = toSamples(synthesise(effectRecipe(effectAt(i)), kSoundRate));
            }
        }
    });
}

bool Sound::waitForDevice() {
    if (asked && !ready) {
        maker.wait();
        takeOver();
    }
    return ready && device.isOpen();
}

void Sound::takeOver() {
    ready = true;
    if (!device.isOpen()) {
        std::fprintf(stderr, "zembrix: no sound: %s\n", device.getError().c_str());
        mixer.stopAll();
        return;
    }
    if (!mixer.isSilent()) {
        device.setPaused(false);
        quietTurns = 0;
    }
}

void Sound::stopAll() {
    if (!ready) {
        mixer.stopAll(); // no device is running yet
        return;
    }
    device.lock();
    mixer.stopAll();
    device.unlock();
    device.setPaused(true);
}

void Sound::setMuted(bool on) {
    muted = on;
    if (on) {
        stopAll();
    }
}

void Sound::setSilenced(bool on) {
    silenced = on;
    if (on) {
        stopAll();
    }
}

void Sound::update() {
    if (asked && !ready && maker.isDone()) {
        waitForDevice();
    }
    if (!isPlaying()) {
        return;
    }
    device.lock();
    const bool silent = mixer.isSilent();
    device.unlock();
    quietTurns = silent ? quietTurns + 1 : 0;
    if (quietTurns >= kQuietTurnsBeforeRest) {
        device.setPaused(true);
    }
}

void Sound::fill(void* self, std::int16_t* out, int frames) {
    static_cast<Sound*>(self)->mixer.mix(out, frames);
}

void playSound(SoundEffect effect, float pan, float pitch) {
    if (Sound* sound = getSound()) {
        sound->play(effect, pan, pitch);
    }
}

float panAt(std::uint32_t x) {
    const std::uint32_t width = getScreenWidth();
    if (width == 0) {
        return 0.0f;
    }
    const float across = static_cast<float>(x) / static_cast<float>(width);
    return across > 1.0f ? 0.5f : across - 0.5f;
}
