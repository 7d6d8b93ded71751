// SdlDevice9: the Direct3D 9 device stand-in: render states, bindings, clears, triangle fans and
// presents handed on to the fixed-function rules, the frame cache and the pacing.
#include "SdlDevice9.h"

#include "SdlTexture.h"
#include "SdlVertexBuffer.h"

#include <new>

namespace {

// The two vertex formats drawn: coloured quads (the scoreboard's panel) and coloured, textured
// ones (backgrounds), pre-transformed.
constexpr DWORD kColouredFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE;
constexpr DWORD kTexturedFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;

} // namespace

SdlDevice9* SdlDevice9::firstDevice = nullptr;

SdlDevice9* SdlDevice9::create(IDirect3D9* direct3d, SDL_Window* window, int width, int height,
                               HRESULT& hr) {
    std::unique_ptr<DrawBackend> backend =
        DrawBackend::create(window, PresentPacing::getPresentWait(), width, height);
    if (backend == nullptr) {
        hr = D3DERR_NOTAVAILABLE;
        return nullptr;
    }
    auto* device = new (std::nothrow) SdlDevice9(direct3d, std::move(backend), window);
    hr = device != nullptr ? D3D_OK : E_OUTOFMEMORY;
    if (device != nullptr) {
        device->bufferWidth = width;
        device->bufferHeight = height;
    }
    return device;
}

SdlDevice9::SdlDevice9(IDirect3D9* direct3d, std::unique_ptr<DrawBackend> drawBackend,
                       SDL_Window* window)
    : direct3d(direct3d), backend(std::move(drawBackend)), frames(*backend), pacing(window) {
    direct3d->AddRef();
    nextDevice = firstDevice;
    firstDevice = this;
}

SdlDevice9::~SdlDevice9() {
    for (SdlDevice9** link = &firstDevice; *link != nullptr; link = &(*link)->nextDevice) {
        if (*link == this) {
            *link = nextDevice;
            break;
        }
    }
    backend.reset();
    direct3d->Release();
}

void SdlDevice9::setPresentWait(bool on) {
    PresentPacing::setPresentWait(on);
    for (SdlDevice9* device = firstDevice; device != nullptr; device = device->nextDevice) {
        device->backend->setVsync(on);
        device->pacing.restart();
    }
}

void SdlDevice9::setFrameSkip(bool on) {
    FrameCache::setEnabled(on);
    for (SdlDevice9* device = firstDevice; device != nullptr; device = device->nextDevice) {
        device->frames.forget();
    }
}

HRESULT SdlDevice9::TestCooperativeLevel() {
    return backend->isLive() ? D3D_OK : D3DERR_DEVICELOST;
}

HRESULT SdlDevice9::Reset(D3DPRESENT_PARAMETERS* params) {
    if (params == nullptr || params->hDeviceWindow != nullptr || !params->Windowed ||
        params->EnableAutoDepthStencil || params->MultiSampleType != D3DMULTISAMPLE_NONE ||
        params->BackBufferFormat != D3DFMT_X8R8G8B8 ||
        params->PresentationInterval != D3DPRESENT_INTERVAL_DEFAULT) {
        return D3DERR_INVALIDCALL;
    }
    const bool ownSize = params->BackBufferWidth == static_cast<UINT>(bufferWidth) &&
                         params->BackBufferHeight == static_cast<UINT>(bufferHeight);
    if (!ownSize && (params->BackBufferWidth != 0 || params->BackBufferHeight != 0)) {
        return D3DERR_INVALIDCALL;
    }
    if (!backend->isLive()) {
        return D3DERR_DEVICELOST;
    }
    pipeline = FixedFunction();
    inScene = false;
    texture = nullptr;
    stream = nullptr;
    streamOffset = 0;
    streamStride = 0;
    fvf = 0;
    frames.forget();
    params->BackBufferWidth = static_cast<UINT>(bufferWidth);
    params->BackBufferHeight = static_cast<UINT>(bufferHeight);
    if (params->BackBufferCount == 0) {
        params->BackBufferCount = 1;
    }
    return D3D_OK;
}

// A discarding swap chain presents the whole back buffer to its own window only. A skipped
// frame is paced like any other: one turn of the game stays one refresh period.
HRESULT SdlDevice9::Present(const RECT* src_rect, const RECT* dst_rect, HWND dst_window_override,
                            const RGNDATA* dirty_region) {
    if (src_rect != nullptr || dst_rect != nullptr || dst_window_override != nullptr ||
        dirty_region != nullptr) {
        return D3DERR_INVALIDCALL;
    }
    if (!backend->isLive()) {
        return D3DERR_DEVICELOST;
    }
    frames.present();
    pacing.afterPresent();
    return D3D_OK;
}

