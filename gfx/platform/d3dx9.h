// Stand-in for <d3dx9.h>: the D3DX 9 vectors, matrices, texture loading, sprites, lines and fonts
// the game uses, declared as the real header declares them, implemented over SDL's renderer.
#pragma once

#include <d3d9.h>

#define D3DX_DEFAULT ((UINT)-1)

#define D3DXSPRITE_ALPHABLEND 0x00000010

#define D3DXERR_INVALIDDATA static_cast<HRESULT>(0x88760B59)

// Types only named by arguments the game passes as null: a palette, a file's description, a
// sprite's centre and position.
struct PALETTEENTRY;
struct D3DXIMAGE_INFO;
struct D3DXVECTOR3;

struct D3DXVECTOR2 {
    D3DXVECTOR2() = default;
    D3DXVECTOR2(FLOAT fx, FLOAT fy) : x(fx), y(fy) {}
    FLOAT x, y;
};

struct D3DXMATRIX : public D3DMATRIX {
    D3DXMATRIX() = default;
};

// Draws textures, or rectangles of them, in screen pixels under a 2-D transform.
struct ID3DXSprite : public IUnknown {
    virtual HRESULT SetTransform(const D3DXMATRIX* transform) = 0;
    virtual HRESULT Begin(DWORD flags) = 0;
    virtual HRESULT Draw(IDirect3DTexture9* texture, const RECT* rect, const D3DXVECTOR3* center,
                         const D3DXVECTOR3* position, D3DCOLOR color) = 0;
    virtual HRESULT End() = 0;
    virtual HRESULT OnLostDevice() = 0;
    virtual HRESULT OnResetDevice() = 0;

  protected:
    ~ID3DXSprite() = default;
};

// Draws text with one face, height and weight.
struct ID3DXFont : public IUnknown {
    virtual INT DrawTextW(ID3DXSprite* sprite, const WCHAR* string, INT count, RECT* rect,
                          DWORD format, D3DCOLOR color) = 0;
    virtual HRESULT OnLostDevice() = 0;
    virtual HRESULT OnResetDevice() = 0;

  protected:
    ~ID3DXFont() = default;
};

// Draws connected segments of one width.
struct ID3DXLine : public IUnknown {
    virtual HRESULT Draw(const D3DXVECTOR2* vertexlist, DWORD vertexlistcount, D3DCOLOR color) = 0;
    virtual HRESULT SetPattern(DWORD pattern) = 0;
    virtual HRESULT SetWidth(FLOAT width) = 0;
    virtual FLOAT GetWidth() = 0;
    virtual HRESULT OnLostDevice() = 0;
    virtual HRESULT OnResetDevice() = 0;

  protected:
    ~ID3DXLine() = default;
};

// The matrix of a rotation about a centre (radians) and a translation; null pointers leave out
// their part. Returns pout; null for a scaling (scaling centre, rotation or factors given).
D3DXMATRIX* WINAPI D3DXMatrixTransformation2D(D3DXMATRIX* pout, const D3DXVECTOR2* pscalingcenter,
                                              FLOAT scalingrotation, const D3DXVECTOR2* pscaling,
                                              const D3DXVECTOR2* protationcenter, FLOAT rotation,
                                              const D3DXVECTOR2* ptranslation);

// Decodes a PNG held in memory into a texture of width x height (D3DX_DEFAULT or 0: the
// picture's own size, never rounded to a power of two), scaling the picture to it, with the
// file's own format (D3DFMT_UNKNOWN), no colour key (0) and no description (srcinfo null);
// palette is never written. D3DXERR_INVALIDDATA for bytes that are no PNG.
HRESULT WINAPI D3DXCreateTextureFromFileInMemoryEx(
    IDirect3DDevice9* device, const void* srcdata, UINT srcdatasize, UINT width, UINT height,
    UINT miplevels, DWORD usage, D3DFORMAT format, D3DPOOL pool, DWORD filter, DWORD mipfilter,
    D3DCOLOR colorkey, D3DXIMAGE_INFO* srcinfo, PALETTEENTRY* palette, IDirect3DTexture9** texture);
// As the Ex form with every option at its default.
HRESULT WINAPI D3DXCreateTextureFromFileInMemory(IDirect3DDevice9* device, const void* srcdata,
                                                 UINT srcdatasize, IDirect3DTexture9** texture);

HRESULT WINAPI D3DXCreateSprite(IDirect3DDevice9* device, ID3DXSprite** sprite);
HRESULT WINAPI D3DXCreateLine(IDirect3DDevice9* device, ID3DXLine** line);

// Creates a font of a face name (Windows-1250 bytes) and a character cell height in pixels
// (positive).
HRESULT WINAPI D3DXCreateFontA(IDirect3DDevice9* device, INT height, UINT width, UINT weight,
                               UINT miplevels, BOOL italic, DWORD charset, DWORD precision,
                               DWORD quality, DWORD pitchandfamily, const char* facename,
                               ID3DXFont** font);
