// RunTape: the process-wide tape and the level set a run plays.
#include "replay/RunTape.h"

#include "app/Globals.h"
#include "pack/PackEntries.h"
#include "pack/PackerReader.h"

namespace {

RunTape* tape = nullptr;

} // namespace

RunTape* getRunTape() {
    return tape;
}

void setRunTape(RunTape* value) {
    tape = value;
}

// FNV-1a over the six levels' names and bytes, in order; a missing level counts as empty.
PlayedSet playedSet() {
    PlayedSet set{"Zembrix", 0xCBF29CE484222325ull};
    PackerReader* reader = getPackerReader();
    for (int level = 1; level <= 6; ++level) {
        PackEntry* entry =
            reader != nullptr ? reader->getEntry(levelEntryName(level).data()) : nullptr;
        const std::uint8_t* bytes = entry != nullptr ? entry->data : nullptr;
        const std::uint32_t size = entry != nullptr && bytes != nullptr ? entry->size : 0;
        for (std::uint32_t i = 0; i < size; ++i) {
            set.hash = (set.hash ^ bytes[i]) * 0x100000001B3ull;
        }
        set.hash = (set.hash ^ 0xFFu) * 0x100000001B3ull; // the end of a level
        if (entry != nullptr) {
            entry->freeData();
        }
    }
    return set;
}
