// LevelFile: the binary level format (count, then kind, x, y per stone) and the play-field rules.
#include "tools/content/LevelFile.h"

#include <bit>

namespace {

constexpr size_t kRecordSize = 12;

void putU32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
}

uint32_t getU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

} // namespace

std::vector<uint8_t> encodeLevel(const std::vector<StoneRecord>& stones) {
    std::vector<uint8_t> out;
    out.reserve(4 + kRecordSize * stones.size());
    putU32(out, static_cast<uint32_t>(stones.size()));
    for (const StoneRecord& s : stones) {
        putU32(out, static_cast<uint32_t>(s.kind));
        putU32(out, std::bit_cast<uint32_t>(s.x));
        putU32(out, std::bit_cast<uint32_t>(s.y));
    }
    return out;
}

bool decodeLevel(const uint8_t* data, size_t size, std::vector<StoneRecord>& stones,
                 std::string& error) {
    if (size < 4) {
        error = "too short for the stone count (" + std::to_string(size) + " bytes)";
        return false;
    }
    const uint32_t count = getU32(data);
    if ((size - 4) / kRecordSize < count) {
        error = "holds " + std::to_string(count) + " stones but only " + std::to_string(size) +
                " bytes";
        return false;
    }
    stones.clear();
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* p = data + 4 + kRecordSize * i;
        stones.push_back({static_cast<int32_t>(getU32(p)), std::bit_cast<float>(getU32(p + 4)),
                          std::bit_cast<float>(getU32(p + 8))});
    }
    return true;
}

bool insideField(const StoneRecord& s) {
    // Written so that NaN coordinates fail every comparison and count as outside.
    return s.x >= kFieldLeft && s.x + kStoneW <= kFieldRight && s.y >= kFieldTop &&
           s.y + kStoneH <= kFieldBottom;
}

bool overlaps(const StoneRecord& a, const StoneRecord& b) {
    return a.x < b.x + kStoneW && b.x < a.x + kStoneW && a.y < b.y + kStoneH && b.y < a.y + kStoneH;
}
