// FileBytes: whole files read into memory and written from it, for the tools and the tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Reads the whole file at path into bytes; false, with bytes empty, if it cannot be read.
inline bool readFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    FILE* in = std::fopen(path.c_str(), "rb");
    if (in == nullptr) {
        return false;
    }
    std::uint8_t buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0) {
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    const bool ok = std::ferror(in) == 0;
    std::fclose(in);
    if (!ok) {
        bytes.clear();
    }
    return ok;
}

// Writes size bytes as the whole file at path; false if it cannot be written whole, in which
// case a half-written file is removed.
inline bool writeFileBytes(const std::string& path, const void* bytes, std::size_t size) {
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) {
        return false;
    }
    bool ok = size == 0 || std::fwrite(bytes, 1, size, out) == size;
    ok = std::fclose(out) == 0 && ok;
    if (!ok) {
        std::remove(path.c_str());
    }
    return ok;
}
