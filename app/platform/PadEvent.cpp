// PadEvent: the registered event type of pad events and their packing into SDL's user event.
#include "app/platform/PadEvent.h"

namespace {

// The flag that marks a press in the user event's code; the button is the code's low bits.
constexpr Sint32 kDownFlag = 0x100;

Uint32 padEventType() {
    static const Uint32 type = SDL_RegisterEvents(1);
    return type;
}

} // namespace

SDL_Event makePadEvent(PadButton button, bool down) {
    SDL_Event event{};
    event.type = padEventType();
    event.user.timestamp = SDL_GetTicks();
    event.user.code = static_cast<Sint32>(button) | (down ? kDownFlag : 0);
    return event;
}

std::optional<PadPress> padPressOf(const SDL_Event& event) {
    if (event.type != padEventType()) {
        return std::nullopt;
    }
    const Sint32 button = event.user.code & ~kDownFlag;
    if (button < 0 || button >= kPadButtonCount) {
        return std::nullopt;
    }
    return PadPress{static_cast<PadButton>(button), (event.user.code & kDownFlag) != 0};
}
