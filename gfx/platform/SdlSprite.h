// SdlSprite: the D3DX sprite stand-in, which collects textured rectangles between Begin and End
// and draws them alpha-blended, in order, under the transform set when each was added.
#pragma once

#include "ComObject.h"

#include <d3dx9.h>

#include <SDL_rect.h>

#include <vector>

class SdlDevice9;
class SdlTexture;

class SdlSprite final : public ComObject<ID3DXSprite> {
  public:
    // Keeps a reference on the device.
    explicit SdlSprite(SdlDevice9* device);

    HRESULT SetTransform(const D3DXMATRIX* transform) override;
    HRESULT Begin(DWORD flags) override;
    HRESULT Draw(IDirect3DTexture9* texture, const RECT* rect, const D3DXVECTOR3* center,
                 const D3DXVECTOR3* position, D3DCOLOR color) override;
    HRESULT End() override;
    // Before a reset: the pictures waiting for End are dropped with their textures' references.
    HRESULT OnLostDevice() override;
    // After a reset: nothing to make again.
    HRESULT OnResetDevice() override;

  private:
    // One picture waiting for End; it holds a reference on its texture.
    struct Item {
        SdlTexture* texture;
        SDL_Rect source;
        D3DXMATRIX transform;
        D3DCOLOR colour;
    };

    // Lets go of the pictures waiting, then of the device.
    ~SdlSprite() override;
    void drawItem(const Item& item) const;
    void dropItems();

    SdlDevice9* device;
    D3DXMATRIX transform;
    bool begun = false;
    std::vector<Item> items;
};
