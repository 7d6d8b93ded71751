// DialogEvents: sorting SDL's events between a dialog and the game, and handing the game's back.
#include "app/platform/ui/DialogEvents.h"

#include "app/platform/Gamepads.h"
#include "app/platform/ui/PhysicalKeys.h"

namespace {

// Whether e is a joystick's or a game controller's event. SDL makes a game controller's events
// from its joystick's as they are queued, so a joystick event queued again would come with a
// copy of the controller event made of it the first time.
bool fromJoystick(const SDL_Event& e) {
    return e.type >= SDL_JOYAXISMOTION && e.type < SDL_FINGERDOWN;
}

// The scancodes SDL reports held down.
std::vector<int> heldKeys() {
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    std::vector<int> held;
    for (int code = 0; code < count; ++code) {
        if (state[code] != 0) {
            held.push_back(code);
        }
    }
    return held;
}

// True for a mouse button or wheel event.
bool isClick(const SDL_Event& e) {
    return e.type == SDL_MOUSEBUTTONDOWN || e.type == SDL_MOUSEBUTTONUP || e.type == SDL_MOUSEWHEEL;
}

} // namespace

DialogEvents::DialogEvents(Uint32 windowId, bool owned)
    : windowId(windowId), owned(owned), gate(heldKeys()) {}

bool DialogEvents::isMine(const SDL_Event& e, bool takeUnaddressed) const {
    Uint32 id = 0;
    switch (e.type) {
    case SDL_WINDOWEVENT:
        return e.window.windowID == windowId;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        id = e.key.windowID;
        break;
    case SDL_TEXTINPUT:
        id = e.text.windowID;
        break;
    case SDL_TEXTEDITING:
        id = e.edit.windowID;
        break;
    case SDL_MOUSEMOTION:
        return e.motion.windowID == windowId;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        return e.button.windowID == windowId;
    case SDL_MOUSEWHEEL:
        return e.wheel.windowID == windowId;
    default:
        return false;
    }
    return id == windowId || (takeUnaddressed && id == 0);
}

DialogEvents::Route DialogEvents::route(const SDL_Event& e) {
    if (e.type == SDL_QUIT) {
        kept.push_back(e);
        return Route::Quit;
    }
    // While a dialog is open the gamepads answer it; a controller plugged in meanwhile is
    // opened by it.
    if (fromJoystick(e)) {
        return Route::Mine;
    }
    if (!isMine(e, true)) {
        // A key held across the dialog repeats into the window that had the focus before it:
        // those repeats tell the game nothing, and an Escape repeated there would ask again.
        if (e.type == SDL_KEYDOWN && e.key.repeat != 0) {
            return Route::Ignored;
        }
        // The owner is disabled while its box is open: a click on it does nothing, now or later.
        if (owned && isClick(e)) {
            return Route::Ignored;
        }
        kept.push_back(e);
        if (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_CLOSE) {
            SDL_Event quit{};
            quit.type = SDL_QUIT;
            quit.quit.timestamp = e.window.timestamp;
            kept.push_back(quit);
        }
        return Route::Kept;
    }
    switch (e.type) {
    case SDL_KEYDOWN:
        return gate.press(e.key.keysym.scancode, e.key.repeat != 0) ? Route::Mine : Route::Ignored;
    case SDL_KEYUP:
        gate.release(e.key.keysym.scancode);
        return Route::Mine;
    case SDL_TEXTINPUT:
        return gate.text() ? Route::Mine : Route::Ignored;
    default:
        return Route::Mine;
    }
}

void DialogEvents::forgetReleasedKeys() {
    if (gate.holdsKeys()) {
        gate.letGo(physicalKeysUp(SDL_GetWindowFromID(windowId)));
    }
}

void DialogEvents::handBack() {
    // SDL_PollEvent would stop at the end-of-poll marker of an earlier pump and leave later
    // events behind, so the queue is emptied with SDL_PeepEvents.
    SDL_PumpEvents();
    SDL_Event e;
    while (SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1) {
        // The controllers' events stay; their joysticks' would come back with copies of them.
        const bool joystickOnly = fromJoystick(e) && !gamepads::isControllerEvent(e);
        if (e.type != SDL_POLLSENTINEL && !isMine(e, false) && !(owned && isClick(e)) &&
            !joystickOnly) {
            kept.push_back(e);
        }
    }
    for (SDL_Event& event : kept) {
        SDL_PushEvent(&event);
    }
    kept.clear();
}
