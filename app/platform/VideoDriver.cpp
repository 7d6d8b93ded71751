// VideoDriver: starts SDL's video on a driver that shows windows, trying a busy display again.
#include "app/platform/VideoDriver.h"

#include <SDL.h>

#include <cstring>

namespace {

constexpr Uint32 kRetryMs = 1000;
constexpr Uint32 kPauseMs = 50;

// True when a driver was named in SDL_VIDEODRIVER (the hint falls back to that variable).
bool driverAsked() {
    const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    return asked != nullptr && asked[0] != '\0';
}

// True when the video runs on a driver that shows windows or was asked for. Otherwise SDL's
// error text says why.
bool videoShows() {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) {
        return false; // SDL's error text tells why it did not start
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driverAsked() ||
        (std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0)) {
        return true;
    }
    SDL_SetError("No display to show the window on (SDL fell back to its \"%s\" video driver)",
                 driver);
    return false;
}

// True when DISPLAY names an X server.
bool serverNamed() {
    const char* display = SDL_getenv("DISPLAY");
    return display != nullptr && display[0] != '\0';
}

} // namespace

VideoStart startVideo() {
    VideoStart start;
    const Uint32 begin = SDL_GetTicks();
    for (;;) {
        ++start.attempts;
        if (SDL_WasInit(SDL_INIT_VIDEO) == 0) {
            SDL_InitSubSystem(SDL_INIT_VIDEO);
        }
        start.shows = videoShows();
        if (start.shows || !serverNamed() || SDL_GetTicks() - begin >= kRetryMs) {
            return start;
        }
        // Let go of the fallback driver before the next try; a start that failed holds nothing.
        if (SDL_WasInit(SDL_INIT_VIDEO) != 0) {
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
        }
        SDL_Delay(kPauseMs);
    }
}

void useUnseenVideo() {
#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
    if (!driverAsked()) {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
        SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    }
#endif
}
