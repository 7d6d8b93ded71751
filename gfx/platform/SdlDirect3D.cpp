// SdlDirect3D: the Direct3D 9 object stand-in, and Direct3DCreate9.
#include "SdlDirect3D.h"

#include "SdlDevice9.h"

#include <SDL.h>

#include <new>

// Supported: the default adapter, a HAL device, hardware vertex processing, a windowed
// X8R8G8B8 back buffer of the window's client size (asked for as 0 x 0) or of a given size
// (presented scaled to the window), no multisampling, no depth buffer, the default presentation
// interval (Present waits for the refresh). The size is written back into the parameters, as
// Direct3D does.
HRESULT SdlDirect3D::CreateDevice(UINT Adapter, D3DDEVTYPE DeviceType, HWND hFocusWindow,
                                  DWORD BehaviorFlags, D3DPRESENT_PARAMETERS* params,
                                  IDirect3DDevice9** ppReturnedDeviceInterface) {
    if (ppReturnedDeviceInterface == nullptr || params == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *ppReturnedDeviceInterface = nullptr;
    HWND handle = params->hDeviceWindow != nullptr ? params->hDeviceWindow : hFocusWindow;
    auto* window = reinterpret_cast<SDL_Window*>(handle);
    if (Adapter != D3DADAPTER_DEFAULT || window == nullptr || SDL_GetWindowID(window) == 0 ||
        BehaviorFlags != D3DCREATE_HARDWARE_VERTEXPROCESSING ||
        params->PresentationInterval != D3DPRESENT_INTERVAL_DEFAULT) {
        return D3DERR_INVALIDCALL;
    }
    if (DeviceType != D3DDEVTYPE_HAL || !params->Windowed || params->EnableAutoDepthStencil ||
        params->MultiSampleType != D3DMULTISAMPLE_NONE ||
        params->BackBufferFormat != D3DFMT_X8R8G8B8 ||
        (params->BackBufferWidth == 0) != (params->BackBufferHeight == 0) ||
        params->BackBufferWidth > 16384 || params->BackBufferHeight > 16384) {
        return D3DERR_NOTAVAILABLE;
    }
    int width = static_cast<int>(params->BackBufferWidth);
    int height = static_cast<int>(params->BackBufferHeight);
    if (width == 0) {
        SDL_GetWindowSizeInPixels(window, &width, &height);
    }
    HRESULT hr = D3D_OK;
    SdlDevice9* device = SdlDevice9::create(this, window, width, height, hr);
    if (device == nullptr) {
        return hr;
    }
    params->BackBufferWidth = static_cast<UINT>(width);
    params->BackBufferHeight = static_cast<UINT>(height);
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
