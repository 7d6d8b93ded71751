// PngPicture: PNG decoding through libpng's simplified reading.
#include "PngPicture.h"

#include "KeptPictures.h"

#include <png.h>

namespace {

SDL_Surface* readPng(const void* data, std::size_t size) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_memory(&image, data, size) == 0) {
        return nullptr;
    }
    // ARGB8888 is one 32-bit number: its bytes in memory are B, G, R, A on a little-endian
    // machine.
    image.format = SDL_BYTEORDER == SDL_LIL_ENDIAN ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, static_cast<int>(image.width),
                                                          static_cast<int>(image.height), 32,
                                                          SDL_PIXELFORMAT_ARGB8888);
    if (surface == nullptr) {
        png_image_free(&image);
        return nullptr;
    }
    if (png_image_finish_read(&image, nullptr, surface->pixels, surface->pitch, nullptr) == 0) {
        SDL_FreeSurface(surface);
        return nullptr;
    }
    return surface;
}

} // namespace

SDL_Surface* decodePng(const void* data, std::size_t size) {
    if (SDL_Surface* kept = keptPictures::find(data, size)) {
        return kept;
    }
    SDL_Surface* surface = readPng(data, size);
    keptPictures::keep(data, size, surface);
    return surface;
}
