// GamePause: the game room's pause: the pause rules fed from the room's events, the sound
// silenced while paused, the ball's clock moved on by a pause's length, and the "Pauza" text.
#pragma once

#include "rooms/PauseRules.h"

#include <SDL.h>

#include <cstdint>

class Ball;
class Font;

class GamePause {
  public:
    // P (Start), the window's loss of the focus and clicks, for a run in play or not; a pause
    // that ends moves ball's clock on (ball may be null). True when the event was taken.
    bool handleEvent(const SDL_Event& event, bool inPlay, Ball* ball);
    // One of the game's own boxes or dialogs closed at time now: its focus pauses nothing.
    void ownWindowClosed(std::uint32_t now) { rules.ownWindowClosed(now); }
    bool isPaused() const { return rules.isPaused(); }
    // "Pauza" in font, centred where the level banner stands at its full on a w x h screen.
    static void drawText(Font& font, std::int32_t w, std::int32_t h);
    // A paused run makes no sound; the silence is lifted when the pause ends or the room goes.
    static void silence(bool paused);

  private:
    PauseRules rules;
};
