// Steady time: the pacer owes sixty updates a second on displays of every rate, one a turn on a
// 60 Hz one, and nothing in a burst after a stall; the game's random numbers follow the Windows C
// runtime's sequence.
#include "app/StepPacer.h"
#include "game/GameRandom.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

// The updates a pacer owes over a second of turns each `period` microseconds long (vsync'd at
// the display's rate, with a jitter of +-100 us), and the most in one turn.
struct Second {
    int updates = 0;
    int mostInATurn = 0;
};
Second oneSecond(int displayHz) {
    StepPacer pacer(displayHz);
    Second second;
    std::uint64_t now = 5000000;
    for (int turn = 0; turn < displayHz * 10; ++turn) {
        const std::uint64_t jitter = turn % 2 == 0 ? 100 : 0;
        const int due = pacer.due(now + jitter);
        second.updates += due;
        second.mostInATurn = due > second.mostInATurn ? due : second.mostInATurn;
        now += 1000000 / static_cast<std::uint64_t>(displayHz);
    }
    second.updates /= 10;
    return second;
}

TEST(StepPacer, SixtyUpdatesASecondAtEveryRefreshRate) {
    for (int hz : {50, 60, 75, 120, 144, 165, 240}) {
        const Second second = oneSecond(hz);
        EXPECT_NEAR(second.updates, 60, 1) << hz << " Hz";
        // A faster display shows each update's picture for the refreshes it covers; a slower
        // one runs two updates in a turn where needed, never more.
        EXPECT_EQ(second.mostInATurn, hz >= 60 ? 1 : 2) << hz << " Hz";
    }
}

TEST(StepPacer, OneUpdateEveryTurnOnASixtyHertzDisplay) {
    StepPacer pacer(60);
    std::uint64_t now = 0;
    // Retraces come 16 667 us apart, give or take a little: each turn owes exactly one.
    for (int turn = 0; turn < 6000; ++turn) {
        now += turn % 3 == 0 ? 16800 : 16600;
        ASSERT_EQ(pacer.due(now), 1) << "turn " << turn;
    }
}

TEST(StepPacer, AStallOwesOneUpdateAndTheWaitEndsWhenTheNextIsDue) {
    StepPacer pacer(144);
    EXPECT_EQ(pacer.due(1000000), 1); // the first turn
    EXPECT_EQ(pacer.due(1006944), 0);
    EXPECT_NEAR(static_cast<double>(pacer.untilNext()), 16667.0 - 6944.0, 2.0);
    // A box open for three seconds: one update, not 180.
    EXPECT_EQ(pacer.due(4006944), 1);
    // A turn late by 200 ms (a busy machine, under the stall) owes its twelve updates.
    EXPECT_EQ(pacer.due(4206944), 12);
}

TEST(GameRandom, FollowsTheWindowsRuntimesSequence) {
    GameRandom random;
    std::vector<std::int32_t> numbers;
    for (int i = 0; i < 5; ++i) {
        numbers.push_back(random.next());
    }
    // rand() without srand, as the Windows C runtime gives it.
    EXPECT_EQ(numbers, (std::vector<std::int32_t>{41, 18467, 6334, 26500, 19169}));
    random.seed(12345);
    EXPECT_EQ(random.next(), 7584);
    EXPECT_EQ(random.next(), 19164);
}

} // namespace
