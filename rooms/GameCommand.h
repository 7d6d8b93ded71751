// GameCommand: what the keys and a gamepad's buttons ask of the game room.
#pragma once

#include <SDL.h>

enum class GameCommand {
    None,
    Launch,        // Space
    Enter,         // Enter
    LaunchOrEnter, // A: Space's action for a waiting ball, else Enter's
    Leave,         // Escape, B or Back
    Pause          // P (not its repeats) or Start
};

// The command of a key press or a pad button's press; None for any other event.
GameCommand gameCommandOf(const SDL_Event& event);
