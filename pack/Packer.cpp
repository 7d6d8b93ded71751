// Packer: base of the data pack readers; holds the open pack file and its entry table.
#include "pack/Packer.h"

Packer::~Packer() {
    if (file)
        std::fclose(file);
    file = nullptr;
}

bool Packer::open(const char*) {
    return false;
}

const PackEntry* Packer::getRecord(uint32_t place) const {
    return place < entryCount ? &entries[place] : nullptr;
}
