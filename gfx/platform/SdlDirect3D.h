// SdlDirect3D: the Direct3D 9 object stand-in, which makes devices on SDL windows.
#pragma once

#include "ComObject.h"

#include <d3d9.h>

class SdlDirect3D final : public ComObject<IDirect3D9> {
  public:
    SdlDirect3D() = default;

    // A device on the SDL window that the window handle (hDeviceWindow, else hFocusWindow)
    // stands for; see the .cpp for what is supported.
    HRESULT CreateDevice(UINT Adapter, D3DDEVTYPE DeviceType, HWND hFocusWindow,
                         DWORD BehaviorFlags, D3DPRESENT_PARAMETERS* pPresentationParameters,
                         IDirect3DDevice9** ppReturnedDeviceInterface) override;

  private:
    ~SdlDirect3D() override = default;
};
