// SdlDevice9: the Direct3D 9 device stand-in, one SDL renderer on one window, with the render
// states, bound texture and vertex stream that pre-transformed triangle fans are drawn with.
// A frame that begins with a full clear is recorded and run on the renderer when it is read or
// presented; one identical to the frame on screen is neither rasterised nor presented again,
// and one that differs in a few calls is drawn again only where they reach.
#pragma once

#include "FrameRecord.h"
#include "PictureCache.h"

#include <d3d9.h>

#include <SDL.h>
#include <SDL_render.h>

#include <atomic>
#include <cstdint>
#include <vector>

class SdlTexture;

class SdlDevice9 final : public IDirect3DDevice9 {
  public:
    // Makes a device with its renderer on window (see RendererChoice: accelerated where there
    // is graphics hardware, else software; SDL_RENDER_DRIVER is honoured). paced: Present waits for
    // the refresh. Null with hr set when no renderer can be made. The device holds a reference on
    // direct3d.
    static SdlDevice9* create(IDirect3D9* direct3d, SDL_Window* window, bool paced, HRESULT& hr);

    ULONG AddRef() override;
    ULONG Release() override;
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
    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE primitive_type, UINT primitive_count, const void* data,
                            UINT stride) override;
    HRESULT SetFVF(DWORD FVF) override;
    HRESULT SetStreamSource(UINT StreamNumber, IDirect3DVertexBuffer9* pStreamData,
                            UINT OffsetInBytes, UINT Stride) override;

    // True while the device's window exists, so that SDL may draw with its renderer.
    bool isLive() const;
    // The renderer, or null once the window is gone.
    SDL_Renderer* getRenderer() const { return isLive() ? renderer : nullptr; }
    // A point-sampled texture of the surface; null when it cannot be made.
    SDL_Texture* createTexture(SDL_Surface* surface);
    // Replaces every texel of a texture of this device with ARGB8888 rows of pitch bytes.
    bool updateTexture(SDL_Texture* texture, const void* pixels, int pitch);
    // Frees a texture of this device's renderer when SDL still allows it (see the .cpp).
    void destroyTexture(SDL_Texture* texture);
    // Copies src (null: all) of texture onto dst, modulated by colour, with the blend mode.
    // Drawing calls are recorded or run; they are false only when nothing can be drawn.
    bool copy(SDL_Texture* texture, const SDL_Rect* src, const SDL_Rect& dst, D3DCOLOR colour,
              SDL_BlendMode mode, SDL_RendererFlip flip = SDL_FLIP_NONE);
    // Draws indexed triangles, textured when texture is not null.
    bool drawTriangles(SDL_Texture* texture, const std::vector<SDL_Vertex>& vertices,
                       const std::vector<int>& indices, SDL_BlendMode mode);
    // Fills a rectangle with a colour under the blend mode.
    bool fill(const SDL_Rect& rect, D3DCOLOR colour, SDL_BlendMode mode);
    // The pictures the device's textures were decoded into.
    PictureCache& getPictures() { return pictures; }
    // Drops the bindings of a texture or vertex buffer that is being freed.
    void unbind(const void* resource);
    // The back buffer as opaque ARGB rows.
    bool readBackBuffer(std::vector<std::uint32_t>& pixels, int& width, int& height);

    // Present pacing for every device (on by default).
    static void setPresentWait(bool on);
    static bool getPresentWait() { return presentWait; }
    // Skipping of frames identical to the one on screen, for every device (on by default).
    static void setFrameSkip(bool on);
    static bool getFrameSkip() { return frameSkip; }
    // Frames whose drawing ran on the renderer, and frames presented, since the device was made.
    std::uint64_t getRasterisedFrames() const { return rasterisedFrames; }
    std::uint64_t getPresentedFrames() const { return presentedFrames; }
    // Frames drawn only where they differ from the frame on screen.
    std::uint64_t getPartialFrames() const { return partialFrames; }

  private:
    struct Vertex {
        float x, y;
        D3DCOLOR colour;
        float u, v;
    };

    SdlDevice9(IDirect3D9* direct3d, SDL_Window* window, SDL_Renderer* renderer, bool paced);
    ~SdlDevice9();
    HRESULT drawFan(const std::uint8_t* data, UINT stride, DWORD fvf, UINT triangles);
    bool drawQuadFast(const Vertex* v, const SdlTexture* tex, SDL_BlendMode mode);
    bool culled(const Vertex& a, const Vertex& b, const Vertex& c) const;
    SDL_BlendMode stateBlendMode() const;
    void applyVsync();
    void waitForRefresh();
    void record(FrameRecord::Command command, const std::vector<SDL_Vertex>* vertices = nullptr,
                const std::vector<int>* indices = nullptr);
    void flush();
    void flushIfUsed(const SDL_Texture* texture);
    bool redraw(const std::vector<SDL_Rect>& areas);
    bool isScaledCopy(const FrameRecord::Command& command) const;
    void run(const FrameRecord& from, std::size_t index);
    void forgetShown();
    void noteWindowChanges();
    static int SDLCALL watchWindow(void* device, SDL_Event* event);

    static bool presentWait;
    static bool frameSkip;
    static std::uint64_t lastTextureVersion;
    // Every device, for setPresentWait (a plain list, safe at any point of process exit).
    static SdlDevice9* firstDevice;
    SdlDevice9* nextDevice = nullptr;

    ULONG refs = 1;
    IDirect3D9* direct3d;
    SDL_Window* window;
    std::uint32_t windowId;
    SDL_Renderer* renderer;
    bool software = false;
    bool paced;
    bool inScene = false;
    std::uint64_t lastPresent = 0;
    std::uint64_t refreshPeriod = 0; // in performance counter ticks
    DWORD cullMode = D3DCULL_CCW;
    DWORD alphaBlend = FALSE;
    DWORD srcBlend = D3DBLEND_ONE;
    DWORD destBlend = D3DBLEND_ZERO;
    DWORD lighting = TRUE;
    DWORD diffuseSource = D3DMCS_COLOR1;
    IDirect3DBaseTexture9* texture = nullptr;
    IDirect3DVertexBuffer9* stream = nullptr;
    UINT streamOffset = 0;
    UINT streamStride = 0;
    DWORD fvf = 0;

    PictureCache pictures;
    FrameRecord frame;            // this frame's calls, from its full clear on
    FrameRecord shown;            // the calls of the frame on screen
    bool deferring = false;       // this frame is being recorded (it began with a full clear)
    bool shownValid = false;      // `shown` is what the screen shows
    bool backBufferShown = false; // the back buffer holds `shown` (while nothing of frame ran)
    bool ranThisFrame = false;    // some drawing of this frame ran on the renderer
    std::size_t done = 0;         // calls of `frame` run on the back buffer
    std::atomic<bool> windowChanged{false};
    std::uint64_t rasterisedFrames = 0;
    std::uint64_t presentedFrames = 0;
    std::uint64_t partialFrames = 0;
};
