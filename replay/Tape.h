// Tape: one recorded run: how it began, the input its room saw update by update, the answers of
// its box and dialog, checksums of its state every few seconds, and how it ended.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What one entry of the input holds.
enum class TapeKind : std::uint8_t {
    Skip = 0,      // nothing: only moves the update on (a gap longer than an entry can say)
    KeyDown = 1,   // a: keycode, b: scancode, c: modifiers, d: 1 for a repeat
    KeyUp = 2,     // as KeyDown
    MouseDown = 3, // a, b: the picture point; c: the button; d: clicks
    MouseUp = 4,   // as MouseDown
    Window = 5,    // a: the window event; b, c: its data; age: when it happened
    Pad = 6,       // a: the pad button; b: 1 down, 0 up
    Quit = 7,      // the window's close button
    Leave = 8,     // the answer to the question whether to leave: a 1 for yes
    Name = 9,      // the name dialog's answer: a 1 for OK; text: the name (Windows-1250)
};

struct TapeEntry {
    std::uint32_t update = 0; // counted from the run's first update
    TapeKind kind = TapeKind::Skip;
    std::uint8_t age = 0; // a window event: how many updates earlier it happened (its time)
    std::int32_t a = 0;
    std::int32_t b = 0;
    std::int32_t c = 0;
    std::int32_t d = 0;
    std::string text;

    bool operator==(const TapeEntry&) const = default;
};

// The run's state after an update.
struct TapeCheck {
    std::uint32_t update = 0; // the update after which it was taken, from the run's first
    std::uint32_t sum = 0;

    bool operator==(const TapeCheck&) const = default;
};

// How a run ended.
enum class RunEnd : std::uint8_t {
    Named = 0,   // its points went to the table under a name
    Unnamed = 1, // the name dialog was cancelled
    Left = 2,    // left for the menu, or the game closed, before its end
};

struct Tape {
    std::string version;         // the game's version that recorded it
    std::uint32_t seed = 0;      // the random numbers' seed
    std::uint32_t startTime = 0; // the game clock's update at the run's first update
    std::string setTitle;        // the level set played
    std::uint64_t setHash = 0;   // and a hash of its levels' bytes
    std::uint32_t updates = 0;   // how many updates the run lasted
    RunEnd end = RunEnd::Left;
    std::uint32_t points = 0; // the total the run reached (for the table when Named)
    std::string name;         // the name it went to the table under (Windows-1250)
    std::vector<TapeEntry> entries;
    std::vector<TapeCheck> checks;

    bool operator==(const Tape&) const = default;
};
