// Level: parsing of level files into stone records.
#include "game/Level.h"

#include <cstring>
#include <limits>

// A little-endian 32-bit value at p.
static std::uint32_t readU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// A little-endian IEEE 754 single at p.
static float readF32(const std::uint8_t* p) {
    const std::uint32_t bits = readU32(p);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

bool parseLevel(const std::uint8_t* data, std::size_t size, std::vector<StoneRecord>& records) {
    records.clear();
    if (data == nullptr || size < kLevelHeaderSize) {
        return false;
    }
    const std::uint32_t count = readU32(data);
    // 4 + 12 * N <= size, written so that no product can overflow.
    if ((size - kLevelHeaderSize) / kStoneRecordSize < count) {
        return false;
    }
    records.resize(count);
    const std::uint8_t* p = data + kLevelHeaderSize;
    for (StoneRecord& record : records) {
        record.kind = static_cast<std::int32_t>(readU32(p));
        record.x = readF32(p + 4);
        record.y = readF32(p + 8);
        p += kStoneRecordSize;
    }
    return true;
}

StoneColour stoneColourOfKind(std::int32_t kind) {
    switch (kind) {
    case 1:
        return Purple;
    case 2:
        return Orange;
    default:
        return Green;
    }
}

std::int32_t levelCoordinate(float value) {
    // -2^31 is exact in float; 2^31 is the first value past the range.
    const float low = -2147483648.0f;
    const float high = 2147483648.0f;
    if (!(value >= low && value < high)) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(value);
}
