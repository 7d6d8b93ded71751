// SdlLine: the D3DX line stand-in.
#include "SdlLine.h"

#include "SdlDevice9.h"

#include <cmath>
#include <new>
#include <vector>

namespace {

// Whole-coordinate pixel centres inside [from, to).
int firstCentre(float from) {
    return static_cast<int>(std::ceil(from));
}

} // namespace

SdlLine::SdlLine(SdlDevice9* device) : device(device) {
    device->AddRef();
}

SdlLine::~SdlLine() {
    device->Release();
}

HRESULT SdlLine::SetPattern(DWORD linePattern) {
    return linePattern == 0xFFFFFFFF ? D3D_OK : D3DERR_INVALIDCALL;
}

HRESULT SdlLine::SetWidth(FLOAT lineWidth) {
    if (!(lineWidth > 0.0f)) {
        return D3DERR_INVALIDCALL;
    }
    width = lineWidth;
    return D3D_OK;
}

// Each segment is a quad of the width centred on it, alpha-blended.
HRESULT SdlLine::Draw(const D3DXVECTOR2* vertexlist, DWORD vertexlistcount, D3DCOLOR color) {
    if (vertexlist == nullptr || vertexlistcount < 2) {
        return D3DERR_INVALIDCALL;
    }
    for (DWORD i = 0; i + 1 < vertexlistcount; ++i) {
        drawSegment(vertexlist[i], vertexlist[i + 1], color);
    }
    return D3D_OK;
}

void SdlLine::drawSegment(const D3DXVECTOR2& a, const D3DXVECTOR2& b, D3DCOLOR colour) const {
    const float length = std::hypot(b.x - a.x, b.y - a.y);
    if (!(length > 0.0f)) {
        return;
    }
    const float dx = (b.x - a.x) / length;
    const float dy = (b.y - a.y) / length;
    const D3DXVECTOR2& p = a;
    const D3DXVECTOR2 q(a.x + dx * length, a.y + dy * length);
    const float half = width / 2.0f;
    const SDL_BlendMode mode = (colour >> 24) == 0xFF ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND;
    if (p.y == q.y || p.x == q.x) {
        // Axis-aligned: exactly the pixels whose centres the quad covers.
        const float x0 = p.y == q.y ? std::fmin(p.x, q.x) : p.x - half;
        const float x1 = p.y == q.y ? std::fmax(p.x, q.x) : p.x + half;
        const float y0 = p.y == q.y ? p.y - half : std::fmin(p.y, q.y);
        const float y1 = p.y == q.y ? p.y + half : std::fmax(p.y, q.y);
        const SDL_Rect rect{firstCentre(x0), firstCentre(y0), firstCentre(x1) - firstCentre(x0),
                            firstCentre(y1) - firstCentre(y0)};
        if (rect.w > 0 && rect.h > 0) {
            device->getFrames().fill(rect, colour, mode);
        }
        return;
    }
    // Direct3D's pixel centres are on whole coordinates, SDL's half a pixel further.
    const float nx = -dy * half;
    const float ny = dx * half;
    const SDL_Color c{static_cast<Uint8>(colour >> 16), static_cast<Uint8>(colour >> 8),
                      static_cast<Uint8>(colour), static_cast<Uint8>(colour >> 24)};
    const std::vector<SDL_Vertex> corners{{{p.x + nx + 0.5f, p.y + ny + 0.5f}, c, {0.0f, 0.0f}},
                                          {{q.x + nx + 0.5f, q.y + ny + 0.5f}, c, {0.0f, 0.0f}},
                                          {{q.x - nx + 0.5f, q.y - ny + 0.5f}, c, {0.0f, 0.0f}},
                                          {{p.x - nx + 0.5f, p.y - ny + 0.5f}, c, {0.0f, 0.0f}}};
    device->getFrames().drawTriangles(nullptr, corners, {0, 1, 2, 0, 2, 3}, mode);
}

HRESULT WINAPI D3DXCreateLine(IDirect3DDevice9* device, ID3DXLine** line) {
    if (line == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *line = nullptr;
    if (device == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *line = new (std::nothrow) SdlLine(static_cast<SdlDevice9*>(device));
    return *line != nullptr ? D3D_OK : E_OUTOFMEMORY;
}
