// SdlTexture: the Direct3D 9 texture stand-in, a decoded picture of the device (an SDL texture
// of its renderer, shared with every texture loaded from the same bytes) with what drawing needs
// to know of it (size, whether it is opaque, its top-left texel).
#pragma once

#include "ComObject.h"
#include "PictureCache.h"

#include <d3d9.h>

#include <SDL_render.h>

#include <cstdint>

class SdlDevice9;

class SdlTexture final : public ComObject<IDirect3DTexture9> {
  public:
    // A texture of a picture of the device's cache, whose user it becomes; null when out of
    // memory (the picture is then released).
    static SdlTexture* create(SdlDevice9* device, PictureCache::Picture* picture);

    SDL_Texture* getTexture() const { return picture->texture; }
    int getWidth() const { return picture->width; }
    int getHeight() const { return picture->height; }
    // Every texel has alpha 255.
    bool isOpaque() const { return picture->opaque; }
    // The texel at (0, 0), ARGB: what vertices without texture coordinates sample.
    D3DCOLOR getTopLeft() const { return picture->topLeft; }

  private:
    SdlTexture(SdlDevice9* device, PictureCache::Picture* picture);
    // Unbinds the texture and lets go of its picture, then of the device.
    ~SdlTexture() override;

    SdlDevice9* device;
    PictureCache::Picture* picture;
};
