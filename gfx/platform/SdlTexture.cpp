// SdlTexture: the Direct3D 9 texture stand-in, and D3DX's texture loading from pictures in memory.
#include "SdlTexture.h"

#include "PngPicture.h"
#include "SdlDevice9.h"

#include <d3dx9.h>

#include <memory>
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

// The requested size, or the picture's own for 0 and D3DX_DEFAULT.
int sizeOr(UINT requested, int own) {
    return requested == 0 || requested == D3DX_DEFAULT ? own : static_cast<int>(requested);
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

SdlTexture* SdlTexture::create(SdlDevice9* device, PictureCache::Picture* picture) {
    auto* texture = new (std::nothrow) SdlTexture(device, picture);
    if (texture == nullptr) {
        device->destroyTexture(device->getPictures().release(picture));
    }
    return texture;
}

SdlTexture::SdlTexture(SdlDevice9* device, PictureCache::Picture* picture)
    : device(device), picture(picture) {
    device->AddRef();
}

SdlTexture::~SdlTexture() {
    device->unbind(this);
    device->destroyTexture(device->getPictures().release(picture));
    device->Release();
}

// Decodes the file into a new picture of the cache, scaled and uploaded to the renderer. Null
// (with hr set) on failure.
static PictureCache::Picture* decodePicture(SdlDevice9* device, const void* srcdata,
                                            UINT srcdatasize, const PictureCache::Options& options,
                                            HRESULT& hr) {
    SDL_Surface* argb = decodePng(srcdata, srcdatasize);
    if (argb == nullptr) {
        hr = D3DXERR_INVALIDDATA;
        return nullptr;
    }
    auto picture = std::make_unique<PictureCache::Picture>();
    argb = resize(argb, sizeOr(options.width, argb->w), sizeOr(options.height, argb->h));
    if (argb == nullptr) {
        hr = E_OUTOFMEMORY;
        return nullptr;
    }
    SDL_LockSurface(argb);
    picture->opaque = isOpaqueSurface(argb);
    picture->topLeft = *static_cast<const Uint32*>(argb->pixels);
    SDL_UnlockSurface(argb);
    picture->width = argb->w;
    picture->height = argb->h;
    picture->texture = device->createTexture(argb);
    SDL_FreeSurface(argb);
    if (picture->texture == nullptr) {
        hr = D3DERR_NOTAVAILABLE;
        return nullptr;
    }
    const auto* bytes = static_cast<const std::uint8_t*>(srcdata);
    picture->source.assign(bytes, bytes + srcdatasize);
    picture->options = options;
    return device->getPictures().add(std::move(picture));
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
        srcdatasize > static_cast<UINT>(SDL_MAX_SINT32) || format != D3DFMT_UNKNOWN ||
        colorkey != 0 || srcinfo != nullptr) {
        return D3DERR_INVALIDCALL;
    }
    auto* owner = static_cast<SdlDevice9*>(device);
    const PictureCache::Options options{width, height};
    PictureCache::Picture* picture = owner->getPictures().find(srcdata, srcdatasize, options);
    HRESULT hr = D3D_OK;
    if (picture == nullptr) {
        picture = decodePicture(owner, srcdata, srcdatasize, options, hr);
    }
    if (picture == nullptr) {
        return hr;
    }
    SdlTexture* made = SdlTexture::create(owner, picture);
    if (made == nullptr) {
        return E_OUTOFMEMORY;
    }
    *texture = made;
    return D3D_OK;
}

HRESULT WINAPI D3DXCreateTextureFromFileInMemory(IDirect3DDevice9* device, const void* srcdata,
                                                 UINT srcdatasize, IDirect3DTexture9** texture) {
    return D3DXCreateTextureFromFileInMemoryEx(
        device, srcdata, srcdatasize, D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, 0, D3DFMT_UNKNOWN,
        D3DPOOL_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, 0, nullptr, nullptr, texture);
}
