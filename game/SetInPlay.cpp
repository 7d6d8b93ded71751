// SetInPlay: the process-wide choice of the level set and its levels' bytes.
#include "game/SetInPlay.h"

#include "app/Globals.h"
#include "game/LevelFile.h"
#include "pack/PackEntries.h"
#include "pack/PackerReader.h"

namespace {

SetInPlay current;
std::string folder;

// The pack entry of a built-in level, or null.
PackEntry* builtInLevel(int n) {
    PackerReader* reader = getPackerReader();
    return reader != nullptr ? reader->getEntry(levelEntryName(n).data()) : nullptr;
}

} // namespace

const SetInPlay& setInPlay() {
    return current;
}

void playBuiltInSet() {
    current = {};
}

void playSet(std::string file, LevelSet set, std::uint64_t hash) {
    current = {std::move(file), std::move(set), hash, false};
}

void playTestLevel(std::vector<StoneRecord> level) {
    current = {};
    current.set.levels.push_back(std::move(level));
    current.testPlay = true;
}

int setLevelCount() {
    return current.builtIn() ? kBuiltInLevelCount : static_cast<int>(current.set.levels.size());
}

bool setLevelBytes(int n, std::string& name, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    if (n < 1 || n > setLevelCount()) {
        return false;
    }
    if (!current.builtIn()) {
        const std::string& file = current.file.empty() ? std::string("test") : current.file;
        name = file.substr(file.find_last_of("/\\") + 1) + ":" + std::to_string(n);
        bytes = encodeLevel(current.set.levels[static_cast<std::size_t>(n - 1)]);
        return true;
    }
    PackEntry* entry = builtInLevel(n);
    if (entry == nullptr || entry->data == nullptr) {
        return false;
    }
    name = entry->name;
    bytes.assign(entry->data, entry->data + entry->size);
    entry->freeData();
    return true;
}

std::string setTitle() {
    return current.builtIn() ? std::string("Zembrix") : current.set.title;
}

// FNV-1a over the six levels' bytes, each closed by 0xFF; a missing level counts as empty.
std::uint64_t setIdentity() {
    if (!current.builtIn()) {
        return current.hash;
    }
    std::uint64_t hash = 0xCBF29CE484222325ull;
    for (int level = 1; level <= kBuiltInLevelCount; ++level) {
        PackEntry* entry = builtInLevel(level);
        const std::uint8_t* bytes = entry != nullptr ? entry->data : nullptr;
        const std::uint32_t size = bytes != nullptr ? entry->size : 0;
        for (std::uint32_t i = 0; i < size; ++i) {
            hash = (hash ^ bytes[i]) * 0x100000001B3ull;
        }
        hash = (hash ^ 0xFFu) * 0x100000001B3ull;
        if (entry != nullptr) {
            entry->freeData();
        }
    }
    return hash;
}

const std::string& levelsFolder() {
    return folder;
}

void setLevelsFolder(std::string value) {
    folder = std::move(value);
}
