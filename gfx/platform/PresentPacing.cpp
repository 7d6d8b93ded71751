// PresentPacing: the wait after each present for the display's next refresh period.
#include "PresentPacing.h"

#include <chrono>
#include <thread>

namespace {

// The display's refresh period in performance counter ticks (60 Hz when unknown).
std::uint64_t refreshPeriodOf(SDL_Window* window) {
    SDL_DisplayMode mode{};
    int rate = 0;
    const int display = SDL_GetWindowDisplayIndex(window);
    if (display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0) {
        rate = mode.refresh_rate;
    }
    if (rate <= 0) {
        rate = 60;
    }
    return SDL_GetPerformanceFrequency() / static_cast<std::uint64_t>(rate);
}

} // namespace

bool PresentPacing::presentWait = true;

PresentPacing::PresentPacing(SDL_Window* window) : refreshPeriod(refreshPeriodOf(window)) {}

// A present that came late (by less than a period) keeps the count on its beat; one later than
// that starts it again from now.
void PresentPacing::afterPresent() {
    if (!presentWait) {
        return;
    }
    const std::uint64_t now = SDL_GetPerformanceCounter();
    const std::uint64_t due = lastPresent + refreshPeriod;
    if (lastPresent != 0 && now < due) {
        const auto ticks = static_cast<double>(due - now);
        const auto seconds = ticks / static_cast<double>(SDL_GetPerformanceFrequency());
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
        lastPresent = due;
    } else if (lastPresent != 0 && now < due + refreshPeriod) {
        lastPresent = due;
    } else {
        lastPresent = now;
    }
}
