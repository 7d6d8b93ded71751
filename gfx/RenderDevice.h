// RenderDevice: owns the Direct3D object and the one device everything is drawn through.
#pragma once

#include <d3d9.h>

class RenderDevice {
  public:
    RenderDevice();
    ~RenderDevice();

    // Creates the Direct3D object and the device on the active window (the game's own when
    // none is active) and sets the fixed render states. False when either cannot be created.
    bool init();
    // Clears the back buffer to opaque white and begins the scene; true when the frame is to be
    // drawn. After a present reported the device lost, it is reset first when it can be; while
    // it cannot, nothing is drawn (false) and the turn waits a little.
    bool beginFrame();
    // Ends the scene and presents it; returns the result of the presentation.
    HRESULT endFrame();

    // For tests: the next present reports the device lost, and the device then asks to be
    // reset, so that the whole way back runs through the real Reset.
    static void loseDeviceAtNextPresent();

    // The device, or null before init and after destruction.
    static IDirect3DDevice9* getDevice();
    // The render device most recently constructed.
    static RenderDevice* getInstance();

  private:
    void setRenderStates();
    // Resets a lost device that can be reset; true when it can draw again.
    bool recover();

    IDirect3D9* direct3d;
    HWND window = nullptr;              // the window the device presents to
    D3DPRESENT_PARAMETERS parameters{}; // as the device was made with
    bool lost = false;                  // a present reported the device lost
    bool released = false;              // the default pool was given up for a reset
    bool resetDue = false;              // the test's loss: the device is to be reset
    static bool loseAtNextPresent;
};
