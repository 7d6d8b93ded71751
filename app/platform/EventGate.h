// EventGate: the one place that decides which events the rooms see. They get the kinds of
// input the game is written for: the keys, the mouse, typed text (the level editor's fields),
// the window, quit, and the game's own pad events. The game controllers' raw input becomes pad
// events here (Gamepads); joysticks, sensors, audio devices, displays, text editing and every
// other subsystem's notices stop here.
#pragma once

#include <SDL.h>

#include <vector>

namespace eventGate {

// Whether an event of this kind goes to the rooms as it is.
bool forRooms(const SDL_Event& event);

// One polled event as the rooms get it, in order: the event itself when it is for the rooms,
// else the pad events a game controller's change gives (none for any other event).
std::vector<SDL_Event> admit(const SDL_Event& event);

} // namespace eventGate
