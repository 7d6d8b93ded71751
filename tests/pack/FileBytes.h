// Whole-file reads and writes for tests.
#pragma once

#include "tools/FileBytes.h"

// Writes bytes to path; false on failure.
inline bool writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    return writeFileBytes(path, bytes.data(), bytes.size());
}

// Reads the whole file at path; empty if it cannot be read.
inline std::vector<uint8_t> readBytes(const std::string& path) {
    std::vector<uint8_t> bytes;
    readFileBytes(path, bytes);
    return bytes;
}
