// HeadlessScreen: SDL on the dummy video driver with an 800 x 608 window and an initialised
// RenderDevice on it, the present wait off; what every test and benchmark of drawing starts from.
#pragma once

#include "gfx/RenderDevice.h"

#include <SDL.h>

#include <cstdint>
#include <vector>

namespace zxtest {

// Selects SDL's dummy video driver and software renderer, unless the environment chose.
void useHeadlessVideo();

class HeadlessScreen {
  public:
    // Sets the screen up; ready() tells whether every step succeeded.
    HeadlessScreen();
    // Shuts down whatever is still up, in the game's order.
    ~HeadlessScreen();
    HeadlessScreen(const HeadlessScreen&) = delete;
    HeadlessScreen& operator=(const HeadlessScreen&) = delete;

    bool ready() const { return device != nullptr && RenderDevice::getDevice() != nullptr; }
    SDL_Window* getWindow() const { return window; }
    RenderDevice* getDevice() const { return device; }
    SDL_Renderer* getRenderer() const;
    // Reads the back buffer as 800 x 608 ARGB pixels (between drawing and endFrame); false,
    // leaving pixels empty, when it cannot.
    bool readFrame(std::vector<std::uint32_t>& pixels) const;

    // Deletes the render device only.
    void releaseDevice();
    // Deletes the render device, then the window, then quits SDL and turns the present wait on.
    void shutDown();

  private:
    SDL_Window* window = nullptr;
    RenderDevice* device = nullptr;
};

} // namespace zxtest
