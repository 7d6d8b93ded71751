// TextEntry: SDL's text input switched on and off.
#include "app/platform/TextEntry.h"

#include <SDL.h>

namespace textEntry {

namespace {
bool typing = false;
}

void start() {
    SDL_StartTextInput();
    typing = true;
}

void stop() {
    SDL_StopTextInput();
    typing = false;
}

bool active() {
    return typing;
}

} // namespace textEntry
