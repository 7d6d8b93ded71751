// Packer: base of the data pack readers; holds the open pack file and its entry table.
#pragma once

#include "pack/PackEntry.h"

#include <cstdint>
#include <cstdio>
#include <vector>

class Packer {
  public:
    Packer() = default;
    Packer(const Packer&) = delete;
    Packer& operator=(const Packer&) = delete;
    // Closes the file, if open, and discards the entry table.
    virtual ~Packer();

    // Opens the pack at path. The base class reads no format and always returns false.
    virtual bool open(const char* path);

    // Number of entries in the open pack (0 while closed).
    uint32_t getEntryCount() const { return entryCount; }
    // The record at place (0 to count - 1) in pack order, without loading it; null otherwise.
    const PackEntry* getRecord(uint32_t place) const;

  protected:
    FILE* file = nullptr;
    std::vector<PackEntry> entries;
    uint32_t entryCount = 0;
};
