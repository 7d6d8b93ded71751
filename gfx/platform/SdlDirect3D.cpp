// SdlDirect3D: the Direct3D 9 object stand-in, and Direct3DCreate9.
#include "SdlDirect3D.h"

#include "SdlDevice9.h"

#include <SDL.h>

#include <new>

ULONG SdlDirect3D::AddRef() {
    return ++refs;
}

ULONG SdlDirect3D::Release() {
    const ULONG left = --refs;
    if (left == 0) {
        delete this;
    }
    return left;
}

// Supported: the default adapter, a HAL device, one kind of vertex processing, a windowed
// back buffer of the window's client size (0 x 0 asks for it) in X8R8G8B8 or A8R8G8B8, no
// multisampling, no depth buffer, presentation interval default, one or immediate. The chosen
// size and format are written back into the parameters, as Direct3D does.
HRESULT SdlDirect3D::CreateDevice(UINT Adapter, D3DDEVTYPE DeviceType, HWND hFocusWindow,
                                  DWORD BehaviorFlags, D3DPRESENT_PARAMETERS* params,
                                  IDirect3DDevice9** ppReturnedDeviceInterface) {
    if (ppReturnedDeviceInterface == nullptr || params == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *ppReturnedDeviceInterface = nullptr;
    const DWORD processing =
        BehaviorFlags & (D3DCREATE_SOFTWARE_VERTEXPROCESSING | D3DCREATE_HARDWARE_VERTEXPROCESSING);
    HWND handle = params->hDeviceWindow != nullptr ? params->hDeviceWindow : hFocusWindow;
    auto* window = reinterpret_cast<SDL_Window*>(handle);
    const UINT interval = params->PresentationInterval;
    if (Adapter != D3DADAPTER_DEFAULT || window == nullptr || SDL_GetWindowID(window) == 0 ||
        (processing != D3DCREATE_SOFTWARE_VERTEXPROCESSING &&
         processing != D3DCREATE_HARDWARE_VERTEXPROCESSING) ||
        (interval != D3DPRESENT_INTERVAL_DEFAULT && interval != D3DPRESENT_INTERVAL_ONE &&
         interval != D3DPRESENT_INTERVAL_IMMEDIATE)) {
        return D3DERR_INVALIDCALL;
    }
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window, &width, &height);
    const D3DFORMAT format = params->BackBufferFormat;
    if (DeviceType != D3DDEVTYPE_HAL || !params->Windowed || params->EnableAutoDepthStencil ||
        params->MultiSampleType != D3DMULTISAMPLE_NONE ||
        (format != D3DFMT_UNKNOWN && format != D3DFMT_X8R8G8B8 && format != D3DFMT_A8R8G8B8) ||
        (params->BackBufferWidth != 0 && params->BackBufferWidth != static_cast<UINT>(width)) ||
        (params->BackBufferHeight != 0 && params->BackBufferHeight != static_cast<UINT>(height))) {
        return D3DERR_NOTAVAILABLE;
    }
    HRESULT hr = D3D_OK;
    SdlDevice9* device =
        SdlDevice9::create(this, window, interval != D3DPRESENT_INTERVAL_IMMEDIATE, hr);
    if (device == nullptr) {
        return hr;
    }
    params->BackBufferWidth = static_cast<UINT>(width);
    params->BackBufferHeight = static_cast<UINT>(height);
    if (format == D3DFMT_UNKNOWN) {
        params->BackBufferFormat = D3DFMT_X8R8G8B8;
    }
    if (params->BackBufferCount == 0) {
        params->BackBufferCount = 1;
    }
    *ppReturnedDeviceInterface = device;
    return D3D_OK;
}

IDirect3D9* WINAPI Direct3DCreate9(UINT sdk_version) {
    if (sdk_version != D3D_SDK_VERSION || SDL_WasInit(SDL_INIT_VIDEO) == 0) {
        return nullptr;
    }
    return new (std::nothrow) SdlDirect3D();
}
