// SdlDevice: the Linux-only seam between the Direct3D stand-in's device and the other stand-ins
// (the font) and tests: the SDL renderer of a device, its textures, drawing and presentation.
//
// For the font stand-in: a font keeps its device alive with device->AddRef() at creation and
// device->Release() when it is freed, makes its glyph textures with createTexture, frees them
// with destroyTexture (never SDL_DestroyTexture: the device knows when SDL may no longer be
// called, e.g. after the window or SDL itself are gone at shutdown), and draws them with
// drawTexture. Every function here takes the IDirect3DDevice9 that CreateDevice gave out.
#pragma once

#include <d3d9.h>

#include <SDL_render.h>

#include <cstdint>
#include <vector>

namespace sdlgfx {

// The renderer behind the device; null for a null device or once its window is gone.
SDL_Renderer* getRenderer(IDirect3DDevice9* device);

// Uploads a surface into a texture of the device's renderer, sampled with point filtering.
// The surface stays the caller's. Null when the renderer refuses or the window is gone.
SDL_Texture* createTexture(IDirect3DDevice9* device, SDL_Surface* surface);

// Replaces every texel of a texture made by createTexture with ARGB8888 rows of pitch bytes.
// False when the renderer refuses or the window is gone.
bool updateTexture(IDirect3DDevice9* device, SDL_Texture* texture, const void* pixels, int pitch);

// Frees a texture made by createTexture. Harmless at any point of shutdown: when SDL can no
// longer free it safely, the renderer takes it down with itself.
void destroyTexture(IDirect3DDevice9* device, SDL_Texture* texture);

// Draws the source rectangle of a texture (null: all of it) onto dest (back-buffer pixels, top-left
// origin), each texel multiplied by colour (ARGB, alpha included) and alpha-blended
// (source x alpha + destination x (1 - alpha)). False when nothing could be drawn.
bool drawTexture(IDirect3DDevice9* device, SDL_Texture* texture, const SDL_Rect* source,
                 const SDL_Rect& dest, D3DCOLOR colour);

// Reads the back buffer as ARGB pixels, row by row (width x height). False when it cannot.
bool readBackBuffer(IDirect3DDevice9* device, std::vector<std::uint32_t>& pixels, int& width,
                    int& height);

// Present waits for the display's next refresh (on by default). Tests and benchmarks turn it
// off; it applies to every device, existing or later.
void setPresentWait(bool on);
bool getPresentWait();

// A frame whose draw calls (from its full clear to Present, with every parameter and the
// version of each texture) equal those of the frame on screen is neither rasterised nor
// presented; Present still paces it. A frame that differs in a few calls is drawn again only
// where those calls reach (on a renderer that keeps its back buffer). On by default;
// benchmarks of drawing turn it off. It applies to every device, existing or later.
// readBackBuffer always reads the frame drawn.
void setFrameSkip(bool on);
bool getFrameSkip();

// Frames of the device whose drawing ran on the renderer, and frames it presented.
std::uint64_t getRasterisedFrames(IDirect3DDevice9* device);
std::uint64_t getPresentedFrames(IDirect3DDevice9* device);
// Frames of the device drawn only where they changed.
std::uint64_t getPartialFrames(IDirect3DDevice9* device);

} // namespace sdlgfx
