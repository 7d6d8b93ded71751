// KeptPictures: the pictures decoded from PNG files, kept as their pixels in the player's cache
// folder, so that a later start reads the menu's pictures instead of decoding them again (on
// this machine that decoding was two thirds of the menu's own share of the start).
#pragma once

#include <SDL.h>

#include <cstddef>
#include <string>

namespace keptPictures {

// The folder the pictures are kept in, made when the first is kept; "" (the default) keeps none.
void useFolder(const std::string& folder);

// The picture decoded earlier from exactly these PNG bytes, as a new ARGB8888 surface; null when
// none is kept or the kept one is damaged, cut short or from another libpng.
SDL_Surface* find(const void* png, std::size_t size);

// Keeps the picture decoded from these PNG bytes (an ARGB8888 surface), replacing any damaged
// copy; false when it could not be written.
bool keep(const void* png, std::size_t size, SDL_Surface* picture);

} // namespace keptPictures
