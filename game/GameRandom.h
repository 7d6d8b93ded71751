// GameRandom: the game's one random generator, the same sequence on every build: the linear
// congruential generator of the Windows C runtime's rand (seed * 214013 + 2531011, bits 16 to 30).
#pragma once

#include <cstdint>

class GameRandom {
  public:
    // Starts the sequence again from seed.
    void seed(std::uint32_t value) { state = value; }
    // The next number, 0 to 32767.
    std::int32_t next() {
        state = state * 214013u + 2531011u;
        return static_cast<std::int32_t>((state >> 16) & 0x7FFFu);
    }
    // Where the sequence stands, for the run's checksum.
    std::uint32_t getState() const { return state; }

  private:
    std::uint32_t state = 1; // as rand before any srand
};

// The process-wide generator every rule of a run draws from; seeded once per run.
GameRandom& gameRandom();
