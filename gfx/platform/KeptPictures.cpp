// KeptPictures: one file per picture, named by a hash of its PNG bytes, holding a header that
// names those bytes and a checksum of the pixels that follow it. Files are written beside their
// place and renamed into it, with no flush to the disk: a copy lost to a crash is decoded again.
#include "KeptPictures.h"

#include "app/platform/DataPaths.h"

#include <png.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace keptPictures {
namespace {

constexpr char kMagic[8] = {'Z', 'X', 'P', 'I', 'X', 'E', 'L', 'S'};
constexpr std::uint32_t kFormat = 1;
constexpr std::uint32_t kLargestSide = 16384;

struct Header {
    char magic[8];
    std::uint32_t format;
    std::uint32_t libpng; // the pixels are what this libpng made of the file
    std::uint64_t pngSize;
    std::uint64_t pngHash;
    std::uint32_t width;
    std::uint32_t height;
    std::uint64_t pixelSum;
};

std::string folder;

std::uint64_t hashBytes(const void* data, std::size_t size) {
    std::uint64_t hash = 14695981039346656037ull; // FNV-1a
    for (std::size_t i = 0; i < size; ++i) {
        hash = (hash ^ static_cast<const std::uint8_t*>(data)[i]) * 1099511628211ull;
    }
    return hash;
}

// A checksum of the pixels, eight bytes a step (their count is a multiple of four).
std::uint64_t sumPixels(const void* pixels, std::size_t size) {
    std::uint64_t sum = size;
    std::size_t at = 0;
    for (; at + 8 <= size; at += 8) {
        std::uint64_t word;
        std::memcpy(&word, static_cast<const std::uint8_t*>(pixels) + at, 8);
        sum = (sum ^ word) * 0x9E3779B97F4A7C15ull;
        sum ^= sum >> 29;
    }
    if (at < size) {
        std::uint32_t word;
        std::memcpy(&word, static_cast<const std::uint8_t*>(pixels) + at, 4);
        sum = (sum ^ word) * 0x9E3779B97F4A7C15ull;
    }
    return sum;
}

Header headerOf(const void* png, std::size_t size) {
    Header header{};
    std::memcpy(header.magic, kMagic, sizeof kMagic);
    header.format = kFormat;
    header.libpng = PNG_LIBPNG_VER;
    header.pngSize = size;
    header.pngHash = hashBytes(png, size);
    return header;
}

std::string pathOf(const Header& header) {
    char name[48];
    std::snprintf(name, sizeof name, "%016llx-%llu.pixels",
                  static_cast<unsigned long long>(header.pngHash),
                  static_cast<unsigned long long>(header.pngSize));
    return folder + "/" + name;
}

} // namespace

void useFolder(const std::string& chosen) {
    folder = chosen;
}

SDL_Surface* find(const void* png, std::size_t size) {
    if (folder.empty()) {
        return nullptr;
    }
    const Header wanted = headerOf(png, size);
    FILE* file = std::fopen(pathOf(wanted).c_str(), "rb");
    if (file == nullptr) {
        return nullptr;
    }
    Header kept{};
    SDL_Surface* picture = nullptr;
    if (std::fread(&kept, sizeof kept, 1, file) == 1 &&
        std::memcmp(&kept, &wanted, offsetof(Header, width)) == 0 && kept.width > 0 &&
        kept.height > 0 && kept.width <= kLargestSide && kept.height <= kLargestSide) {
        picture = SDL_CreateRGBSurfaceWithFormat(0, static_cast<int>(kept.width),
                                                 static_cast<int>(kept.height), 32,
                                                 SDL_PIXELFORMAT_ARGB8888);
    }
    if (picture != nullptr) {
        // ARGB8888 rows of any width need no padding: the surface's rows follow each other.
        const std::size_t bytes = std::size_t{kept.width} * kept.height * 4;
        char past = 0;
        if (std::fread(picture->pixels, 1, bytes, file) != bytes ||
            std::fread(&past, 1, 1, file) != 0 ||
            sumPixels(picture->pixels, bytes) != kept.pixelSum) {
            SDL_FreeSurface(picture);
            picture = nullptr;
        }
    }
    std::fclose(file);
    return picture;
}

bool keep(const void* png, std::size_t size, SDL_Surface* picture) {
    if (folder.empty() || picture == nullptr ||
        picture->format->format != SDL_PIXELFORMAT_ARGB8888 || picture->pitch != picture->w * 4) {
        return false;
    }
    makeFolders(folder);
    Header header = headerOf(png, size);
    header.width = static_cast<std::uint32_t>(picture->w);
    header.height = static_cast<std::uint32_t>(picture->h);
    const std::size_t bytes = std::size_t{header.width} * header.height * 4;
    header.pixelSum = sumPixels(picture->pixels, bytes);
    const std::string path = pathOf(header);
    std::string temporary = path + ".XXXXXX";
    const int made = mkstemp(temporary.data());
    if (made < 0) {
        return false;
    }
    FILE* file = fdopen(made, "wb");
    if (file == nullptr) {
        close(made);
        unlink(temporary.c_str());
        return false;
    }
    bool written = std::fwrite(&header, sizeof header, 1, file) == 1 &&
                   std::fwrite(picture->pixels, 1, bytes, file) == bytes;
    written = std::fclose(file) == 0 && written;
    if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace keptPictures
