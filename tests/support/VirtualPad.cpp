// VirtualPad: a virtual game controller with every button and axis SDL maps.
#include "tests/support/VirtualPad.h"

namespace zxtest {

VirtualPad::VirtualPad() {
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "Zembrix test pad";
    device = SDL_JoystickAttachVirtualEx(&desc);
    if (device >= 0) {
        joystick = SDL_JoystickOpen(device);
    }
}

VirtualPad::~VirtualPad() {
    unplug();
}

void VirtualPad::button(SDL_GameControllerButton which, bool down) {
    SDL_JoystickSetVirtualButton(joystick, which, down ? SDL_PRESSED : SDL_RELEASED);
}

void VirtualPad::axis(SDL_GameControllerAxis which, Sint16 value) {
    SDL_JoystickSetVirtualAxis(joystick, which, value);
}

void VirtualPad::unplug() {
    if (joystick == nullptr) {
        return;
    }
    SDL_JoystickClose(joystick);
    joystick = nullptr;
    SDL_JoystickDetachVirtual(device);
    device = -1;
}

} // namespace zxtest
