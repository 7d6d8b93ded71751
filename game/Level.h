// Level: the records of a level file and the parser that reads them from a pack entry's bytes.
#pragma once

#include "game/LevelFormat.h"
#include "game/Stone.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Reads a level file (game/LevelFormat.h). Returns false, leaving records empty, when the bytes
// cannot hold the count and all N records (or data is null).
bool parseLevel(const std::uint8_t* data, std::size_t size, std::vector<StoneRecord>& records);

// The colour a kind code makes: 1 purple, 2 orange, 3 and every other value green.
StoneColour stoneColourOfKind(std::int32_t kind);

// A level position as the stone's coordinate: truncated toward zero. A value that no 32-bit
// integer holds (out of range, or not a number) gives INT32_MIN, as the x86 conversion does.
std::int32_t levelCoordinate(float value);
