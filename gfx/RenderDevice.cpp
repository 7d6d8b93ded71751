// RenderDevice: creates the Direct3D object and the device on the game's window, sets the fixed
// render states, and brackets every frame.
#include "gfx/RenderDevice.h"

#include "app/Globals.h"
#include "app/platform/GameWindow.h"

#ifdef _WIN32
#include "app/platform/PictureArea.h"
#endif

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

// The one device everything is drawn through, and the current render device.
IDirect3DDevice9* device = nullptr;
RenderDevice* instance = nullptr;

} // namespace

RenderDevice::RenderDevice() : direct3d(nullptr) {
    instance = this;
    device = nullptr;
}

// Releases only what exists, so a failed or skipped init is safe.
RenderDevice::~RenderDevice() {
    if (direct3d != nullptr) {
        direct3d->Release();
        direct3d = nullptr;
    }
    if (device != nullptr) {
        device->Release();
        device = nullptr;
    }
    if (instance == this) {
        instance = nullptr;
    }
}

bool RenderDevice::init() {
    direct3d = Direct3DCreate9(D3D_SDK_VERSION);
    if (direct3d == nullptr) {
        return false;
    }
    // A windowed back buffer of the picture's size, whatever the window's (the presentation
    // scales it to the window), no depth buffer, vsync presentation.
    D3DPRESENT_PARAMETERS params;
    std::memset(&params, 0, sizeof(params));
    params.Windowed = TRUE;
    params.BackBufferWidth = getScreenWidth();
    params.BackBufferHeight = getScreenHeight();
#ifdef _WIN32
    // Copied rather than discarded, so that a present may fill a part of the window only.
    params.SwapEffect = D3DSWAPEFFECT_COPY;
#else
    params.SwapEffect = D3DSWAPEFFECT_DISCARD;
#endif
    params.BackBufferFormat = D3DFMT_X8R8G8B8;
    // The window just made is the active one, unless the player made another program's window
    // active meanwhile: then GetActiveWindow answers null, and the game's own window is taken.
    window = GetActiveWindow();
    if (window == nullptr) {
        window = gameWindowHandle();
    }
    if (FAILED(direct3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window,
                                      D3DCREATE_HARDWARE_VERTEXPROCESSING, &params, &device))) {
        device = nullptr;
        return false;
    }
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device->SetRenderState(D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_COLOR1);
    std::printf("DirectX initialized!\n");
    return true;
}

// Without a device (init failed) a frame does nothing.
void RenderDevice::beginFrame() {
    if (device == nullptr) {
        return;
    }
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFFFFFFFF, 1.0f, 0);
    device->BeginScene();
}

HRESULT RenderDevice::endFrame() {
    if (device == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    device->EndScene();
#ifdef _WIN32
    // The picture keeps its shape in a window of another shape (see PictureArea.h).
    RECT area;
    if (fitPictureArea(window, getScreenWidth(), getScreenHeight(), area)) {
        return device->Present(nullptr, &area, nullptr, nullptr);
    }
#endif
    return device->Present(nullptr, nullptr, nullptr, nullptr);
}

IDirect3DDevice9* RenderDevice::getDevice() {
    return device;
}

RenderDevice* RenderDevice::getInstance() {
    return instance;
}
