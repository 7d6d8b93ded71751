// VideoDriver: the check for a video driver that SDL fell back to and that shows nothing.
#include "app/platform/VideoDriver.h"

#include <SDL.h>

#include <cstring>

bool videoDriverShowsNothing() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver == nullptr ||
        (std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0)) {
        return false;
    }
    // The hint falls back to the environment variable of the same name.
    const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    if (asked != nullptr && asked[0] != '\0') {
        return false;
    }
    SDL_SetError("No display to show the window on (SDL fell back to its \"%s\" video driver)",
                 driver);
    return true;
}
