// SdlTexture: the Direct3D 9 texture stand-in, and D3DX's texture loading from pictures in memory.
#include "SdlTexture.h"

#include "SdlDevice9.h"

#include <d3dx9.h>

#include <SDL_image.h>

#include <new>

namespace {

// Whether every pixel of an ARGB8888 surface has alpha 255.
bool isOpaqueSurface(SDL_Surface* argb) {
    for (int y = 0; y < argb->h; ++y) {
        const auto* row = reinterpret_cast<const Uint32*>(
            static_cast<const Uint8*>(argb->pixels) + static_cast<std::ptrdiff_t>(y) * argb->pitch);
        for (int x = 0; x < argb->w; ++x) {
            if ((row[x] >> 24) != 0xFF) {
                return false;
            }
        }
    }
    return true;
}

// Applies D3DX's colour key (pixels of that exact ARGB value become transparent black) and, for a
// format without alpha, makes every pixel opaque.
void adjustPixels(SDL_Surface* argb, D3DCOLOR colorKey, bool dropAlpha) {
    for (int y = 0; y < argb->h; ++y) {
        auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(argb->pixels) +
                                              static_cast<std::ptrdiff_t>(y) * argb->pitch);
        for (int x = 0; x < argb->w; ++x) {
            if (dropAlpha) {
                row[x] |= 0xFF000000u;
            }
            if (colorKey != 0 && row[x] == colorKey) {
                row[x] = 0;
            }
        }
    }
}

// The requested size, or the picture's own for the "default" values.
int sizeOr(UINT requested, int own) {
    if (requested == 0 || requested == D3DX_DEFAULT || requested == D3DX_DEFAULT_NONPOW2 ||
        requested == static_cast<UINT>(-3)) {
        return own;
    }
    return static_cast<int>(requested);
}

// Decodes PNG, BMP or JPEG bytes into an ARGB8888 surface; null for anything else.
SDL_Surface* decode(const void* data, UINT size, D3DXIMAGE_FILEFORMAT& format) {
    SDL_RWops* rw = SDL_RWFromConstMem(data, static_cast<int>(size));
    if (rw == nullptr) {
        return nullptr;
    }
    SDL_Surface* decoded = nullptr;
    if (IMG_isPNG(rw) || IMG_isBMP(rw) || IMG_isJPG(rw)) {
        format = IMG_isPNG(rw) ? D3DXIFF_PNG : (IMG_isBMP(rw) ? D3DXIFF_BMP : D3DXIFF_JPG);
        decoded = IMG_Load_RW(rw, 0);
    }
    SDL_RWclose(rw);
    if (decoded == nullptr) {
        return nullptr;
    }
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(decoded);
    return argb;
}

// The surface at width x height, scaled with linear filtering when its size differs.
SDL_Surface* resize(SDL_Surface* argb, int width, int height) {
    if (argb->w == width && argb->h == height) {
        return argb;
    }
    SDL_Surface* scaled =
        SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (scaled != nullptr && SDL_SoftStretchLinear(argb, nullptr, scaled, nullptr) != 0) {
        SDL_FreeSurface(scaled);
        scaled = nullptr;
    }
    SDL_FreeSurface(argb);
    return scaled;
}

} // namespace

SdlTexture* SdlTexture::create(SdlDevice9* device, SDL_Surface* argb) {
    SDL_Texture* made = device->createTexture(argb);
    if (made == nullptr) {
        return nullptr;
    }
    SDL_LockSurface(argb);
    const bool opaque = isOpaqueSurface(argb);
    const D3DCOLOR topLeft = *static_cast<const Uint32*>(argb->pixels);
    SDL_UnlockSurface(argb);
    auto* texture = new (std::nothrow) SdlTexture(device, made, argb->w, argb->h, opaque, topLeft);
    if (texture == nullptr) {
        device->destroyTexture(made);
    }
    return texture;
}

SdlTexture::SdlTexture(SdlDevice9* device, SDL_Texture* texture, int width, int height, bool opaque,
                       D3DCOLOR topLeft)
    : device(device), texture(texture), width(width), height(height), opaque(opaque),
      topLeft(topLeft) {
    device->AddRef();
}

ULONG SdlTexture::AddRef() {
    return ++refs;
}

ULONG SdlTexture::Release() {
    const ULONG left = --refs;
    if (left == 0) {
        SdlDevice9* owner = device;
        owner->unbind(this);
        owner->destroyTexture(texture);
        delete this;
        owner->Release();
    }
    return left;
}

HRESULT WINAPI D3DXCreateTextureFromFileInMemoryEx(
    IDirect3DDevice9* device, const void* srcdata, UINT srcdatasize, UINT width, UINT height,
    UINT /*miplevels*/, DWORD /*usage*/, D3DFORMAT format, D3DPOOL /*pool*/, DWORD /*filter*/,
    DWORD /*mipfilter*/, D3DCOLOR colorkey, D3DXIMAGE_INFO* srcinfo, PALETTEENTRY* /*palette*/,
    IDirect3DTexture9** texture) {
    if (texture == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *texture = nullptr;
    if (device == nullptr || srcdata == nullptr || srcdatasize == 0 ||
        srcdatasize > static_cast<UINT>(SDL_MAX_SINT32)) {
        return D3DERR_INVALIDCALL;
    }
    D3DXIMAGE_FILEFORMAT fileFormat = D3DXIFF_PNG;
    SDL_Surface* argb = decode(srcdata, srcdatasize, fileFormat);
    if (argb == nullptr) {
        return D3DXERR_INVALIDDATA;
    }
    SDL_LockSurface(argb);
    const bool ownAlpha = !isOpaqueSurface(argb);
    SDL_UnlockSurface(argb);
    if (srcinfo != nullptr) {
        *srcinfo = D3DXIMAGE_INFO{static_cast<UINT>(argb->w),
                                  static_cast<UINT>(argb->h),
                                  1,
                                  1,
                                  ownAlpha ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8,
                                  D3DRTYPE_TEXTURE,
                                  fileFormat};
    }
    argb = resize(argb, sizeOr(width, argb->w), sizeOr(height, argb->h));
    if (argb == nullptr) {
        return E_OUTOFMEMORY;
    }
    SDL_LockSurface(argb);
    adjustPixels(argb, colorkey, format == D3DFMT_X8R8G8B8);
    SDL_UnlockSurface(argb);
    SdlTexture* made = SdlTexture::create(static_cast<SdlDevice9*>(device), argb);
    SDL_FreeSurface(argb);
    if (made == nullptr) {
        return D3DERR_NOTAVAILABLE;
    }
    *texture = made;
    return D3D_OK;
}

HRESULT WINAPI D3DXCreateTextureFromFileInMemory(IDirect3DDevice9* device, const void* srcdata,
                                                 UINT srcdatasize, IDirect3DTexture9** texture) {
    return D3DXCreateTextureFromFileInMemoryEx(
        device, srcdata, srcdatasize, D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, 0, D3DFMT_UNKNOWN,
        D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0, nullptr, nullptr, texture);
}
