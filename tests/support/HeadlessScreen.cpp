// HeadlessScreen: SDL on the dummy video driver with a window and a render device on it.
#include "tests/support/HeadlessScreen.h"

#include "gfx/platform/SdlDevice.h"

#include <cstdlib>

namespace zxtest {

void useHeadlessVideo() {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_RENDER_DRIVER", "software", 0);
}

HeadlessScreen::HeadlessScreen() {
    useHeadlessVideo();
    sdlgfx::setPresentWait(false);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        return;
    }
    window = SDL_CreateWindow("Zembrix", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 800, 608,
                              SDL_WINDOW_SHOWN);
    if (window == nullptr) {
        return;
    }
    device = new RenderDevice();
    if (!device->init()) {
        releaseDevice();
    }
}

HeadlessScreen::~HeadlessScreen() {
    shutDown();
}

SDL_Renderer* HeadlessScreen::getRenderer() const {
    return sdlgfx::getRenderer(RenderDevice::getDevice());
}

bool HeadlessScreen::readFrame(std::vector<std::uint32_t>& pixels) const {
    int width = 0;
    int height = 0;
    if (!sdlgfx::readBackBuffer(RenderDevice::getDevice(), pixels, width, height) || width != 800 ||
        height != 608) {
        pixels.clear();
        return false;
    }
    return true;
}

void HeadlessScreen::releaseDevice() {
    delete device;
    device = nullptr;
}

void HeadlessScreen::shutDown() {
    releaseDevice();
    if (window != nullptr) {
        SDL_DestroyWindow(window);
        window = nullptr;
    }
    SDL_Quit();
    sdlgfx::setPresentWait(true);
}

} // namespace zxtest
