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
}

ULONG SdlSprite::AddRef() {
    return ++refs;
}

ULONG SdlSprite::Release() {
    const ULONG left = --refs;
    if (left == 0) {
        SdlDevice9* owner = device;
        delete this;
        owner->Release();
    }
    return left;
}

HRESULT SdlSprite::SetTransform(const D3DXMATRIX* m) {
    if (m == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    transform = *m;
    return D3D_OK;
}

// Sprites are placed in screen space; D3DXSPRITE_ALPHABLEND blends them by their alpha, without
// it they are drawn opaque.
HRESULT SdlSprite::Begin(DWORD beginFlags) {
    if (begun) {
        return D3DERR_INVALIDCALL;
    }
    flags = beginFlags;
    begun = true;
    return D3D_OK;
}

// Adds the rectangle (null: the whole texture) of the texture, its centre point (null: its
// top-left) placed at position (null: the origin), to be drawn at End.
HRESULT SdlSprite::Draw(IDirect3DTexture9* texture, const RECT* rect, const D3DXVECTOR3* center,
                        const D3DXVECTOR3* position, D3DCOLOR color) {
    if (!begun || texture == nullptr) {
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
    const float x = (position ? position->x : 0.0f) - (center ? center->x : 0.0f);
    const float y = (position ? position->y : 0.0f) - (center ? center->y : 0.0f);
    try {
        items.push_back(Item{tex, source, x, y, transform, color});
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    tex->AddRef();
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
    const bool blend = (flags & D3DXSPRITE_ALPHABLEND) != 0;
    const bool opaque = item.texture->isOpaque() && (item.colour >> 24) == 0xFF;
    const SDL_BlendMode mode = blend && !opaque ? SDL_BLENDMODE_BLEND : SDL_BLENDMODE_NONE;
    const D3DXMATRIX& m = item.transform;
    const float w = static_cast<float>(item.source.w);
    const float h = static_cast<float>(item.source.h);
    const SDL_FPoint topLeft = apply(m, item.x, item.y);
    if (m._12 == 0.0f && m._21 == 0.0f && m._11 > 0.0f && m._22 > 0.0f) {
        const SDL_FPoint bottomRight = apply(m, item.x + w, item.y + h);
        const int left = firstPixel(topLeft.x);
        const int top = firstPixel(topLeft.y);
        const SDL_Rect dst{left, top, firstPixel(bottomRight.x) - left,
                           firstPixel(bottomRight.y) - top};
        if (dst.w > 0 && dst.h > 0) {
            device->copy(item.texture->getTexture(), &item.source, dst, item.colour, mode);
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
                                          {apply(m, item.x + w, item.y), colour, {u1, v0}},
                                          {apply(m, item.x + w, item.y + h), colour, {u1, v1}},
                                          {apply(m, item.x, item.y + h), colour, {u0, v1}}};
    device->drawTriangles(item.texture->getTexture(), corners, {0, 1, 2, 0, 2, 3}, mode);
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
