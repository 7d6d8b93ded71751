// SdlTexture: the Direct3D 9 texture stand-in, an SDL texture of the device's renderer with what
// drawing needs to know of its picture (size, whether it is opaque, its top-left texel).
#pragma once

#include <d3d9.h>

#include <SDL_render.h>

#include <cstdint>

class SdlDevice9;

class SdlTexture final : public IDirect3DTexture9 {
  public:
    // Uploads an ARGB8888 surface to the device; null when the renderer refuses it.
    static SdlTexture* create(SdlDevice9* device, SDL_Surface* argb);

    ULONG AddRef() override;
    ULONG Release() override;

    SDL_Texture* getTexture() const { return texture; }
    int getWidth() const { return width; }
    int getHeight() const { return height; }
    // Every texel has alpha 255.
    bool isOpaque() const { return opaque; }
    // The texel at (0, 0), ARGB: what vertices without texture coordinates sample.
    D3DCOLOR getTopLeft() const { return topLeft; }

  private:
    SdlTexture(SdlDevice9* device, SDL_Texture* texture, int width, int height, bool opaque,
               D3DCOLOR topLeft);
    ~SdlTexture() = default;

    ULONG refs = 1;
    SdlDevice9* device;
    SDL_Texture* texture;
    int width;
    int height;
    bool opaque;
    D3DCOLOR topLeft;
};
