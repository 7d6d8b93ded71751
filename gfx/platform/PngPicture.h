// PngPicture: PNG bytes decoded into an ARGB8888 surface, the one picture format the pack holds.
// On the desktop libpng reads them itself, so that the game loads no image library's other
// formats (TIFF, WebP, JPEG and theirs) at its start; in the browser SDL_image reads them.
#pragma once

#include <SDL.h>

#include <cstddef>

// The picture as an ARGB8888 surface; null when the bytes are no PNG or cannot be read. On the
// desktop a picture decoded at an earlier start is read from KeptPictures, and a new one kept.
SDL_Surface* decodePng(const void* data, std::size_t size);
