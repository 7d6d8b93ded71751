// Helpers of the font tests: headless screen, frame read-back and system font files.
#include "tests/gfxfont/FontTestSupport.h"

#include "gfx/platform/SdlDevice.h"
#include "tests/pack/FileBytes.h"

namespace fonttest {

const char* const kDejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

std::vector<std::uint8_t> readFile(const char* path) {
    return readBytes(path);
}

bool Screen::read() {
    return sdlgfx::readBackBuffer(RenderDevice::getDevice(), pixels, width, height);
}

} // namespace fonttest
