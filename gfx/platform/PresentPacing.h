// PresentPacing: keeps one device's presents a display refresh period apart, so that one turn of
// the game lasts one refresh everywhere.
#pragma once

#include <SDL.h>

#include <cstdint>

// States: waiting on or off for every device (setPresentWait, on by default); per device, the
// time of the last present counted, or none (lastPresent 0: at the start and after the wait was
// switched, when the next present waits for nothing and starts the count again).
class PresentPacing {
  public:
    // Pacing for a window, at its display's refresh rate (60 Hz when unknown).
    explicit PresentPacing(SDL_Window* window);

    // Called after each present: waits, while waiting is on, until one refresh period has
    // passed since the previous present. Where the renderer's vsync really waits, the present
    // itself has taken that long and nothing more is waited.
    void afterPresent();
    // Starts the count again.
    void restart() { lastPresent = 0; }

    // Waiting on or off for every device; the renderer's vsync follows it.
    static void setPresentWait(bool on) { presentWait = on; }
    static bool getPresentWait() { return presentWait; }

  private:
    static bool presentWait;

    // In performance counter ticks. Unused in the browser, whose animation frames pace the
    // presents (web/PresentPacing.cpp).
    [[maybe_unused]] std::uint64_t refreshPeriod;
    std::uint64_t lastPresent = 0;
};
