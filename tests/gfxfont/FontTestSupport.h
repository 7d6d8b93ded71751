// Helpers of the font tests: a headless window with a render device, frames read back, ink
// found in them, and font files read from the system.
#pragma once

#include "gfx/RenderDevice.h"
#include "tests/support/HeadlessScreen.h"

#include <SDL.h>
#include <d3dx9.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace fonttest {

// Bytes of a file; empty when it cannot be read.
std::vector<std::uint8_t> readFile(const char* path);

extern const char* const kDejaVuSans;

// D3DXCreateFontA as the game calls it: a bold face of a height and a name, default charset,
// precision and quality.
inline HRESULT createFont(IDirect3DDevice9* device, INT height, const char* face,
                          ID3DXFont** made) {
    return D3DXCreateFontA(device, height, 0, FW_BOLD, 0, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, DEFAULT_QUALITY, 0, face, made);
}

// The smallest rectangle holding every pixel that passes a test; empty (w == 0) for none.
struct Ink {
    int left = 0, top = 0, right = -1, bottom = -1; // inclusive bounds
    int count = 0;
    bool empty() const { return count == 0; }
    int centreX2() const { return left + right; } // twice the horizontal centre
};

// The headless screen with its frame read back and searched for ink.
class Screen : public zxtest::HeadlessScreen {
  public:
    // Clears the frame to opaque white and begins the scene.
    void begin() { getDevice()->beginFrame(); }
    // Reads the frame drawn so far; false when it cannot.
    bool read();
    std::uint32_t at(int x, int y) const { return pixels[y * width + x]; }
    // Ink of pixels matching test within rows [top, bottom) (all rows by default).
    template <typename Test> Ink inkOf(Test test, int top = 0, int bottom = -1) const {
        Ink ink;
        bottom = bottom < 0 ? height : bottom;
        for (int y = top; y < bottom; ++y) {
            for (int x = 0; x < width; ++x) {
                if (test(at(x, y))) {
                    ink.left = ink.count ? std::min(ink.left, x) : x;
                    ink.right = ink.count ? std::max(ink.right, x) : x;
                    ink.top = ink.count ? std::min(ink.top, y) : y;
                    ink.bottom = ink.count ? std::max(ink.bottom, y) : y;
                    ++ink.count;
                }
            }
        }
        return ink;
    }
    // Any pixel that is not white.
    Ink ink(int top = 0, int bottom = -1) const {
        return inkOf([](std::uint32_t p) { return p != 0xFFFFFFFFu; }, top, bottom);
    }
    std::vector<std::uint32_t> pixels;
    int width = 0;
    int height = 0;
};

// Channels of an ARGB pixel.
inline int redOf(std::uint32_t p) {
    return (p >> 16) & 0xFF;
}
inline int greenOf(std::uint32_t p) {
    return (p >> 8) & 0xFF;
}
inline int blueOf(std::uint32_t p) {
    return p & 0xFF;
}

} // namespace fonttest
