// StepPacer: how many of the game's updates a turn of the main loop owes, so that the game
// updates sixty times a second whatever the display's refresh rate: the real time that passed,
// snapped to whole refreshes of the display where it is that close to them (a 60 Hz display
// then gives exactly one update a turn), added to what was left over.
#pragma once

#include <cstdint>

class StepPacer {
  public:
    // Pacing for a display of displayHz refreshes a second (0 when unknown: taken as 60, the
    // rate of most displays and of the present waits that stand in for a retrace).
    explicit StepPacer(int displayHz = 0);

    // The updates due at now (microseconds on any steady clock), at most kMaxBurst. The first
    // call owes one. A gap longer than kStall (a box, a dialog, a dragged window) owes one
    // update, not the time it lasted, so nothing is played out in a burst afterwards.
    int due(std::uint64_t now);
    // Microseconds until the next update is due, as of the last call of due.
    std::uint64_t untilNext() const;

    // A turn late by up to a quarter of a second (the process kept waiting by a busy machine)
    // catches up on what it owes; a longer gap is a stall.
    static constexpr int kMaxBurst = 15;
    static constexpr std::uint64_t kStall = 250000;

  private:
    // Time is counted in sixtieths of a microsecond, so that one update is exactly kStep.
    static constexpr std::uint64_t kStep = 1000000;

    // The time passed, snapped to whole refreshes when it is that close to them.
    std::uint64_t snapped(std::uint64_t passed);

    std::uint64_t refresh; // the display's period in sixtieths of a microsecond
    std::uint64_t last = 0;
    bool started = false;
    std::uint64_t owed = 0;
    std::int64_t drift = 0; // what the snaps left out, not yet paid back
};
