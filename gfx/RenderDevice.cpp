// RenderDevice: creates the Direct3D object and the device on the game's window, sets the fixed
// render states, brackets every frame, and brings a lost device back as Direct3D 9 documents.
#include "gfx/RenderDevice.h"

#include "app/Globals.h"
#include "app/platform/GameWindow.h"
#include "gfx/DeviceReset.h"

#ifdef _WIN32
#include "app/platform/PictureArea.h"
#endif

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

namespace {

// The one device everything is drawn through, and the current render device.
IDirect3DDevice9* device = nullptr;
RenderDevice* instance = nullptr;

// How long a turn waits while the device stays lost (the lock screen, a UAC prompt, sleep), so
// that the loop, which no present paces then, does not spin.
constexpr std::chrono::milliseconds kLostWait{50};

} // namespace

bool RenderDevice::loseAtNextPresent = false;

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
    // scales it to the window), no depth buffer, vsync presentation; kept as asked, for a reset
    // with the same parameters.
    std::memset(&parameters, 0, sizeof(parameters));
    parameters.Windowed = TRUE;
    parameters.BackBufferWidth = getScreenWidth();
    parameters.BackBufferHeight = getScreenHeight();
#ifdef _WIN32
    // Copied rather than discarded, so that a present may fill a part of the window only.
    parameters.SwapEffect = D3DSWAPEFFECT_COPY;
#else
    parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
#endif
    parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
    D3DPRESENT_PARAMETERS params = parameters;
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
    setRenderStates();
    std::printf("DirectX initialized!\n");
    return true;
}

void RenderDevice::setRenderStates() {
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device->SetRenderState(D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_COLOR1);
}

// Without a device (init failed), or while it stays lost, a frame does nothing.
bool RenderDevice::beginFrame() {
    if (device == nullptr || (lost && !recover())) {
        return false;
    }
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFFFFFFFF, 1.0f, 0);
    device->BeginScene();
    return true;
}

HRESULT RenderDevice::endFrame() {
    if (device == nullptr || lost) {
        return D3DERR_INVALIDCALL;
    }
    device->EndScene();
    HRESULT result = D3D_OK;
#ifdef _WIN32
    // The picture keeps its shape in a window of another shape (see PictureArea.h).
    RECT area;
    if (fitPictureArea(window, getScreenWidth(), getScreenHeight(), area)) {
        result = device->Present(nullptr, &area, nullptr, nullptr);
    } else {
        result = device->Present(nullptr, nullptr, nullptr, nullptr);
    }
#else
    result = device->Present(nullptr, nullptr, nullptr, nullptr);
#endif
    if (loseAtNextPresent) {
        loseAtNextPresent = false;
        result = D3DERR_DEVICELOST;
        resetDue = true;
    }
    if (result == D3DERR_DEVICELOST) {
        lost = true;
    }
    return result;
}

// A lost device can only be reset once it says so: then everything in D3DPOOL_DEFAULT goes
// and the D3DX objects are told, the device is reset with the parameters it was made with (a
// reset sets every state back to its default, so the render states are set again), and all of
// it is made again. The rooms, the run and the score table are not touched.
bool RenderDevice::recover() {
    HRESULT state = device->TestCooperativeLevel();
    if (resetDue) {
        state = D3DERR_DEVICENOTRESET;
    }
    if (state == D3DERR_DEVICENOTRESET) {
        if (!released) {
            releaseForReset();
            released = true;
        }
        D3DPRESENT_PARAMETERS params = parameters;
        state = device->Reset(&params);
        if (SUCCEEDED(state)) {
            resetDue = false;
            released = false;
            setRenderStates();
            restoreAfterReset();
            std::printf("DirectX device reset!\n");
        }
    }
    if (FAILED(state)) {
        std::this_thread::sleep_for(kLostWait);
        return false;
    }
    lost = false;
    return true;
}

void RenderDevice::loseDeviceAtNextPresent() {
    loseAtNextPresent = true;
}

IDirect3DDevice9* RenderDevice::getDevice() {
    return device;
}

RenderDevice* RenderDevice::getInstance() {
    return instance;
}
