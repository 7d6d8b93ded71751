// JitterPad: the test hook's virtual controller.
#include "app/platform/JitterPad.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>

namespace {

SDL_Joystick* pad = nullptr;
Sint16 side = 300;

} // namespace

namespace jitterPad {

void plugIfAsked() {
    if (std::getenv("ZEMBRIX_JITTER_PAD") == nullptr || pad != nullptr) {
        return;
    }
    const int index = SDL_JoystickAttachVirtual(
        SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX, 0);
    pad = index >= 0 ? SDL_JoystickOpen(index) : nullptr;
    if (pad == nullptr) {
        std::fprintf(stderr, "zembrix: no jittering pad: %s\n", SDL_GetError());
    } else {
        std::fprintf(stderr, "zembrix: a jittering test pad is plugged in\n");
    }
}

void shake() {
    if (pad != nullptr) {
        side = static_cast<Sint16>(-side);
        SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, side);
        SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTY, static_cast<Sint16>(side / 2));
    }
}

void unplug() {
    if (pad != nullptr) {
        const SDL_JoystickID id = SDL_JoystickInstanceID(pad);
        SDL_JoystickClose(pad);
        pad = nullptr;
        for (int i = 0; i < SDL_NumJoysticks(); ++i) {
            if (SDL_JoystickGetDeviceInstanceID(i) == id) {
                SDL_JoystickDetachVirtual(i);
            }
        }
    }
}

} // namespace jitterPad
