// Stand-in for <d3d9.h>: the Direct3D 9 types, interfaces and constants the game uses, declared as
// the real header declares them, implemented over SDL's 2-D renderer (gfx/platform/*.cpp).
#pragma once

#include <windows.h>

#include <cstdint>

// COM's reference count type (32 bits, as on Windows).
using ULONG = std::uint32_t;

using D3DCOLOR = DWORD;

#define D3DCOLOR_ARGB(a, r, g, b)                                                                  \
    ((D3DCOLOR)((((a)&0xffu) << 24) | (((r)&0xffu) << 16) | (((g)&0xffu) << 8) | ((b)&0xffu)))

#define D3D_SDK_VERSION 32
#define D3DADAPTER_DEFAULT 0

#define D3DCREATE_HARDWARE_VERTEXPROCESSING 0x00000040L

#define D3DCLEAR_TARGET 0x00000001L

#define D3DUSAGE_DYNAMIC 0x00000200L

// Flexible vertex format bits.
#define D3DFVF_XYZRHW 0x0004
#define D3DFVF_DIFFUSE 0x0040
#define D3DFVF_TEX1 0x0100

#define D3DPRESENT_INTERVAL_DEFAULT 0x00000000

// Results.
#define D3D_OK S_OK
#define D3DERR_OUTOFVIDEOMEMORY static_cast<HRESULT>(0x8876017C)
#define D3DERR_DEVICELOST static_cast<HRESULT>(0x88760868)
#define D3DERR_DEVICENOTRESET static_cast<HRESULT>(0x88760869)
#define D3DERR_NOTAVAILABLE static_cast<HRESULT>(0x8876086A)
#define D3DERR_INVALIDCALL static_cast<HRESULT>(0x8876086C)

enum D3DDEVTYPE : std::uint32_t { D3DDEVTYPE_HAL = 1 };

enum D3DFORMAT : std::uint32_t { D3DFMT_UNKNOWN = 0, D3DFMT_X8R8G8B8 = 22 };

enum D3DMULTISAMPLE_TYPE : std::uint32_t { D3DMULTISAMPLE_NONE = 0 };

enum D3DSWAPEFFECT : std::uint32_t { D3DSWAPEFFECT_DISCARD = 1 };

enum D3DPOOL : std::uint32_t { D3DPOOL_DEFAULT = 0 };

enum D3DPRIMITIVETYPE : std::uint32_t { D3DPT_TRIANGLEFAN = 6 };

enum D3DRENDERSTATETYPE : std::uint32_t {
    D3DRS_SRCBLEND = 19,
    D3DRS_DESTBLEND = 20,
    D3DRS_CULLMODE = 22,
    D3DRS_ALPHABLENDENABLE = 27,
    D3DRS_LIGHTING = 137,
    D3DRS_DIFFUSEMATERIALSOURCE = 145
};

enum D3DCULL : std::uint32_t { D3DCULL_NONE = 1 };

// Blend factors: the device's defaults (one, zero) and the game's.
enum D3DBLEND : std::uint32_t {
    D3DBLEND_ZERO = 1,
    D3DBLEND_ONE = 2,
    D3DBLEND_SRCALPHA = 5,
    D3DBLEND_INVSRCALPHA = 6
};

enum D3DMATERIALCOLORSOURCE : std::uint32_t { D3DMCS_COLOR1 = 1 };

struct D3DRECT {
    LONG x1;
    LONG y1;
    LONG x2;
    LONG y2;
};

struct D3DPRESENT_PARAMETERS {
    UINT BackBufferWidth;
    UINT BackBufferHeight;
    D3DFORMAT BackBufferFormat;
    UINT BackBufferCount;
    D3DMULTISAMPLE_TYPE MultiSampleType;
    DWORD MultiSampleQuality;
    D3DSWAPEFFECT SwapEffect;
    HWND hDeviceWindow;
    BOOL Windowed;
    BOOL EnableAutoDepthStencil;
    D3DFORMAT AutoDepthStencilFormat;
    DWORD Flags;
    UINT FullScreen_RefreshRateInHz;
    UINT PresentationInterval;
};

