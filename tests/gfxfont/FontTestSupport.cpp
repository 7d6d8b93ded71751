// Helpers of the font tests: headless screen, frame read-back and system font files.
#include "tests/gfxfont/FontTestSupport.h"

#include "gfx/platform/SdlDevice.h"

#include <cstdio>
#include <cstdlib>

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

Screen::Screen() {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_RENDER_DRIVER", "software", 0);
    sdlgfx::setPresentWait(false);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        return;
    }
    window = SDL_CreateWindow("fonts", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 800, 608,
                              SDL_WINDOW_HIDDEN);
    if (window == nullptr) {
        return;
    }
    device = new RenderDevice();
    if (!device->init()) {
        delete device;
        device = nullptr;
    }
}

Screen::~Screen() {
    shutDown();
}

void Screen::releaseDevice() {
    delete device;
    device = nullptr;
}

void Screen::shutDown() {
    releaseDevice();
    if (window != nullptr) {
        SDL_DestroyWindow(window);
        window = nullptr;
    }
    SDL_Quit();
}

bool Screen::read() {
    return sdlgfx::readBackBuffer(RenderDevice::getDevice(), pixels, width, height);
}

} // namespace fonttest
