// PngPicture in the browser: SDL_image (built with stb_image) reads the PNG bytes.
#include "gfx/platform/PngPicture.h"

#include <SDL_image.h>

SDL_Surface* decodePng(const void* data, std::size_t size) {
    SDL_RWops* rw = SDL_RWFromConstMem(data, static_cast<int>(size));
    if (rw == nullptr) {
        return nullptr;
    }
    SDL_Surface* decoded = IMG_isPNG(rw) ? IMG_LoadPNG_RW(rw) : nullptr;
    SDL_RWclose(rw);
    if (decoded == nullptr) {
        return nullptr;
    }
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(decoded);
    return argb;
}
