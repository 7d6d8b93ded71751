// EventGate: the rooms' list of event kinds, and the translation of the controllers' input.
#include "app/platform/EventGate.h"

#include "app/platform/Gamepads.h"
#include "app/platform/PadEvent.h"

namespace eventGate {

bool forRooms(const SDL_Event& event) {
    switch (event.type) {
    case SDL_QUIT:
    case SDL_WINDOWEVENT:
    case SDL_KEYDOWN:
    case SDL_KEYUP:
    case SDL_MOUSEMOTION:
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEWHEEL:
    case SDL_TEXTINPUT: // typed text: only the level editor's fields read it
        return true;
    default:
        return padPressOf(event).has_value();
    }
}

std::vector<SDL_Event> admit(const SDL_Event& event) {
    if (forRooms(event)) {
        return {event};
    }
    // Opens and closes controllers as they come and go, and turns their d-pad, stick and
    // buttons into pad events; a stick resting inside its dead zone gives none.
    return gamepads::translate(event);
}

} // namespace eventGate
