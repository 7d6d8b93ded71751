// TurnWait: how the main loop waits, without using the processor, for its next update when
// none is due yet.
#pragma once

#include <cstdint>

// Waits about microseconds (at least until the thread is woken again). In the browser it gives
// the thread back until the next animation frame instead, whatever the time.
void waitForTurn(std::uint64_t microseconds);
// Microseconds on a steady clock.
std::uint64_t steadyMicroseconds();
