// SdlLine: the D3DX line stand-in, which draws connected segments of a width and a stipple
// pattern as Direct3D would rasterise their quads.
#pragma once

#include <d3dx9.h>

class SdlDevice9;

class SdlLine final : public ID3DXLine {
  public:
    // Width 1, solid pattern; keeps a reference on the device.
    explicit SdlLine(SdlDevice9* device);

    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT Draw(const D3DXVECTOR2* vertexlist, DWORD vertexlistcount, D3DCOLOR color) override;
    HRESULT SetPattern(DWORD linePattern) override;
    HRESULT SetWidth(FLOAT lineWidth) override;
    FLOAT GetWidth() override { return width; }

  private:
    ~SdlLine() = default;
    // Draws the part of the segment a-b from distance from to distance to along it.
    void drawPiece(const D3DXVECTOR2& a, const D3DXVECTOR2& b, float from, float to,
                   D3DCOLOR colour) const;

    ULONG refs = 1;
    SdlDevice9* device;
    float width = 1.0f;
    DWORD pattern = 0xFFFFFFFF;
};
