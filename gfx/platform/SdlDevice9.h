// SdlDevice9: the Direct3D 9 device stand-in, a thin translation of the device's render states,
// bound texture and vertex stream, clears, triangle fans and presents onto the fixed-function
// rules, the frame cache over a drawing backend, and the pacing to the display's refresh.
#pragma once

#include "ComObject.h"
#include "DrawBackend.h"
#include "FixedFunction.h"
#include "FrameCache.h"
#include "PictureCache.h"
#include "PresentPacing.h"

#include <d3d9.h>

#include <cstdint>
#include <memory>
#include <vector>

class SdlDevice9 final : public ComObject<IDirect3DDevice9> {
  public:
    // Makes a device drawing into a width x height back buffer shown on window. Null with hr
    // set when no renderer can be made. The device holds a reference on direct3d.
    static SdlDevice9* create(IDirect3D9* direct3d, SDL_Window* window, int width, int height,
                              HRESULT& hr);

    // The device is lost only with its window (the game's end); it is never to be reset.
    HRESULT TestCooperativeLevel() override;
    // Takes the parameters the device accepts when it is made (see SdlDirect3D), for its own
    // window and its back buffer's size (or 0 x 0); sets every state back to Direct3D's
    // defaults, unbinds texture and stream, and draws the next frame whole. D3DERR_DEVICELOST
    // once the window is gone.
    HRESULT Reset(D3DPRESENT_PARAMETERS* pPresentationParameters) override;
    HRESULT Present(const RECT* src_rect, const RECT* dst_rect, HWND dst_window_override,
                    const RGNDATA* dirty_region) override;
    HRESULT CreateVertexBuffer(UINT Length, DWORD Usage, DWORD FVF, D3DPOOL Pool,
                               IDirect3DVertexBuffer9** ppVertexBuffer,
                               HANDLE* pSharedHandle) override;
    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT Clear(DWORD rect_count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
                  DWORD stencil) override;
    HRESULT SetRenderState(D3DRENDERSTATETYPE State, DWORD Value) override;
    HRESULT SetTexture(DWORD Stage, IDirect3DBaseTexture9* pTexture) override;
    HRESULT DrawPrimitive(D3DPRIMITIVETYPE PrimitiveType, UINT StartVertex,
                          UINT PrimitiveCount) override;
    HRESULT SetFVF(DWORD FVF) override;
    HRESULT SetStreamSource(UINT StreamNumber, IDirect3DVertexBuffer9* pStreamData,
                            UINT OffsetInBytes, UINT Stride) override;

    // What the other stand-ins draw with (see SdlDevice.h for the rules).
    DrawBackend& getBackend() { return *backend; }
    FrameCache& getFrames() { return frames; }
    // The pictures the device's textures were decoded into.
    PictureCache& getPictures() { return pictures; }
    // Textures of the backend; a texture that changes or goes is first drawn by the recorded
    // calls that use it.
    SDL_Texture* createTexture(SDL_Surface* surface) { return backend->createTexture(surface); }
    bool updateTexture(SDL_Texture* texture, const void* pixels, int pitch);
    void destroyTexture(SDL_Texture* texture);
    // Drops the bindings of a texture or vertex buffer that is being freed.
    void unbind(const void* resource);
    // The back buffer as opaque ARGB rows.
    bool readBackBuffer(std::vector<std::uint32_t>& pixels, int& width, int& height);

    // Present pacing, and frame skipping, for every device, existing or later.
    static void setPresentWait(bool on);
    static void setFrameSkip(bool on);

  private:
    SdlDevice9(IDirect3D9* direct3d, std::unique_ptr<DrawBackend> backend, SDL_Window* window);
    ~SdlDevice9() override;

    // Every device, for the switches above (a plain list, safe at any point of process exit).
    static SdlDevice9* firstDevice;
    SdlDevice9* nextDevice = nullptr;

    IDirect3D9* direct3d;
    int bufferWidth = 0; // the back buffer's size, as made
    int bufferHeight = 0;
    std::unique_ptr<DrawBackend> backend;
    FrameCache frames;
    PresentPacing pacing;
    PictureCache pictures;
    FixedFunction pipeline;
    bool inScene = false;
    IDirect3DBaseTexture9* texture = nullptr;
    IDirect3DVertexBuffer9* stream = nullptr;
    UINT streamOffset = 0;
    UINT streamStride = 0;
    DWORD fvf = 0;
};