HRESULT SdlDevice9::CreateVertexBuffer(UINT Length, DWORD /*Usage*/, DWORD /*FVF*/,
                                       D3DPOOL /*Pool*/, IDirect3DVertexBuffer9** ppVertexBuffer,
                                       HANDLE* pSharedHandle) {
    if (ppVertexBuffer == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *ppVertexBuffer = nullptr;
    if (Length == 0 || pSharedHandle != nullptr) {
        return D3DERR_INVALIDCALL;
    }
    try {
        *ppVertexBuffer = new SdlVertexBuffer(this, Length);
    } catch (const std::bad_alloc&) {
        return D3DERR_OUTOFVIDEOMEMORY;
    }
    return D3D_OK;
}

HRESULT SdlDevice9::BeginScene() {
    if (inScene) {
        return D3DERR_INVALIDCALL;
    }
    inScene = true;
    return D3D_OK;
}

HRESULT SdlDevice9::EndScene() {
    if (!inScene) {
        return D3DERR_INVALIDCALL;
    }
    inScene = false;
    return D3D_OK;
}

// The whole render target, to an opaque colour: there is no depth or stencil buffer.
HRESULT SdlDevice9::Clear(DWORD rect_count, const D3DRECT* rects, DWORD flags, D3DCOLOR color,
                          float /*z*/, DWORD /*stencil*/) {
    if (rect_count != 0 || rects != nullptr || flags != D3DCLEAR_TARGET) {
        return D3DERR_INVALIDCALL;
    }
    return frames.clear(color) ? D3D_OK : D3DERR_DEVICELOST;
}

HRESULT SdlDevice9::SetRenderState(D3DRENDERSTATETYPE State, DWORD Value) {
    switch (State) {
    // The device never culls: the game turns culling off before it draws anything.
    case D3DRS_CULLMODE:
        return Value == D3DCULL_NONE ? D3D_OK : D3DERR_INVALIDCALL;
    case D3DRS_ALPHABLENDENABLE:
    case D3DRS_SRCBLEND:
    case D3DRS_DESTBLEND:
        return pipeline.setBlendState(State, Value);
    // Pre-transformed vertices are never lit, so lighting and its colour source change nothing.
    case D3DRS_LIGHTING:
    case D3DRS_DIFFUSEMATERIALSOURCE:
        return D3D_OK;
    default:
        return D3DERR_INVALIDCALL;
    }
}

HRESULT SdlDevice9::SetTexture(DWORD Stage, IDirect3DBaseTexture9* pTexture) {
    if (Stage != 0) {
        return D3DERR_INVALIDCALL;
    }
    texture = pTexture;
    return D3D_OK;
}

HRESULT SdlDevice9::SetStreamSource(UINT StreamNumber, IDirect3DVertexBuffer9* pStreamData,
                                    UINT OffsetInBytes, UINT Stride) {
    if (StreamNumber != 0) {
        return D3DERR_INVALIDCALL;
    }
    stream = pStreamData;
    streamOffset = OffsetInBytes;
    streamStride = Stride;
    return D3D_OK;
}

HRESULT SdlDevice9::SetFVF(DWORD FVF) {
    fvf = FVF;
    return D3D_OK;
}

void SdlDevice9::unbind(const void* resource) {
    if (texture != nullptr && static_cast<const void*>(texture) == resource) {
        texture = nullptr;
    }
    if (stream != nullptr && static_cast<const void*>(stream) == resource) {
        stream = nullptr;
    }
}

HRESULT SdlDevice9::DrawPrimitive(D3DPRIMITIVETYPE PrimitiveType, UINT StartVertex,
                                  UINT PrimitiveCount) {
    if (!inScene || PrimitiveType != D3DPT_TRIANGLEFAN || stream == nullptr ||
        (fvf != kColouredFvf && fvf != kTexturedFvf)) {
        return D3DERR_INVALIDCALL;
    }
    const UINT size = fvf == kTexturedFvf ? 28 : 20;
    const auto* buffer = static_cast<SdlVertexBuffer*>(stream);
    const std::uint64_t begin =
        streamOffset + static_cast<std::uint64_t>(StartVertex) * streamStride;
    const std::uint64_t length = (static_cast<std::uint64_t>(PrimitiveCount) + 2) * streamStride;
    if (streamStride < size || begin + length > buffer->getLength()) {
        return D3DERR_INVALIDCALL;
    }
    if (PrimitiveCount == 0) {
        return D3D_OK;
    }
    if (!backend->isLive()) {
        return D3DERR_DEVICELOST;
    }
    const auto* bound = static_cast<const SdlTexture*>(static_cast<IDirect3DTexture9*>(texture));
    pipeline.drawFan(frames, buffer->getData() + begin, streamStride, fvf == kTexturedFvf, bound,
                     PrimitiveCount);
    return D3D_OK;
}

bool SdlDevice9::updateTexture(SDL_Texture* made, const void* pixels, int pitch) {
    if (made == nullptr || !backend->isLive()) {
        return false;
    }
    frames.beforeTextureChange(made);
    return backend->updateTexture(made, pixels, pitch);
}

void SdlDevice9::destroyTexture(SDL_Texture* made) {
    if (made != nullptr) {
        frames.beforeTextureChange(made);
        backend->destroyTexture(made);
    }
}

// The back buffer has no alpha channel (X8R8G8B8).
bool SdlDevice9::readBackBuffer(std::vector<std::uint32_t>& pixels, int& width, int& height) {
    if (!backend->isLive()) {
        return false;
    }
    frames.flush();
    if (!backend->readBack(pixels, width, height)) {
        return false;
    }
    for (std::uint32_t& p : pixels) {
        p |= 0xFF000000u;
    }
    return true;
}
