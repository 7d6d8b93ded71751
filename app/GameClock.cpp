// GameClock: the update count and its milliseconds.
#include "app/GameClock.h"

namespace {

std::uint32_t count = 0;

} // namespace

namespace gameClock {

std::uint32_t updates() {
    return count;
}

std::uint32_t millisecondsAt(std::uint32_t update) {
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(update) * 50u / 3u);
}

std::uint32_t milliseconds() {
    return millisecondsAt(count);
}

void tick() {
    ++count;
}

void set(std::uint32_t update) {
    count = update;
}

} // namespace gameClock
