// FixedFunction: Direct3D 9's fixed-function pipeline as far as the game uses it: fans of
// pre-transformed vertices coloured by texture stage 0's defaults and blended by the render
// states.
#pragma once

#include "FrameCache.h"

#include <d3d9.h>

#include <cstdint>

class SdlTexture;

// State: the three blend render states, Direct3D's defaults until the game sets them; the
// bound texture and the vertex stream stay with the device.
class FixedFunction {
  public:
    // Sets D3DRS_ALPHABLENDENABLE, D3DRS_SRCBLEND or D3DRS_DESTBLEND (factors: zero, one, source
    // alpha and its inverse).
    HRESULT setBlendState(D3DRENDERSTATETYPE state, DWORD value);
    // Draws a fan of triangles from vertices stride bytes apart (x, y, z, rhw, diffuse colour,
    // then u, v when textured) with the bound texture (null: none). An axis-aligned rectangle
    // of one colour that maps the texture straight onto it goes as one copy or fill.
    void drawFan(FrameCache& frames, const std::uint8_t* data, UINT stride, bool textured,
                 const SdlTexture* bound, UINT triangles) const;

  private:
    struct Vertex {
        float x, y;
        D3DCOLOR colour;
        float u, v;
    };

    bool drawQuadFast(FrameCache& frames, const Vertex* v, const SdlTexture* tex,
                      SDL_BlendMode mode) const;
    SDL_BlendMode blendMode() const;

    // Direct3D's defaults: no blending, source one, destination zero.
    DWORD alphaBlend = FALSE;
    DWORD srcBlend = D3DBLEND_ONE;
    DWORD destBlend = D3DBLEND_ZERO;
};
