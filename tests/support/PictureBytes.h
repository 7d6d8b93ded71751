// PictureBytes: pictures painted pixel by pixel and encoded as PNG or BMP file bytes, as the
// pack holds them.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace zxtest {

// ARGB of the pixel (x, y) of a picture.
using Painter = std::function<std::uint32_t(int x, int y)>;

// The picture as PNG bytes (alpha kept), encoded by SDL_image; empty on failure.
std::vector<std::uint8_t> makePng(int width, int height, const Painter& paint);
// The picture as 24-bit BMP bytes (alpha dropped); empty on failure.
std::vector<std::uint8_t> makeBmp(int width, int height, const Painter& paint);

} // namespace zxtest
