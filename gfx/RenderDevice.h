// RenderDevice: owns the Direct3D object and the one device everything is drawn through.
#pragma once

#include <d3d9.h>

class RenderDevice {
  public:
    RenderDevice();
    ~RenderDevice();

    // Creates the Direct3D object and the device on the active window and sets the fixed
    // render states. False when either cannot be created.
    bool init();
    // Clears the back buffer to opaque white and begins the scene.
    void beginFrame();
    // Ends the scene and presents it; returns the result of the presentation.
    HRESULT endFrame();

    // The device, or null before init and after destruction.
    static IDirect3DDevice9* getDevice();
    // The render device most recently constructed.
    static RenderDevice* getInstance();

  private:
    IDirect3D9* direct3d;
    HWND window = nullptr; // the window the device presents to
};
