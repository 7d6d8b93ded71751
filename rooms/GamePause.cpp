// GamePause: the game room's pause fed from SDL events.
#include "rooms/GamePause.h"

#include "app/GameClock.h"
#include "app/Globals.h"
#include "app/Language.h"
#include "game/Ball.h"
#include "gfx/Font.h"
#include "rooms/GameCommand.h"
#include "sound/Sound.h"

#include <windows.h>

namespace {

// The pause's text stands where the level banner stands when fully shown.
constexpr std::int32_t kPauseOffset = 100;

} // namespace

bool GamePause::handleEvent(const SDL_Event& event, bool inPlay, Ball* ball) {
    std::uint32_t pauseLength = 0;
    if (gameCommandOf(event) == GameCommand::Pause) {
        pauseLength = rules.toggle(inPlay, gameClock::milliseconds());
    } else if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
        rules.focusLost(inPlay, event.window.timestamp);
    } else if (event.type == SDL_MOUSEBUTTONDOWN) {
        pauseLength = rules.click(gameClock::milliseconds());
    } else {
        return false;
    }
    if (ball != nullptr) {
        ball->shiftClock(pauseLength);
    }
    silence(rules.isPaused());
    return true;
}

void GamePause::drawText(Font& font, std::int32_t w, std::int32_t h) {
    font.draw(tr(TextId::PauseBanner), w / 2, h / 4 + kPauseOffset, 0xFFFFFFFF, DT_CENTER, 1,
              0xFF000000);
}

void GamePause::silence(bool paused) {
    if (Sound* sound = getSound()) {
        sound->setSilenced(paused);
    }
}
