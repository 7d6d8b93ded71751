// PackFormat: the layout of the data pack (data.zxp) that the reader, the pack tool and the tests
// share; the names of the game's entries are in pack/PackEntries.h.
//
// A pack is a little-endian 32-bit entry count, then per entry a 48-byte header followed by its
// data. The header holds the entry's index (its own place in the pack), a zero-terminated name
// in a 32-byte field, the data's size, the data's absolute offset (header position + 48 in a
// well-formed pack) and a reserved word; every number is little-endian and 32 bits wide.
#pragma once

#include <cstdint>

constexpr std::uint32_t kPackCountSize = 4;
constexpr std::uint32_t kPackHeaderSize = 48;
constexpr std::uint32_t kPackNameSize = 32;

// Where each field of an entry header starts, from the header's first byte.
constexpr std::uint32_t kPackIndexAt = 0;
constexpr std::uint32_t kPackNameAt = 4;
constexpr std::uint32_t kPackSizeAt = 36;
constexpr std::uint32_t kPackOffsetAt = 40;
constexpr std::uint32_t kPackReservedAt = 44;

// Packs are addressed with a signed 32-bit seek, so every position stays below 2 GiB.
constexpr std::uint64_t kPackMaxSize = 0x7FFFFFFFu;
