// PictureBytes: pictures painted pixel by pixel and encoded as PNG or BMP file bytes.
#include "tests/support/PictureBytes.h"

#include <SDL.h>
#include <SDL_image.h>

namespace zxtest {

namespace {

SDL_Surface* paintSurface(int width, int height, const Painter& paint) {
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (surface == nullptr) {
        return nullptr;
    }
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) +
                                              static_cast<std::ptrdiff_t>(y) * surface->pitch);
        for (int x = 0; x < width; ++x) {
            row[x] = paint(x, y);
        }
    }
    return surface;
}

// Encodes with save into a memory buffer large enough for an uncompressed picture, and frees
// the surface.
std::vector<std::uint8_t> encode(SDL_Surface* surface,
                                 const std::function<int(SDL_Surface*, SDL_RWops*)>& save) {
    if (surface == nullptr) {
        return {};
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(surface->w) * surface->h * 4 + 4096);
    SDL_RWops* rw = SDL_RWFromMem(bytes.data(), static_cast<int>(bytes.size()));
    const bool saved = save(surface, rw) == 0;
    bytes.resize(saved ? static_cast<std::size_t>(SDL_RWtell(rw)) : 0);
    SDL_RWclose(rw);
    SDL_FreeSurface(surface);
    return bytes;
}

} // namespace

std::vector<std::uint8_t> makePng(int width, int height, const Painter& paint) {
    return encode(paintSurface(width, height, paint),
                  [](SDL_Surface* s, SDL_RWops* rw) { return IMG_SavePNG_RW(s, rw, 0); });
}

std::vector<std::uint8_t> makeBmp(int width, int height, const Painter& paint) {
    SDL_Surface* argb = paintSurface(width, height, paint);
    SDL_Surface* rgb =
        argb != nullptr ? SDL_ConvertSurfaceFormat(argb, SDL_PIXELFORMAT_RGB24, 0) : nullptr;
    SDL_FreeSurface(argb);
    return encode(rgb, [](SDL_Surface* s, SDL_RWops* rw) { return SDL_SaveBMP_RW(s, rw, 0); });
}

} // namespace zxtest
