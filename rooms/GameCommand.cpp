// GameCommand: the game room's keys and pad buttons.
#include "rooms/GameCommand.h"

#include "app/platform/PadEvent.h"

GameCommand gameCommandOf(const SDL_Event& event) {
    if (event.type == SDL_KEYDOWN) {
        switch (event.key.keysym.sym) {
        case SDLK_SPACE:
            return GameCommand::Launch;
        case SDLK_ESCAPE:
            return GameCommand::Leave;
        case SDLK_RETURN:
            return GameCommand::Enter;
        case SDLK_p:
            return event.key.repeat == 0 ? GameCommand::Pause : GameCommand::None;
        default:
            return GameCommand::None;
        }
    }
    const std::optional<PadPress> press = padPressOf(event);
    if (!press || !press->down) {
        return GameCommand::None;
    }
    switch (press->button) {
    case PadButton::A:
        return GameCommand::LaunchOrEnter;
    case PadButton::B:
        return GameCommand::Leave;
    case PadButton::Start:
        return GameCommand::Pause;
    default:
        return GameCommand::None;
    }
}