struct D3DMATRIX {
    union {
        struct {
            float _11, _12, _13, _14;
            float _21, _22, _23, _24;
            float _31, _32, _33, _34;
            float _41, _42, _43, _44;
        };
        float m[4][4];
    };
};

// COM base: objects count their references and free themselves when the last one goes.
struct IUnknown {
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

  protected:
    ~IUnknown() = default;
};

struct IDirect3DDevice9;

struct IDirect3DResource9 : public IUnknown {
  protected:
    ~IDirect3DResource9() = default;
};

struct IDirect3DBaseTexture9 : public IDirect3DResource9 {
  protected:
    ~IDirect3DBaseTexture9() = default;
};

// A picture the device can sample.
struct IDirect3DTexture9 : public IDirect3DBaseTexture9 {
  protected:
    ~IDirect3DTexture9() = default;
};

// Vertex memory; Lock gives a pointer into it until Unlock.
struct IDirect3DVertexBuffer9 : public IDirect3DResource9 {
    virtual HRESULT Lock(UINT OffsetToLock, UINT SizeToLock, void** ppbData, DWORD Flags) = 0;
    virtual HRESULT Unlock() = 0;

  protected:
    ~IDirect3DVertexBuffer9() = default;
};

// The rendering device of one window.
struct IDirect3DDevice9 : public IUnknown {
    virtual HRESULT TestCooperativeLevel() = 0;
    virtual HRESULT Reset(D3DPRESENT_PARAMETERS* pPresentationParameters) = 0;
    virtual HRESULT Present(const RECT* src_rect, const RECT* dst_rect, HWND dst_window_override,
                            const RGNDATA* dirty_region) = 0;
    virtual HRESULT CreateVertexBuffer(UINT Length, DWORD Usage, DWORD FVF, D3DPOOL Pool,
                                       IDirect3DVertexBuffer9** ppVertexBuffer,
                                       HANDLE* pSharedHandle) = 0;
    virtual HRESULT BeginScene() = 0;
    virtual HRESULT EndScene() = 0;
    virtual HRESULT Clear(DWORD rect_count, const D3DRECT* rects, DWORD flags, D3DCOLOR color,
                          float z, DWORD stencil) = 0;
    virtual HRESULT SetRenderState(D3DRENDERSTATETYPE State, DWORD Value) = 0;
    virtual HRESULT SetTexture(DWORD Stage, IDirect3DBaseTexture9* pTexture) = 0;
    virtual HRESULT DrawPrimitive(D3DPRIMITIVETYPE PrimitiveType, UINT StartVertex,
                                  UINT PrimitiveCount) = 0;
    virtual HRESULT SetFVF(DWORD FVF) = 0;
    virtual HRESULT SetStreamSource(UINT StreamNumber, IDirect3DVertexBuffer9* pStreamData,
                                    UINT OffsetInBytes, UINT Stride) = 0;

  protected:
    ~IDirect3DDevice9() = default;
};

// The Direct3D object: makes devices for windows.
struct IDirect3D9 : public IUnknown {
    virtual HRESULT CreateDevice(UINT Adapter, D3DDEVTYPE DeviceType, HWND hFocusWindow,
                                 DWORD BehaviorFlags,
                                 D3DPRESENT_PARAMETERS* pPresentationParameters,
                                 IDirect3DDevice9** ppReturnedDeviceInterface) = 0;

  protected:
    ~IDirect3D9() = default;
};

// Creates the Direct3D object; null when sdk_version is not D3D_SDK_VERSION or there is no
// display (SDL's video subsystem is not initialised).
IDirect3D9* WINAPI Direct3DCreate9(UINT sdk_version);
