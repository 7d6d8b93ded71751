// LevelFormat: the level file ("Level%d.zxm") as the game, the level tools and the tests read
// and write it: a little-endian 32-bit stone count N, then N records of a 32-bit kind and the
// stone's top-left corner as two single-precision floats, all little-endian. Bytes after the
// last record are ignored.
#pragma once

#include "pack/ByteOrder.h"

#include <cstdint>
#include <vector>

// One stone of a level file: its kind code and its position (top-left corner, pixels).
struct StoneRecord {
    std::int32_t kind = 0;
    float x = 0.0f;
    float y = 0.0f;
};

// Size of the count at the start of a level file and of each record after it.
constexpr std::uint32_t kLevelHeaderSize = 4;
constexpr std::uint32_t kStoneRecordSize = 12;

// The record whose 12 bytes start at p.
inline StoneRecord readStoneRecord(const std::uint8_t* p) {
    return {static_cast<std::int32_t>(readU32le(p)), readF32le(p + 4), readF32le(p + 8)};
}

// Appends the record's 12 bytes.
inline void appendStoneRecord(std::vector<std::uint8_t>& out, const StoneRecord& stone) {
    appendU32le(out, static_cast<std::uint32_t>(stone.kind));
    appendF32le(out, stone.x);
    appendF32le(out, stone.y);
}
