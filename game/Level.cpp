// Level: parsing of level files into stone records.
#include "game/Level.h"

#include "game/StoneKinds.h"

#include <limits>

bool parseLevel(const std::uint8_t* data, std::size_t size, std::vector<StoneRecord>& records) {
    records.clear();
    if (data == nullptr || size < kLevelHeaderSize) {
        return false;
    }
    const std::uint32_t count = readU32le(data);
    // 4 + 12 * N <= size, written so that no product can overflow.
    if ((size - kLevelHeaderSize) / kStoneRecordSize < count) {
        return false;
    }
    records.resize(count);
    const std::uint8_t* p = data + kLevelHeaderSize;
    for (StoneRecord& record : records) {
        record = readStoneRecord(p);
        p += kStoneRecordSize;
    }
    return true;
}

StoneColour stoneColourOfKind(std::int32_t kind) {
    return stoneKindOfCode(kind).colour;
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
