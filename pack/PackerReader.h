// PackerReader: reads the data pack (data.zxp) and serves its entries by name.
#pragma once

#include "pack/Packer.h"

#include <string>

class PackerReader : public Packer {
  public:
    PackerReader() = default;
    // Frees the bytes of every entry still loaded; the base closes the file.
    ~PackerReader() override;

    // Opens the pack at path and reads its entry table; the file stays open for later reads.
    // Returns false, changing nothing but getError, if the file cannot be opened or the pack is
    // malformed (a table or data past the end of the file, an index that designates no record, a
    // name without its terminator, a failed read). An empty file opens with no entries. Opening
    // again replaces the pack held before, which invalidates its entries.
    bool open(const char* path) override;

    // Returns the first entry named name (exact, case-sensitive) with the bytes of the record
    // its index designates freshly read from the file, replacing any bytes loaded before.
    // Returns null if no entry has that name or its bytes cannot be read.
    PackEntry* getEntry(const char* name);

    // Why the last open returned false, as one line without a line break (for example
    // "entry 3: data past the end of the file"); empty after a successful open.
    const char* getError() const { return error.c_str(); }

  private:
    void freeAll();

    std::string error;
};
