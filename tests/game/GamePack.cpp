// Test packs for the game room: a minimal PNG writer (stored deflate blocks) and level files.
#include "tests/game/GamePack.h"

#include "game/PlayField.h"
#include "rooms/MenuLayout.h"

#include <algorithm>
#include <cstring>

namespace zxtest {

namespace {

void putU32le(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void putU32be(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

std::uint32_t crc32(const std::uint8_t* data, std::size_t size) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

std::uint32_t adler32(const std::vector<std::uint8_t>& data) {
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (std::uint8_t byte : data) {
        a = (a + byte) % 65521u;
        b = (b + a) % 65521u;
    }
    return b << 16 | a;
}

// Appends a PNG chunk: length, type, data, CRC of type and data.
void putChunk(std::vector<std::uint8_t>& png, const char* type,
              const std::vector<std::uint8_t>& data) {
    putU32be(png, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    putU32be(png, crc32(png.data() + start, png.size() - start));
}

// A zlib stream of stored (uncompressed) deflate blocks.
std::vector<std::uint8_t> zlibStored(const std::vector<std::uint8_t>& raw) {
    std::vector<std::uint8_t> out{0x78, 0x01};
    std::size_t done = 0;
    do {
        const std::size_t length = std::min<std::size_t>(raw.size() - done, 65535);
        const bool last = done + length == raw.size();
        out.push_back(last ? 1 : 0);
        out.push_back(static_cast<std::uint8_t>(length));
        out.push_back(static_cast<std::uint8_t>(length >> 8));
        out.push_back(static_cast<std::uint8_t>(~length));
        out.push_back(static_cast<std::uint8_t>(~length >> 8));
        out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(done),
                   raw.begin() + static_cast<std::ptrdiff_t>(done + length));
        done += length;
    } while (done < raw.size());
    putU32be(out, adler32(raw));
    return out;
}

} // namespace

std::vector<std::uint8_t> levelBytes(const std::vector<StoneRecord>& stones) {
    std::vector<std::uint8_t> out;
    putU32le(out, static_cast<std::uint32_t>(stones.size()));
    for (const StoneRecord& stone : stones) {
        std::uint32_t bits = 0;
        putU32le(out, static_cast<std::uint32_t>(stone.kind));
        std::memcpy(&bits, &stone.x, 4);
        putU32le(out, bits);
        std::memcpy(&bits, &stone.y, 4);
        putU32le(out, bits);
    }
    return out;
}

std::vector<std::uint8_t> solidPng(std::uint32_t width, std::uint32_t height, std::uint32_t argb) {
    std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    putU32be(header, width);
    putU32be(header, height);
    header.insert(header.end(), {8, 6, 0, 0, 0}); // 8-bit RGBA, no interlace
    putChunk(png, "IHDR", header);
    std::vector<std::uint8_t> raw;
    raw.reserve(static_cast<std::size_t>(height) * (width * 4 + 1));
    for (std::uint32_t row = 0; row < height; ++row) {
        raw.push_back(0); // no filter
        for (std::uint32_t column = 0; column < width; ++column) {
            raw.insert(raw.end(),
                       {static_cast<std::uint8_t>(argb >> 16), static_cast<std::uint8_t>(argb >> 8),
                        static_cast<std::uint8_t>(argb), static_cast<std::uint8_t>(argb >> 24)});
        }
    }
    putChunk(png, "IDAT", zlibStored(raw));
    putChunk(png, "IEND", {});
    return png;
}

std::vector<PackFile> gamePictures() {
    return {
        {"background.png", solidPng(kBackgroundTile, kBackgroundTile, 0xFFE0E0FF)},
        {"logo.png", solidPng(kLogoWidth, kLogoHeight, 0xFF404040)},
        {"button.png", solidPng(kButtonWidth, kButtonHeight, 0xFFC0C0C0)},
        {"wall_block.png", solidPng(kWallWidth, kWallWidth, kWallColour)},
        {"wall_block_red.png", solidPng(kWallWidth, kWallWidth, 0xFFC00000)},
        {"ball_blue.png", solidPng(kBallSize, kBallSize, kBallColour)},
        {"bat_huge.png", solidPng(kBatWidth, kBatHeight, kBatColour)},
        {"stone_glow_green.png", solidPng(kStoneWidth, kStoneHeight, kStoneColour)},
        {"stone_glow_orange.png", solidPng(kStoneWidth, kStoneHeight, 0xFFFF8000)},
        {"stone_glow_purple.png", solidPng(kStoneWidth, kStoneHeight, 0xFF8000FF)},
        {"stone_breaking_green.png", solidPng(5 * kStoneWidth, kStoneHeight, 0xFF00FF00)},
        {"stone_breaking_orange.png", solidPng(5 * kStoneWidth, kStoneHeight, 0xFFFFC000)},
        {"stone_breaking_purple.png", solidPng(5 * kStoneWidth, kStoneHeight, 0xFFC080FF)},
    };
}

std::vector<PackFile> gamePicturesWithout(const std::string& name) {
    std::vector<PackFile> files = gamePictures();
    std::erase_if(files, [&](const PackFile& file) { return file.name == name; });
    return files;
}

PackFile levelFile(int number, std::vector<std::uint8_t> bytes) {
    return {"Level" + std::to_string(number) + ".zxm", std::move(bytes)};
}

} // namespace zxtest
