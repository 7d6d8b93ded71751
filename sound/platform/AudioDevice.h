// AudioDevice: SDL's audio output, one stereo stream of 16-bit samples that a callback supplies.
// The only code that calls SDL's audio functions.
#pragma once

#include <cstdint>
#include <string>

class AudioDevice {
  public:
    // Writes frames of interleaved stereo samples into out; runs on SDL's audio thread.
    using Fill = void (*)(void* user, std::int16_t* out, int frames);

    AudioDevice() = default;
    // Closes the device.
    ~AudioDevice();
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    // Opens the system's default output at rate frames per second, paused. False when there is
    // none or the driver fails; getError then tells why. Starts the driver first (startDriver)
    // when that was not done. Any thread may open the device once the driver has started.
    bool open(int rate, Fill fill, void* user);
    // Starts SDL's audio driver, on the thread that runs SDL's events (SDL counts its parts
    // there); false, with getError, when none starts.
    bool startDriver();
    // Stops (true) or resumes (false) the callback; a paused device plays silence.
    void setPaused(bool paused);
    bool isPaused() const { return paused; }
    bool isOpen() const { return device != 0; }
    // Holds the callback off while the caller changes what it reads.
    void lock();
    void unlock();
    void close();
    const std::string& getError() const { return error; }

  private:
    // SDL's callback: hands the stream to fill.
    static void onAudio(void* self, std::uint8_t* stream, int bytes);

    Fill fill = nullptr;
    void* user = nullptr;
    std::uint32_t device = 0;
    bool paused = true;
    bool initialised = false;
    std::string error;
};
