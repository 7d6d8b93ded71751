// TapeFile: a Tape's bytes, in the versioned binary format the README describes: a magic, a
// format version, fixed-size little-endian fields, a length before everything variable, and a
// CRC-32 of the whole at the end.
#pragma once

#include "replay/Tape.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The bytes of a tape. Texts longer than a field can say are cut (255 bytes).
std::vector<std::uint8_t> encodeTape(const Tape& tape);

// Reads a tape; false with the reason in error (in English, for a message) when the bytes are
// not a replay, of a format this game does not know, cut short, or damaged.
bool decodeTape(const std::uint8_t* data, std::size_t size, Tape& tape, std::string& error);

// The CRC-32 (IEEE 802.3, as zip and PNG use it) that ends a tape's bytes.
std::uint32_t tapeCrc32(const std::uint8_t* data, std::size_t size);

// Reads a tape's file; false with the reason (as decodeTape, or the file cannot be read).
bool readTapeFile(const std::string& path, Tape& tape, std::string& error);
