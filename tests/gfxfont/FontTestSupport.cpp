// Helpers of the font tests: headless screen, frame read-back and system font files.
#include "tests/gfxfont/FontTestSupport.h"

#include "gfx/platform/SdlDevice.h"

#include <cstdio>

namespace fonttest {

const char* const kDejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

std::vector<std::uint8_t> readFile(const char* path) {
    std::vector<std::uint8_t> bytes;
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        return bytes;
    }
    std::uint8_t buffer[65536];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.insert(bytes.end(), buffer, buffer + count);
    }
    std::fclose(file);
    return bytes;
}

bool Screen::read() {
    return sdlgfx::readBackBuffer(RenderDevice::getDevice(), pixels, width, height);
}

} // namespace fonttest
