// SdlLine: the D3DX line stand-in, which draws solid connected segments of a width as Direct3D
// would rasterise their quads.
#pragma once

#include "ComObject.h"

#include <d3dx9.h>

class SdlDevice9;

class SdlLine final : public ComObject<ID3DXLine> {
  public:
    // Width 1; keeps a reference on the device.
    explicit SdlLine(SdlDevice9* device);

    HRESULT Draw(const D3DXVECTOR2* vertexlist, DWORD vertexlistcount, D3DCOLOR color) override;
    // Lines are solid: the only pattern is 0xFFFFFFFF, every pixel on.
    HRESULT SetPattern(DWORD linePattern) override;
    HRESULT SetWidth(FLOAT lineWidth) override;
    FLOAT GetWidth() override { return width; }
    // A line holds nothing of the device's between draws: a reset costs it nothing.
    HRESULT OnLostDevice() override { return D3D_OK; }
    HRESULT OnResetDevice() override { return D3D_OK; }

  private:
    // Lets go of the device.
    ~SdlLine() override;
    void drawSegment(const D3DXVECTOR2& a, const D3DXVECTOR2& b, D3DCOLOR colour) const;

    SdlDevice9* device;
    float width = 1.0f;
};
