// StepPacer: the fixed-step accumulator with its snap to the display's refreshes.
#include "app/StepPacer.h"

namespace {

// A time within this of a whole number of refreshes (in sixtieths of a microsecond: 0.5 ms, as
// coarse as a browser's clock may be) counts as that number of refreshes: what the vertical
// retrace really paced.
constexpr std::uint64_t kSnap = 500 * 60;

} // namespace

StepPacer::StepPacer(int displayHz)
    : refresh(60000000u / static_cast<std::uint64_t>(displayHz > 0 ? displayHz : 60)) {}

// What the snap leaves out is kept, and paid back a whole update at a time, so that a display
// whose rate is a little off 60 (59.94 Hz, a present wait that sleeps a little long) still gets
// sixty updates a second, with a turn of two or none once in a long while.
std::uint64_t StepPacer::snapped(std::uint64_t passed) {
    for (std::uint64_t refreshes = 1; refreshes <= kMaxBurst; ++refreshes) {
        const std::uint64_t whole = refreshes * refresh;
        if (passed + kSnap < whole || passed > whole + kSnap) {
            continue;
        }
        drift += static_cast<std::int64_t>(passed) - static_cast<std::int64_t>(whole);
        if (drift >= static_cast<std::int64_t>(kStep)) {
            drift -= static_cast<std::int64_t>(kStep);
            return whole + kStep;
        }
        if (drift <= -static_cast<std::int64_t>(kStep) && whole >= kStep) {
            drift += static_cast<std::int64_t>(kStep);
            return whole - kStep;
        }
        return whole;
    }
    return passed;
}

int StepPacer::due(std::uint64_t now) {
    std::uint64_t passed = kStep;
    if (started && now >= last && now - last <= kStall) {
        passed = snapped((now - last) * 60);
    }
    started = true;
    last = now;
    owed += passed;
    std::uint64_t count = owed / kStep;
    owed %= kStep;
    if (count > kMaxBurst) {
        count = kMaxBurst; // what is beyond it is dropped, not owed
    }
    return static_cast<int>(count);
}

std::uint64_t StepPacer::untilNext() const {
    return (kStep - owed + 59) / 60;
}
