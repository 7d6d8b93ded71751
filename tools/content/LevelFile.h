// LevelFile: the binary level format (count, then kind, x, y per stone) and the play-field rules.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One stone of a level: its kind (1 purple, 2 orange, 3 green) and its top-left corner.
struct StoneRecord {
    int32_t kind = 0;
    float x = 0;
    float y = 0;
};

// Size of a stone and the part of the play field that stones may take: inside the walls, and
// far enough above the bat's line (y 560) that the ball can get behind them.
constexpr float kStoneW = 64;
constexpr float kStoneH = 32;
constexpr float kFieldLeft = 32;
constexpr float kFieldRight = 768;
constexpr float kFieldTop = 64;
constexpr float kFieldBottom = 400;

// The level file's bytes: u32 count, then per stone i32 kind, f32 x, f32 y, all little-endian.
std::vector<uint8_t> encodeLevel(const std::vector<StoneRecord>& stones);
// Reads a level file. Returns false with a message in error if the bytes are fewer than the
// count says; bytes after the last record are ignored, as the game does.
bool decodeLevel(const uint8_t* data, size_t size, std::vector<StoneRecord>& stones,
                 std::string& error);

// True if the stone lies wholly inside the part of the field stones may take.
bool insideField(const StoneRecord& s);
// True if two stones share any area (touching edges do not count).
bool overlaps(const StoneRecord& a, const StoneRecord& b);
