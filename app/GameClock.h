// GameClock: the game's own time, counted in updates, sixty to the second on every display, so
// that everything a run measures in time is a function of its inputs.
#pragma once

#include <cstdint>

namespace gameClock {

// The updates run since the start (or since set).
std::uint32_t updates();
// The game's milliseconds: updates * 1000 / 60, wrapping as a 32-bit tick count does.
std::uint32_t milliseconds();
// The milliseconds at a given update.
std::uint32_t millisecondsAt(std::uint32_t update);
// One update has run.
void tick();
// Puts the clock at an update (a recorded run plays back from the time it started at).
void set(std::uint32_t update);

} // namespace gameClock
