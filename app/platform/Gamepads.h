// Gamepads: the game controllers, opened as SDL reports them plugged in and closed as they go,
// and their d-pad, left stick, A, B, Back and Start turned into the game's pad events.
#pragma once

#include <SDL.h>

#include <vector>

namespace gamepads {

// Starts SDL's game controllers and opens the ones already plugged in, whose input then counts
// from SDL's next look at the pads; those plugged in later are opened as their events arrive. False
// (with SDL's reason on standard error) when they cannot start: the game then runs without
// gamepads. Once: until stop, later calls give the first answer.
bool start();
// Closes every controller and stops SDL's game controllers; start may then start them again.
void stop();

// One SDL event. A controller plugged in is opened; one pulled out is closed, releasing what it
// held. A change of an open controller's d-pad, left stick, A, B, Back or Start gives the pad
// events (PadEvent.h) of the game's buttons that went down or up: a pad button is down while
// any of its controls holds it (the d-pad or the stick, B or Back), and the stick crossing from
// one side to the other gives a release and a press. Every other event gives none.
std::vector<SDL_Event> translate(const SDL_Event& event);

// Whether event comes from a game controller (a button, an axis, one plugged in or out).
bool isControllerEvent(const SDL_Event& event);

} // namespace gamepads
