// TapeEvents: between SDL's events and the tape's entries.
#include "replay/TapeEvents.h"

#include "app/platform/PadEvent.h"

std::optional<TapeEntry> entryOfEvent(const SDL_Event& event) {
    TapeEntry entry;
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        entry.kind = event.type == SDL_KEYDOWN ? TapeKind::KeyDown : TapeKind::KeyUp;
        entry.a = event.key.keysym.sym;
        entry.b = event.key.keysym.scancode;
        entry.c = event.key.keysym.mod;
        entry.d = event.key.repeat;
        return entry;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        entry.kind = event.type == SDL_MOUSEBUTTONDOWN ? TapeKind::MouseDown : TapeKind::MouseUp;
        entry.a = event.button.x;
        entry.b = event.button.y;
        entry.c = event.button.button;
        entry.d = event.button.clicks;
        return entry;
    case SDL_WINDOWEVENT:
        entry.kind = TapeKind::Window;
        entry.a = event.window.event;
        entry.b = event.window.data1;
        entry.c = event.window.data2;
        return entry;
    case SDL_QUIT:
        entry.kind = TapeKind::Quit;
        return entry;
    default:
        break;
    }
    if (const std::optional<PadPress> press = padPressOf(event)) {
        entry.kind = TapeKind::Pad;
        entry.a = static_cast<std::int32_t>(press->button);
        entry.b = press->down ? 1 : 0;
        return entry;
    }
    return std::nullopt;
}

std::optional<SDL_Event> eventOfEntry(const TapeEntry& entry, Uint32 windowId, Uint32 timestamp) {
    SDL_Event event{};
    switch (entry.kind) {
    case TapeKind::KeyDown:
    case TapeKind::KeyUp:
        event.type = entry.kind == TapeKind::KeyDown ? SDL_KEYDOWN : SDL_KEYUP;
        event.key.windowID = windowId;
        event.key.state = entry.kind == TapeKind::KeyDown ? SDL_PRESSED : SDL_RELEASED;
        event.key.repeat = static_cast<Uint8>(entry.d);
        event.key.keysym.sym = entry.a;
        event.key.keysym.scancode = static_cast<SDL_Scancode>(entry.b);
        event.key.keysym.mod = static_cast<Uint16>(entry.c);
        break;
    case TapeKind::MouseDown:
    case TapeKind::MouseUp:
        event.type = entry.kind == TapeKind::MouseDown ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        event.button.windowID = windowId;
        event.button.state = entry.kind == TapeKind::MouseDown ? SDL_PRESSED : SDL_RELEASED;
        event.button.x = entry.a;
        event.button.y = entry.b;
        event.button.button = static_cast<Uint8>(entry.c);
        event.button.clicks = static_cast<Uint8>(entry.d);
        break;
    case TapeKind::Window:
        event.type = SDL_WINDOWEVENT;
        event.window.windowID = windowId;
        event.window.event = static_cast<Uint8>(entry.a);
        event.window.data1 = entry.b;
        event.window.data2 = entry.c;
        break;
    case TapeKind::Quit:
        event.type = SDL_QUIT;
        break;
    case TapeKind::Pad:
        if (entry.a < 0 || entry.a >= kPadButtonCount) {
            return std::nullopt;
        }
        event = makePadEvent(static_cast<PadButton>(entry.a), entry.b != 0);
        break;
    default:
        return std::nullopt;
    }
    event.common.timestamp = timestamp;
    return event;
}
