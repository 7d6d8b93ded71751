// PackEntry: one record of the data pack's entry table, with its loaded bytes.
#include "pack/PackEntry.h"

void PackEntry::freeData() {
    delete[] data;
    data = nullptr;
}
