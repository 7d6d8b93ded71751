// LevelFile: level files encoded and decoded with messages for the tools, and the play-field rules.
#include "game/LevelFile.h"

std::vector<uint8_t> encodeLevel(const std::vector<StoneRecord>& stones) {
    std::vector<uint8_t> out;
    out.reserve(kLevelHeaderSize + kStoneRecordSize * stones.size());
    appendU32le(out, static_cast<uint32_t>(stones.size()));
    for (const StoneRecord& s : stones) {
        appendStoneRecord(out, s);
    }
    return out;
}

bool decodeLevel(const uint8_t* data, size_t size, std::vector<StoneRecord>& stones,
                 std::string& error) {
    if (size < kLevelHeaderSize) {
        error = "too short for the stone count (" + std::to_string(size) + " bytes)";
        return false;
    }
    const uint32_t count = readU32le(data);
    if ((size - kLevelHeaderSize) / kStoneRecordSize < count) {
        error = "holds " + std::to_string(count) + " stones but only " + std::to_string(size) +
                " bytes";
        return false;
    }
    stones.clear();
    for (uint32_t i = 0; i < count; ++i) {
        stones.push_back(readStoneRecord(data + kLevelHeaderSize + kStoneRecordSize * i));
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
