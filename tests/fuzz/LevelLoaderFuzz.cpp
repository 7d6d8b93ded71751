// libFuzzer target: the level parser on arbitrary bytes, with the kind and position conversions
// the level loader applies to every record it accepts.
#include "game/Level.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    std::vector<StoneRecord> records;
    const bool accepted = parseLevel(bytes, size, records);
    if (!accepted) {
        if (!records.empty()) {
            std::abort(); // a refused level yields no stone
        }
        return 0;
    }
    // Every accepted record was read from inside the bytes.
    if (kLevelHeaderSize + records.size() * kStoneRecordSize > size) {
        std::abort();
    }
    for (const StoneRecord& record : records) {
        const StoneColour colour = stoneColourOfKind(record.kind);
        if (colour != Green && colour != Orange && colour != Purple) {
            std::abort();
        }
        static_cast<void>(levelCoordinate(record.x));
        static_cast<void>(levelCoordinate(record.y));
    }
    return 0;
}
