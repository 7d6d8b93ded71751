// RawPack: builds pack bytes field by field, so tests can make malformed packs too.
#pragma once

#include "pack/ByteOrder.h"
#include "pack/PackFormat.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

struct RawPack {
    std::vector<uint8_t> bytes;

    RawPack& u32(uint32_t value) {
        appendU32le(bytes, value);
        return *this;
    }
    // A 32-byte name field: name, then fill bytes up to 32 (no terminator if name has 32).
    RawPack& name(const std::string& text, uint8_t fill = 0) {
        uint8_t field[32];
        std::memset(field, fill, sizeof field);
        std::memcpy(field, text.data(), text.size() < 32 ? text.size() : 32);
        if (text.size() < 32)
            field[text.size()] = 0;
        bytes.insert(bytes.end(), field, field + 32);
        return *this;
    }
    RawPack& data(const std::vector<uint8_t>& block) {
        bytes.insert(bytes.end(), block.begin(), block.end());
        return *this;
    }
    // An entry header with the fields as given.
    RawPack& header(uint32_t index, const std::string& entryName, uint32_t size, uint32_t offset,
                    uint32_t reserved = 0) {
        return u32(index).name(entryName).u32(size).u32(offset).u32(reserved);
    }
    // A whole well-placed entry: header with offset = header position + 48, then data.
    RawPack& entry(uint32_t index, const std::string& entryName, const std::vector<uint8_t>& block,
                   uint32_t reserved = 0) {
        const uint32_t offset = static_cast<uint32_t>(bytes.size()) + kPackHeaderSize;
        return header(index, entryName, static_cast<uint32_t>(block.size()), offset, reserved)
            .data(block);
    }
};
