// LevelFile: level files encoded and decoded with messages for the tools, and the play-field rules.
#pragma once

#include "game/LevelFormat.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Size of a stone and the part of the play field that stones may take: inside the walls, and
// far enough above the bat's line (y 560) that the ball can get behind them.
constexpr float kStoneW = 64;
constexpr float kStoneH = 32;
constexpr float kFieldLeft = 32;
constexpr float kFieldRight = 768;
constexpr float kFieldTop = 64;
constexpr float kFieldBottom = 400;

// The level file's bytes (game/LevelFormat.h); stone kinds: 1 purple, 2 orange, 3 green.
std::vector<uint8_t> encodeLevel(const std::vector<StoneRecord>& stones);
// Reads a level file. Returns false with a message in error if the bytes are fewer than the
// count says; bytes after the last record are ignored, as the game does.
bool decodeLevel(const uint8_t* data, size_t size, std::vector<StoneRecord>& stones,
                 std::string& error);

// True if the stone lies wholly inside the part of the field stones may take.
bool insideField(const StoneRecord& s);
// True if two stones share any area (touching edges do not count).
bool overlaps(const StoneRecord& a, const StoneRecord& b);
