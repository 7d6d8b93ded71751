// ByteOrder: little-endian 32-bit values in file bytes, as the pack, the level files and the
// score table store them, whatever the processor's own order.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

// The unsigned value of the four bytes at p, least significant first.
inline std::uint32_t readU32le(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// The IEEE 754 single whose bits are the four bytes at p, least significant first.
// (memcpy rather than std::bit_cast, which the browser build's C++ library lacks.)
inline float readF32le(const std::uint8_t* p) {
    const std::uint32_t bits = readU32le(p);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Writes value into the four bytes at p, least significant first.
inline void writeU32le(std::uint8_t* p, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        p[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

// Appends value as four bytes, least significant first.
inline void appendU32le(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

// Appends the bits of value as four bytes, least significant first.
inline void appendF32le(std::vector<std::uint8_t>& out, float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    appendU32le(out, bits);
}
