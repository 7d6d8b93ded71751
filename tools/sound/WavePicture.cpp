// WavePicture: the lowest and highest sample of each column drawn as a bar, over guide lines at
// full scale, half scale and zero.
#include "tools/sound/WavePicture.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>

namespace {
constexpr int kPixelsPerSecond = 500;
constexpr int kHeight = 121;
constexpr int kMiddle = kHeight / 2;

// The row of a sample value: 1 at the top, -1 at the bottom.
int rowOf(float value) {
    return kMiddle - static_cast<int>(std::clamp(value, -1.0f, 1.0f) * kMiddle);
}

void put(SDL_Surface* surface, int x, int y, Uint32 colour) {
    static_cast<Uint32*>(surface->pixels)[y * surface->pitch / 4 + x] = colour;
}
} // namespace

bool drawWaveform(const char* path, const std::vector<float>& samples, int rate) {
    const std::size_t perColumn = static_cast<std::size_t>(std::max(1, rate / kPixelsPerSecond));
    const int width = static_cast<int>(samples.size() / perColumn) + 1;
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormat(0, width, kHeight, 32, SDL_PIXELFORMAT_ARGB8888);
    if (surface == nullptr) {
        return false;
    }
    SDL_FillRect(surface, nullptr, 0xFFFFFFFF);
    for (int x = 0; x < width; ++x) {
        put(surface, x, 0, 0xFFE53935); // full scale
        put(surface, x, kHeight - 1, 0xFFE53935);
        put(surface, x, rowOf(0.5f), 0xFFD0D4D8); // half scale
        put(surface, x, rowOf(-0.5f), 0xFFD0D4D8);
        put(surface, x, kMiddle, 0xFFA0A4A8);
    }
    for (int x = 0; x < width; ++x) {
        const std::size_t first = static_cast<std::size_t>(x) * perColumn;
        const std::size_t last = std::min(samples.size(), first + perColumn);
        if (first >= last) {
            break;
        }
        const auto [low, high] = std::minmax_element(samples.begin() + static_cast<long>(first),
                                                     samples.begin() + static_cast<long>(last));
        for (int y = rowOf(*high); y <= rowOf(*low); ++y) {
            put(surface, x, y, 0xFF1E63B4);
        }
    }
    const bool saved = IMG_SavePNG(surface, path) == 0;
    SDL_FreeSurface(surface);
    return saved;
}
