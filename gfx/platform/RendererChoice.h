// RendererChoice: which SDL renderer the device stand-in and the name dialog draw with. An explicit
// choice (SDL_RENDER_DRIVER) is honoured; otherwise a graphics library that rasterises in software
// (llvmpipe, softpipe: machines without a GPU, virtual X servers) is passed over for SDL's own
// software renderer, which presents straight through the window system and costs far less
// memory and processor time for the game's 2-D frames.
#pragma once

#include <SDL.h>

class RendererChoice {
  public:
    // A renderer for the window, with vsync when asked; null when none can be made.
    static SDL_Renderer* create(SDL_Window* window, bool vsync);

    // Whether an OpenGL renderer string (GL_RENDERER) names a software rasteriser.
    static bool isSoftwareRasteriser(const char* glRenderer);

  private:
    // Whether the machine shows any graphics hardware (a DRM device or NVIDIA's driver).
    static bool hasGraphicsHardware();
    // Whether the renderer draws through a software rasteriser.
    static bool rasterisesInSoftware(SDL_Renderer* renderer);
    static SDL_Renderer* createSoftware(SDL_Window* window, Uint32 vsync);
};
