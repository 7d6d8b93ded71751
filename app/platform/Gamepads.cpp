// Gamepads: opening and closing SDL's game controllers and translating their input.
#include "app/platform/Gamepads.h"

#include "app/platform/JitterPad.h"
#include "app/platform/PadEvent.h"
#ifdef _WIN32
#include "app/platform/win32/DialogPads.h"
#endif

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

// The left stick counts as pushed past this much of its travel, and as back once inside the
// smaller one, so that a stick held near the edge does not flicker.
constexpr Sint16 kPushed = 16000;
constexpr Sint16 kReleased = 12000;

struct Pad {
    SDL_JoystickID id = -1;
    SDL_GameController* controller = nullptr;
    std::array<int, kPadButtonCount> holds{}; // how many controls hold each pad button
    int stickX = 0;                           // -1 left, 0 centre, 1 right
    int stickY = 0;                           // -1 up, 0 centre, 1 down
};

std::vector<Pad> pads;
bool started = false;
bool tried = false; // start was called since the last stop

Pad* padOf(SDL_JoystickID id) {
    auto found = std::find_if(pads.begin(), pads.end(), [id](const Pad& p) { return p.id == id; });
    return found != pads.end() ? &*found : nullptr;
}

// The game's button of a controller button, or -1 for one the game does not read.
int padButtonOf(Uint8 button) {
    switch (button) {
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
        return static_cast<int>(PadButton::Left);
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
        return static_cast<int>(PadButton::Right);
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
        return static_cast<int>(PadButton::Up);
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
        return static_cast<int>(PadButton::Down);
    case SDL_CONTROLLER_BUTTON_A:
        return static_cast<int>(PadButton::A);
    case SDL_CONTROLLER_BUTTON_B:
    case SDL_CONTROLLER_BUTTON_BACK:
        return static_cast<int>(PadButton::B);
    case SDL_CONTROLLER_BUTTON_START:
        return static_cast<int>(PadButton::Start);
    case SDL_CONTROLLER_BUTTON_Y:
        return static_cast<int>(PadButton::Y);
    default:
        return -1;
    }
}

// One control taking hold of (down) or letting go of a pad button; an event when the button
// changes.
void hold(Pad& pad, int button, bool down, std::vector<SDL_Event>& out) {
    int& count = pad.holds[static_cast<std::size_t>(button)];
    if (down) {
        if (++count == 1) {
            out.push_back(makePadEvent(static_cast<PadButton>(button), true));
        }
    } else if (count > 0 && --count == 0) {
        out.push_back(makePadEvent(static_cast<PadButton>(button), false));
    }
}

// The stick's side on one axis after it moved to value, from the side it was on.
int sideOf(int side, Sint16 value) {
    if (value <= -kPushed) {
        return -1;
    }
    if (value >= kPushed) {
        return 1;
    }
    const bool held = (side < 0 && value <= -kReleased) || (side > 0 && value >= kReleased);
    return held ? side : 0;
}

// Moves one axis of the stick to value: the old side's button is let go, the new one's held.
void moveStick(Pad& pad, int& side, Sint16 value, PadButton negative, PadButton positive,
               std::vector<SDL_Event>& out) {
    const int next = sideOf(side, value);
    if (next == side) {
        return;
    }
    if (side != 0) {
        hold(pad, static_cast<int>(side < 0 ? negative : positive), false, out);
    }
    side = next;
    if (side != 0) {
        hold(pad, static_cast<int>(side < 0 ? negative : positive), true, out);
    }
}

void open(int deviceIndex) {
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (controller == nullptr) {
        std::fprintf(stderr, "gamepad %d: %s\n", deviceIndex, SDL_GetError());
        return;
    }
    const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
    if (padOf(id) != nullptr) {
        SDL_GameControllerClose(controller); // already open: SDL counted a second reference
        return;
    }
    Pad pad;
    pad.id = id;
    pad.controller = controller;
    pads.push_back(pad);
}

// Closes a controller, letting go of every pad button it held.
void close(SDL_JoystickID id, std::vector<SDL_Event>& out) {
    Pad* pad = padOf(id);
    if (pad == nullptr) {
        return;
    }
    for (int button = 0; button < kPadButtonCount; ++button) {
        if (pad->holds[static_cast<std::size_t>(button)] > 0) {
            pad->holds[static_cast<std::size_t>(button)] = 0;
            out.push_back(makePadEvent(static_cast<PadButton>(button), false));
        }
    }
    SDL_GameControllerClose(pad->controller);
    pads.erase(pads.begin() + (pad - pads.data()));
}

} // namespace

namespace gamepads {

bool start() {
    if (tried) {
        return started;
    }
    tried = true;
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        std::fprintf(stderr, "No gamepads: %s\n", SDL_GetError());
        return false;
    }
    started = true;
    jitterPad::plugIfAsked();
    // The pads already plugged in are opened now, so that the next look at the pads reports
    // their presses; SDL's events for them then find them open.
    for (int index = 0; index < SDL_NumJoysticks(); ++index) {
        if (SDL_IsGameController(index)) {
            open(index);
        }
    }
#ifdef _WIN32
    // Windows' own boxes and dialogs run loops of their own: they read the pads themselves.
    dialogPads::start();
#endif
    return true;
}

void stop() {
    jitterPad::unplug();
#ifdef _WIN32
    dialogPads::stop();
#endif
    for (Pad& pad : pads) {
        SDL_GameControllerClose(pad.controller);
    }
    pads.clear();
    if (started) {
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
        started = false;
    }
    tried = false;
}

bool isControllerEvent(const SDL_Event& event) {
    return event.type >= SDL_CONTROLLERAXISMOTION && event.type < SDL_FINGERDOWN;
}

std::vector<SDL_Event> translate(const SDL_Event& event) {
    std::vector<SDL_Event> out;
    switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
        open(event.cdevice.which);
        break;
    case SDL_CONTROLLERDEVICEREMOVED:
        close(event.cdevice.which, out);
        break;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: {
        Pad* pad = padOf(event.cbutton.which);
        const int button = padButtonOf(event.cbutton.button);
        if (pad != nullptr && button >= 0) {
            hold(*pad, button, event.type == SDL_CONTROLLERBUTTONDOWN, out);
        }
        break;
    }
    case SDL_CONTROLLERAXISMOTION: {
        Pad* pad = padOf(event.caxis.which);
        if (pad == nullptr) {
            break;
        }
        if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX) {
            moveStick(*pad, pad->stickX, event.caxis.value, PadButton::Left, PadButton::Right, out);
        } else if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY) {
            moveStick(*pad, pad->stickY, event.caxis.value, PadButton::Up, PadButton::Down, out);
        }
        break;
    }
    default:
        break;
    }
    return out;
}

} // namespace gamepads
