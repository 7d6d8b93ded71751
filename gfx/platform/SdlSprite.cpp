// SdlSprite: the D3DX sprite stand-in, drawing textured rectangles in screen space.
#include "SdlSprite.h"

#include "SdlDevice9.h"
#include "SdlTexture.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace {

D3DXMATRIX identity() {
    D3DXMATRIX m;
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            m.m[row][col] = row == col ? 1.0f : 0.0f;
        }
    }
    return m;
}

SDL_FPoint apply(const D3DXMATRIX& m, float x, float y) {
    return SDL_FPoint{x * m._11 + y * m._21 + m._41, x * m._12 + y * m._22 + m._42};
}

// A bound on pixel positions far beyond any screen: a picture placed further off is clamped
// there, so that its rectangle's arithmetic cannot overflow (it comes out empty).
constexpr float kFarPixel = 16777216.0f;

// Pixels whose centres lie inside [from, to) on one axis, in SDL's half-pixel centres; clamped
// to +-kFarPixel, with not-a-number at the low end.
int firstPixel(float from) {
    const float pixel = std::ceil(from - 0.5f);
    if (!(pixel > -kFarPixel)) {
        return static_cast<int>(-kFarPixel);
    }
    return static_cast<int>(pixel < kFarPixel ? pixel : kFarPixel);
}

} // namespace

SdlSprite::SdlSprite(SdlDevice9* device) : device(device), transform(identity()) {
    device->AddRef();
}

SdlSprite::~SdlSprite() {
    dropItems();
    device->Release();
}

HRESULT SdlSprite::SetTransform(const D3DXMATRIX* m) {
    if (m == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    transform = *m;
    return D3D_OK;
}

// Sprites are placed in screen space and blended by their alpha (D3DXSPRITE_ALPHABLEND).
HRESULT SdlSprite::Begin(DWORD flags) {
    if (begun || flags != D3DXSPRITE_ALPHABLEND) {
        return D3DERR_INVALIDCALL;
    }
    begun = true;
    return D3D_OK;
}

// Adds the rectangle (null: the whole texture) of the texture, its top-left corner at the
// transform's origin, to be drawn at End. The transform places it: centre and position are null.
HRESULT SdlSprite::Draw(IDirect3DTexture9* texture, const RECT* rect, const D3DXVECTOR3* center,
                        const D3DXVECTOR3* position, D3DCOLOR color) {
    if (!begun || texture == nullptr || center != nullptr || position != nullptr) {
        return D3DERR_INVALIDCALL;
    }
    auto* tex = static_cast<SdlTexture*>(texture);
    SDL_Rect source{0, 0, tex->getWidth(), tex->getHeight()};
    if (rect != nullptr) {
        const int left = std::clamp<int>(rect->left, 0, tex->getWidth());
        const int top = std::clamp<int>(rect->top, 0, tex->getHeight());
        const int right = std::clamp<int>(rect->right, left, tex->getWidth());
        const int bottom = std::clamp<int>(rect->bottom, top, tex->getHeight());
        source = SDL_Rect{left, top, right - left, bottom - top};
    }
    try {
        items.push_back(Item{tex, source, transform, color});
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    tex->AddRef();
    return D3D_OK;
}

HRESULT SdlSprite::OnLostDevice() {
    dropItems();
    begun = false;
    return D3D_OK;
}

HRESULT SdlSprite::OnResetDevice() {
    return D3D_OK;
}

HRESULT SdlSprite::End() {
    if (!begun) {
        return D3DERR_INVALIDCALL;
    }
    for (const Item& item : items) {
        drawItem(item);
    }
    dropItems();
    begun = false;
    return D3D_OK;
}

void SdlSprite::dropItems() {
    for (Item& item : items) {
        item.texture->Release();
    }
    items.clear();
}

// Unrotated, unmirrored pictures are one copy; any other transform draws two triangles.
void SdlSprite::drawItem(const Item& item) const {
    if (item.source.w <= 0 || item.source.h <= 0) {
        return;
    }
    const bool opaque = item.texture->isOpaque() && (item.colour >> 24) == 0xFF;
    const SDL_BlendMode mode = opaque ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND;
    const D3DXMATRIX& m = item.transform;
    const float w = static_cast<float>(item.source.w);
    const float h = static_cast<float>(item.source.h);
    const SDL_FPoint topLeft = apply(m, 0.0f, 0.0f);
    if (m._12 == 0.0f && m._21 == 0.0f && m._11 > 0.0f && m._22 > 0.0f) {
        const SDL_FPoint bottomRight = apply(m, w, h);
        const int left = firstPixel(topLeft.x);
        const int top = firstPixel(topLeft.y);
        const SDL_Rect dst{left, top, firstPixel(bottomRight.x) - left,
                           firstPixel(bottomRight.y) - top};
        if (dst.w > 0 && dst.h > 0) {
            device->getFrames().copy(item.texture->getTexture(), &item.source, dst, item.colour,
                                     mode);
        }
        return;
    }
    const SDL_Color colour{static_cast<Uint8>(item.colour >> 16),
                           static_cast<Uint8>(item.colour >> 8), static_cast<Uint8>(item.colour),
                           static_cast<Uint8>(item.colour >> 24)};
    const float tw = static_cast<float>(item.texture->getWidth());
    const float th = static_cast<float>(item.texture->getHeight());
    const float u0 = static_cast<float>(item.source.x) / tw;
    const float v0 = static_cast<float>(item.source.y) / th;
    const float u1 = static_cast<float>(item.source.x + item.source.w) / tw;
    const float v1 = static_cast<float>(item.source.y + item.source.h) / th;
    const std::vector<SDL_Vertex> corners{{topLeft, colour, {u0, v0}},
                                          {apply(m, w, 0.0f), colour, {u1, v0}},
                                          {apply(m, w, h), colour, {u1, v1}},
                                          {apply(m, 0.0f, h), colour, {u0, v1}}};
    device->getFrames().drawTriangles(item.texture->getTexture(), corners, {0, 1, 2, 0, 2, 3},
                                      mode);
}

HRESULT WINAPI D3DXCreateSprite(IDirect3DDevice9* device, ID3DXSprite** sprite) {
    if (sprite == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *sprite = nullptr;
    if (device == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *sprite = new (std::nothrow) SdlSprite(static_cast<SdlDevice9*>(device));
    return *sprite != nullptr ? D3D_OK : E_OUTOFMEMORY;
}
