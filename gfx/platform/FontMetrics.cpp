// FontMetrics: the head and OS/2 tables of a TrueType or OpenType file (or one face of a
// collection) read for the metrics Windows sizes fonts by.
#include "gfx/platform/FontMetrics.h"

#include <cstdint>

namespace {

// Big-endian reads at an offset; false past the end of the file.
bool readAt(SDL_RWops* file, std::int64_t offset, std::uint8_t* bytes, std::size_t count) {
    return SDL_RWseek(file, offset, RW_SEEK_SET) == offset &&
           SDL_RWread(file, bytes, 1, count) == count;
}

bool read16(SDL_RWops* file, std::int64_t offset, std::uint32_t& value) {
    std::uint8_t bytes[2];
    if (!readAt(file, offset, bytes, sizeof bytes)) {
        return false;
    }
    value = static_cast<std::uint32_t>(bytes[0] << 8 | bytes[1]);
    return true;
}

bool read32(SDL_RWops* file, std::int64_t offset, std::uint32_t& value) {
    std::uint32_t high = 0, low = 0;
    if (!read16(file, offset, high) || !read16(file, offset + 2, low)) {
        return false;
    }
    value = high << 16 | low;
    return true;
}

constexpr std::uint32_t tag(const char (&name)[5]) {
    return static_cast<std::uint32_t>(name[0]) << 24 | static_cast<std::uint32_t>(name[1]) << 16 |
           static_cast<std::uint32_t>(name[2]) << 8 | static_cast<std::uint32_t>(name[3]);
}

} // namespace

int FontMetrics::emForCell(int cellHeight) const {
    const std::int64_t cell = static_cast<std::int64_t>(winAscent) + winDescent;
    if (unitsPerEm <= 0 || cell <= 0 || cellHeight <= 0) {
        return 0;
    }
    return static_cast<int>((static_cast<std::int64_t>(unitsPerEm) * cellHeight + cell / 2) / cell);
}

// units scaled to pixels at an em size, rounded to the nearest.
static int scaled(int units, int em, int unitsPerEm) {
    if (unitsPerEm <= 0) {
        return 0;
    }
    return static_cast<int>((static_cast<std::int64_t>(units) * em + unitsPerEm / 2) / unitsPerEm);
}

int FontMetrics::ascentAt(int em) const {
    return scaled(winAscent, em, unitsPerEm);
}

int FontMetrics::descentAt(int em) const {
    return scaled(winDescent, em, unitsPerEm);
}

bool readFontMetrics(SDL_RWops* file, long index, FontMetrics& metrics) {
    // A collection ("ttcf") lists where each face's table directory starts.
    std::int64_t directory = 0;
    std::uint32_t value = 0;
    if (file == nullptr || !read32(file, 0, value)) {
        return false;
    }
    if (value == tag("ttcf")) {
        std::uint32_t faces = 0;
        if (index < 0 || !read32(file, 8, faces) || static_cast<std::uint32_t>(index) >= faces ||
            !read32(file, 12 + 4 * static_cast<std::int64_t>(index), value)) {
            return false;
        }
        directory = value;
    }
    std::uint32_t tables = 0;
    if (!read16(file, directory + 4, tables)) {
        return false;
    }
    std::int64_t head = -1, os2 = -1;
    for (std::uint32_t i = 0; i < tables; ++i) {
        const std::int64_t entry = directory + 12 + 16 * static_cast<std::int64_t>(i);
        std::uint32_t name = 0, offset = 0;
        if (!read32(file, entry, name) || !read32(file, entry + 8, offset)) {
            return false;
        }
        head = name == tag("head") ? offset : head;
        os2 = name == tag("OS/2") ? offset : os2;
    }
    std::uint32_t unitsPerEm = 0, ascent = 0, descent = 0;
    if (head < 0 || os2 < 0 || !read16(file, head + 18, unitsPerEm) ||
        !read16(file, os2 + 74, ascent) || !read16(file, os2 + 76, descent)) {
        return false;
    }
    metrics = {static_cast<int>(unitsPerEm), static_cast<int>(ascent), static_cast<int>(descent)};
    return true;
}
