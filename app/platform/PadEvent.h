// PadEvent: the game's own event of a gamepad, carried in an SDL_Event of a type registered for
// it: which of the game's pad buttons went down or up, whatever controller and control gave it.
#pragma once

#include <SDL.h>

#include <optional>

// The buttons the game reads: the d-pad or the left stick's directions, A, B (or Back), Start,
// Y.
enum class PadButton : Sint32 { Left, Right, Up, Down, A, B, Start, Y };
constexpr int kPadButtonCount = 8;

struct PadPress {
    PadButton button;
    bool down;
};

// An event telling that button went down (down) or up.
SDL_Event makePadEvent(PadButton button, bool down);
// The press a pad event tells; nothing for any other event.
std::optional<PadPress> padPressOf(const SDL_Event& event);
