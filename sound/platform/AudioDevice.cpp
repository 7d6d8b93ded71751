// AudioDevice: opening, pausing and closing SDL's audio device.
#include "sound/platform/AudioDevice.h"

#include <SDL.h>

#include <cstdio>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {
// Frames per callback: about 12 ms at 44.1 kHz, well inside a frame of the game.
constexpr Uint16 kBufferFrames = 512;
// Holds standard error back while it lives. SDL's audio drivers and the libraries under them
// (ALSA without a sound card writes eight lines) complain there as they look for a device; the
// game reports the one reason itself.
class QuietStandardError {
  public:
    QuietStandardError() {
#ifndef _WIN32
        std::fflush(stderr);
        const int nowhere = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        kept = nowhere >= 0 ? ::dup(STDERR_FILENO) : -1;
        if (kept >= 0) {
            ::dup2(nowhere, STDERR_FILENO);
        }
        if (nowhere >= 0) {
            ::close(nowhere);
        }
#endif
    }
    ~QuietStandardError() {
#ifndef _WIN32
        if (kept >= 0) {
            std::fflush(stderr);
            ::dup2(kept, STDERR_FILENO);
            ::close(kept);
        }
#endif
    }
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

  private:
    int kept = -1;
};
} // namespace

void AudioDevice::onAudio(void* self, std::uint8_t* stream, int bytes) {
    const AudioDevice* device = static_cast<const AudioDevice*>(self);
    device->fill(device->user, reinterpret_cast<std::int16_t*>(stream),
                 bytes / static_cast<int>(2 * sizeof(std::int16_t)));
}

AudioDevice::~AudioDevice() {
    close();
}

bool AudioDevice::startDriver() {
    if (initialised) {
        return true;
    }
    const QuietStandardError quiet;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        error = SDL_GetError();
        return false;
    }
    initialised = true;
    return true;
}

bool AudioDevice::open(int rate, Fill fill, void* user) {
    if (device != 0) {
        SDL_CloseAudioDevice(device);
        device = 0;
    }
    if (!startDriver()) {
        return false;
    }
    const QuietStandardError quiet;
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
