// TurnWait on the desktop: a sleep of the thread.
#include "app/platform/TurnWait.h"

#include <chrono>
#include <thread>

void waitForTurn(std::uint64_t microseconds) {
    std::this_thread::sleep_for(std::chrono::microseconds(microseconds));
}

std::uint64_t steadyMicroseconds() {
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(
                                          std::chrono::steady_clock::now().time_since_epoch())
                                          .count());
}
