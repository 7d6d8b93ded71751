// AudioDevice: opening, pausing and closing SDL's audio device.
#include "sound/platform/AudioDevice.h"

#include <SDL.h>

namespace {
// Frames per callback: about 12 ms at 44.1 kHz, well inside a frame of the game.
constexpr Uint16 kBufferFrames = 512;
} // namespace

void AudioDevice::onAudio(void* self, std::uint8_t* stream, int bytes) {
    const AudioDevice* device = static_cast<const AudioDevice*>(self);
    device->fill(device->user, reinterpret_cast<std::int16_t*>(stream),
                 bytes / static_cast<int>(2 * sizeof(std::int16_t)));
}

AudioDevice::~AudioDevice() {
    close();
}

bool AudioDevice::open(int rate, Fill fill, void* user) {
    close();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        error = SDL_GetError();
        return false;
    }
    initialised = true;
    this->fill = fill;
    this->user = user;
    SDL_AudioSpec want{};
    want.freq = rate;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = kBufferFrames;
    want.callback = onAudio;
    want.userdata = this;
    // No change allowed: SDL converts to what the hardware takes, so the effects are made once
    // at the one rate.
    device = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    if (device == 0) {
        error = SDL_GetError();
        close();
        return false;
    }
    paused = true;
    return true;
}

void AudioDevice::setPaused(bool pause) {
    if (device != 0 && pause != paused) {
        SDL_PauseAudioDevice(device, pause ? 1 : 0);
        paused = pause;
    }
}

void AudioDevice::lock() {
    if (device != 0) {
        SDL_LockAudioDevice(device);
    }
}

void AudioDevice::unlock() {
    if (device != 0) {
        SDL_UnlockAudioDevice(device);
    }
}

void AudioDevice::close() {
    if (device != 0) {
        SDL_CloseAudioDevice(device);
        device = 0;
    }
    if (initialised) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        initialised = false;
    }
    paused = true;
}
