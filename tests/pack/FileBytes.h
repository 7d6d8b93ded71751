// Whole-file reads and writes for tests.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Writes bytes to path; false on failure.
inline bool writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    const bool ok =
        bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose(out) == 0 && ok;
}

// Reads the whole file at path; empty if it cannot be read.
inline std::vector<uint8_t> readBytes(const std::string& path) {
    std::vector<uint8_t> bytes;
    FILE* in = std::fopen(path.c_str(), "rb");
    if (!in)
        return bytes;
    int c;
    while ((c = std::fgetc(in)) != EOF)
        bytes.push_back(static_cast<uint8_t>(c));
    std::fclose(in);
    return bytes;
}
