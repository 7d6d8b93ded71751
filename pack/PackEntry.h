// PackEntry: one record of the data pack's entry table, with its loaded bytes.
#pragma once

#include <cstdint>

struct PackEntry {
    uint32_t index = 0;      // the record this entry's bytes are loaded into
    char name[32] = {};      // zero-terminated name, as stored in the pack
    uint32_t size = 0;       // number of data bytes
    uint32_t offset = 0;     // absolute position of the data in the pack file
    uint8_t* data = nullptr; // loaded bytes (owned by the reader), null while not loaded

    // Frees the loaded bytes, if any, and sets data to null.
    void freeData();
};
