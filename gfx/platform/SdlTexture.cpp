// SdlTexture: the Direct3D 9 texture stand-in, and D3DX's texture loading from pictures in memory.
#include "SdlTexture.h"

#include "SdlDevice9.h"

#include <d3dx9.h>

#include <SDL_image.h>

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

ULONG SdlTexture::AddRef() {
    return ++refs;
}

ULONG SdlTexture::Release() {
    const ULONG left = --refs;
    if (left == 0) {
        SdlDevice9* owner = device;
        owner->unbind(this);
        owner->destroyTexture(owner->getPictures().release(picture));
        delete this;
        owner->Release();
    }
    return left;
}

// Decodes the file into a new picture of the cache: scaled, colour-keyed and with the alpha the
// format asks for, uploaded to the renderer. Null (with hr set) on failure.
static PictureCache::Picture* decodePicture(SdlDevice9* device, const void* srcdata,
                                            UINT srcdatasize, const PictureCache::Options& options,
                                            HRESULT& hr) {
    D3DXIMAGE_FILEFORMAT fileFormat = D3DXIFF_PNG;
    SDL_Surface* argb = decode(srcdata, srcdatasize, fileFormat);
    if (argb == nullptr) {
        hr = D3DXERR_INVALIDDATA;
        return nullptr;
    }
    auto picture = std::make_unique<PictureCache::Picture>();
    SDL_LockSurface(argb);
    const bool ownAlpha = !isOpaqueSurface(argb);
    SDL_UnlockSurface(argb);
    picture->info = D3DXIMAGE_INFO{static_cast<UINT>(argb->w),
                                   static_cast<UINT>(argb->h),
                                   1,
                                   1,
                                   ownAlpha ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8,
                                   D3DRTYPE_TEXTURE,
                                   fileFormat};
    argb = resize(argb, sizeOr(options.width, argb->w), sizeOr(options.height, argb->h));
    if (argb == nullptr) {
        hr = E_OUTOFMEMORY;
        return nullptr;
    }
    SDL_LockSurface(argb);
    adjustPixels(argb, options.colorKey, options.format == D3DFMT_X8R8G8B8);
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
        srcdatasize > static_cast<UINT>(SDL_MAX_SINT32)) {
        return D3DERR_INVALIDCALL;
    }
    auto* owner = static_cast<SdlDevice9*>(device);
    const PictureCache::Options options{width, height, format, colorkey};
    PictureCache::Picture* picture = owner->getPictures().find(srcdata, srcdatasize, options);
    HRESULT hr = D3D_OK;
    if (picture == nullptr) {
        picture = decodePicture(owner, srcdata, srcdatasize, options, hr);
    }
    if (picture == nullptr) {
        return hr;
    }
    if (srcinfo != nullptr) {
        *srcinfo = picture->info;
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
        D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0, nullptr, nullptr, texture);
}
