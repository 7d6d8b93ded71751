// PackWriter: writes data packs (data.zxp) in the game's pack format.
#pragma once

#include "pack/PackFormat.h"

#include <cstdint>
#include <string>
#include <vector>

// One named byte block to put into a pack.
struct PackFile {
    std::string name; // 1 to 31 bytes, no zero byte
    std::vector<uint8_t> bytes;
};

// Serialises files into pack bytes: the count, then per file its header (offset = header
// position + 48, reserved 0) and its data. Returns false (out untouched) for a bad name or a
// pack that would reach 2 GiB.
bool buildPack(const std::vector<PackFile>& files, std::vector<uint8_t>& out);

// Writes files as a pack to path. Returns false if a name is bad, the pack would reach 2 GiB or
// the file cannot be written whole; a half-written file is removed.
bool writePack(const std::string& path, const std::vector<PackFile>& files);
