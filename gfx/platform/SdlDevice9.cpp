// SdlDevice9: the Direct3D 9 device stand-in over one SDL renderer.
#include "SdlDevice9.h"

#include "RendererChoice.h"
#include "SdlTexture.h"
#include "SdlVertexBuffer.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <new>
#include <thread>

namespace {

constexpr DWORD kPositionMask = 0x400E;
constexpr DWORD kTexCountMask = 0x0F00;

std::uint8_t alphaOf(D3DCOLOR c) {
    return static_cast<std::uint8_t>(c >> 24);
}
std::uint8_t redOf(D3DCOLOR c) {
    return static_cast<std::uint8_t>(c >> 16);
}
std::uint8_t greenOf(D3DCOLOR c) {
    return static_cast<std::uint8_t>(c >> 8);
}
std::uint8_t blueOf(D3DCOLOR c) {
    return static_cast<std::uint8_t>(c);
}

// a x b / 255, rounded, for 8-bit channels.
std::uint32_t modulate(std::uint32_t a, std::uint32_t b) {
    return (a * b + 127) / 255;
}

SDL_BlendFactor blendFactor(DWORD blend) {
    switch (blend) {
    case D3DBLEND_ZERO:
        return SDL_BLENDFACTOR_ZERO;
    case D3DBLEND_SRCALPHA:
        return SDL_BLENDFACTOR_SRC_ALPHA;
    case D3DBLEND_INVSRCALPHA:
        return SDL_BLENDFACTOR_ONE_MINUS_SRC_ALPHA;
    default:
        return SDL_BLENDFACTOR_ONE;
    }
}

bool isBlendFactor(DWORD value) {
    return value == D3DBLEND_ZERO || value == D3DBLEND_ONE || value == D3DBLEND_SRCALPHA ||
           value == D3DBLEND_INVSRCALPHA;
}

// The display's refresh period in performance counter ticks (60 Hz when unknown).
std::uint64_t refreshPeriodOf(SDL_Window* window) {
    SDL_DisplayMode mode{};
    int rate = 0;
    const int display = SDL_GetWindowDisplayIndex(window);
    if (display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0) {
        rate = mode.refresh_rate;
    }
    if (rate <= 0) {
        rate = 60;
    }
    return SDL_GetPerformanceFrequency() / static_cast<std::uint64_t>(rate);
}

} // namespace

bool SdlDevice9::presentWait = true;
bool SdlDevice9::frameSkip = true;
std::uint64_t SdlDevice9::lastTextureVersion = 0;
SdlDevice9* SdlDevice9::firstDevice = nullptr;

SdlDevice9* SdlDevice9::create(IDirect3D9* direct3d, SDL_Window* window, bool paced, HRESULT& hr) {
    SDL_Renderer* renderer = RendererChoice::create(window, paced && presentWait);
    if (renderer == nullptr) {
        hr = D3DERR_NOTAVAILABLE;
        return nullptr;
    }
    auto* device = new (std::nothrow) SdlDevice9(direct3d, window, renderer, paced);
    if (device == nullptr) {
        SDL_DestroyRenderer(renderer);
        hr = E_OUTOFMEMORY;
        return nullptr;
    }
    hr = D3D_OK;
    return device;
}

SdlDevice9::SdlDevice9(IDirect3D9* direct3d, SDL_Window* window, SDL_Renderer* renderer, bool paced)
    : direct3d(direct3d), window(window), windowId(SDL_GetWindowID(window)), renderer(renderer),
      paced(paced) {
    direct3d->AddRef();
    SDL_RendererInfo info{};
    software =
        SDL_GetRendererInfo(renderer, &info) == 0 &&
        ((info.flags & SDL_RENDERER_SOFTWARE) != 0 || SDL_strcmp(info.name, "software") == 0);
    refreshPeriod = refreshPeriodOf(window);
    nextDevice = firstDevice;
    firstDevice = this;
    SDL_AddEventWatch(watchWindow, this);
}

// The renderer goes with the device. A software renderer is plain memory that SDL frees at any
// time, even after the window or SDL itself are gone; an accelerated renderer's graphics library
// is unloaded with its window, so once the window is gone it is left to the end of the process.
SdlDevice9::~SdlDevice9() {
    for (SdlDevice9** link = &firstDevice; *link != nullptr; link = &(*link)->nextDevice) {
        if (*link == this) {
            *link = nextDevice;
            break;
        }
    }
    // SDL forgets every watch when it quits; until then this one must go with the device.
    SDL_DelEventWatch(watchWindow, this);
    if (software || isLive()) {
        SDL_DestroyRenderer(renderer);
    }
    direct3d->Release();
}

ULONG SdlDevice9::AddRef() {
    return ++refs;
}

ULONG SdlDevice9::Release() {
    const ULONG left = --refs;
    if (left == 0) {
        delete this;
    }
    return left;
}

bool SdlDevice9::isLive() const {
    return SDL_WasInit(SDL_INIT_VIDEO) != 0 && SDL_GetWindowFromID(windowId) == window;
}

HRESULT SdlDevice9::Present(const RECT* src_rect, const RECT* dst_rect, HWND dst_window_override,
                            const RGNDATA* dirty_region) {
    // A discarding swap chain presents the whole back buffer to its own window only.
    if (src_rect != nullptr || dst_rect != nullptr || dst_window_override != nullptr ||
        dirty_region != nullptr) {
        return D3DERR_INVALIDCALL;
    }
    if (!isLive()) {
        return D3DERR_DEVICELOST;
    }
    noteWindowChanges();
    if (frameSkip && deferring && shownValid && frame.sameAs(shown)) {
        // The screen shows this frame already. Whatever of it ran has left the same picture in
        // the back buffer, which a software renderer keeps.
        if (done > 0) {
            flush();
            backBufferShown = software;
        }
    } else {
        flush();
        SDL_RenderPresent(renderer);
        ++presentedFrames;
        if (deferring) {
            std::swap(shown, frame);
        }
        shownValid = deferring;
        backBufferShown = deferring && software;
    }
    rasterisedFrames += ranThisFrame ? 1 : 0;
    frame.clear();
    done = 0;
    deferring = false;
    ranThisFrame = false;
    // A skipped frame is paced like any other: one turn of the game stays one refresh period.
    if (paced && presentWait) {
        waitForRefresh();
    }
    return D3D_OK;
}

// Keeps presents one refresh period apart. Where the renderer's vsync really waits, the present
// itself has taken that long and nothing more is waited.
void SdlDevice9::waitForRefresh() {
    const std::uint64_t now = SDL_GetPerformanceCounter();
    const std::uint64_t due = lastPresent + refreshPeriod;
    if (lastPresent != 0 && now < due) {
        const auto ticks = static_cast<double>(due - now);
        const auto seconds = ticks / static_cast<double>(SDL_GetPerformanceFrequency());
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
        lastPresent = due;
    } else if (lastPresent != 0 && now < due + refreshPeriod) {
        lastPresent = due;
    } else {
        lastPresent = now;
    }
}

void SdlDevice9::setPresentWait(bool on) {
    presentWait = on;
    for (SdlDevice9* device = firstDevice; device != nullptr; device = device->nextDevice) {
        device->applyVsync();
        device->lastPresent = 0;
    }
}

void SdlDevice9::setFrameSkip(bool on) {
    frameSkip = on;
    for (SdlDevice9* device = firstDevice; device != nullptr; device = device->nextDevice) {
        device->forgetShown();
    }
}

void SdlDevice9::applyVsync() {
    if (isLive()) {
        SDL_RenderSetVSync(renderer, paced && presentWait ? 1 : 0);
    }
}

HRESULT SdlDevice9::CreateVertexBuffer(UINT Length, DWORD /*Usage*/, DWORD /*FVF*/, D3DPOOL Pool,
                                       IDirect3DVertexBuffer9** ppVertexBuffer,
                                       HANDLE* pSharedHandle) {
    if (ppVertexBuffer == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *ppVertexBuffer = nullptr;
    if (Length == 0 || pSharedHandle != nullptr || Pool == D3DPOOL_SCRATCH) {
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

HRESULT SdlDevice9::Clear(DWORD rect_count, const D3DRECT* rects, DWORD flags, D3DCOLOR color,
                          float /*z*/, DWORD /*stencil*/) {
    // There is no depth or stencil buffer to clear.
    if ((flags & (D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL)) != 0 || (rect_count != 0 && !rects)) {
        return D3DERR_INVALIDCALL;
    }
    if ((flags & D3DCLEAR_TARGET) == 0) {
        return D3D_OK;
    }
    if (!isLive()) {
        return D3DERR_DEVICELOST;
    }
    const D3DCOLOR opaque = color | 0xFF000000u;
    if (rect_count == 0) {
        FrameRecord::Command clear;
        clear.kind = FrameRecord::Kind::Clear;
        clear.colour = opaque;
        record(clear);
        return D3D_OK;
    }
    for (DWORD i = 0; i < rect_count; ++i) {
        const SDL_Rect area{rects[i].x1, rects[i].y1, rects[i].x2 - rects[i].x1,
                            rects[i].y2 - rects[i].y1};
        if (area.w > 0 && area.h > 0) {
            fill(area, opaque, SDL_BLENDMODE_NONE);
        }
    }
    return D3D_OK;
}

HRESULT SdlDevice9::SetRenderState(D3DRENDERSTATETYPE State, DWORD Value) {
    switch (State) {
    case D3DRS_CULLMODE:
        if (Value < D3DCULL_NONE || Value > D3DCULL_CCW) {
            return D3DERR_INVALIDCALL;
        }
        cullMode = Value;
        return D3D_OK;
    case D3DRS_ALPHABLENDENABLE:
        alphaBlend = Value;
        return D3D_OK;
    case D3DRS_SRCBLEND:
    case D3DRS_DESTBLEND:
        if (!isBlendFactor(Value)) {
            return D3DERR_INVALIDCALL;
        }
        (State == D3DRS_SRCBLEND ? srcBlend : destBlend) = Value;
        return D3D_OK;
    // Pre-transformed vertices are never lit, so these two only need keeping.
    case D3DRS_LIGHTING:
        lighting = Value;
        return D3D_OK;
    case D3DRS_DIFFUSEMATERIALSOURCE:
        diffuseSource = Value;
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
    if (!inScene || PrimitiveType != D3DPT_TRIANGLEFAN || stream == nullptr || streamStride == 0) {
        return D3DERR_INVALIDCALL;
    }
    const auto* buffer = static_cast<SdlVertexBuffer*>(stream);
    const std::uint64_t begin =
        streamOffset + static_cast<std::uint64_t>(StartVertex) * streamStride;
    const std::uint64_t size = (static_cast<std::uint64_t>(PrimitiveCount) + 2) * streamStride;
    if (begin + size > buffer->getLength()) {
        return D3DERR_INVALIDCALL;
    }
    return drawFan(buffer->getData() + begin, streamStride, fvf, PrimitiveCount);
}

HRESULT SdlDevice9::DrawPrimitiveUP(D3DPRIMITIVETYPE primitive_type, UINT primitive_count,
                                    const void* data, UINT stride) {
    if (!inScene || primitive_type != D3DPT_TRIANGLEFAN || data == nullptr || stride == 0) {
        return D3DERR_INVALIDCALL;
    }
    const HRESULT hr =
        drawFan(static_cast<const std::uint8_t*>(data), stride, fvf, primitive_count);
    // As on Direct3D, drawing from user memory leaves stream 0 unset.
    stream = nullptr;
    streamOffset = 0;
    streamStride = 0;
    return hr;
}

// Draws a fan of pre-transformed vertices with the fixed-function defaults of texture stage 0:
// colour = texture x diffuse and alpha = texture alpha with a texture bound (vertices without
// texture coordinates sample texel (0, 0)); diffuse colour and alpha without one.
HRESULT SdlDevice9::drawFan(const std::uint8_t* data, UINT stride, DWORD format, UINT triangles) {
    const bool hasDiffuse = (format & D3DFVF_DIFFUSE) != 0;
    const bool hasUv = (format & kTexCountMask) == D3DFVF_TEX1;
    if ((format & kPositionMask) != D3DFVF_XYZRHW ||
        (format & ~(D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1)) != 0) {
        return D3DERR_INVALIDCALL;
    }
    const UINT size = 16 + (hasDiffuse ? 4 : 0) + (hasUv ? 8 : 0);
    if (stride < size) {
        return D3DERR_INVALIDCALL;
    }
    if (triangles == 0) {
        return D3D_OK;
    }
    if (!isLive()) {
        return D3DERR_DEVICELOST;
    }
    const auto* bound = static_cast<const SdlTexture*>(static_cast<IDirect3DTexture9*>(texture));
    std::vector<Vertex> vertices(triangles + 2);
    bool opaque = bound == nullptr || !hasUv || bound->isOpaque();
    for (UINT i = 0; i < vertices.size(); ++i) {
        const std::uint8_t* at = data + static_cast<std::size_t>(i) * stride;
        Vertex& v = vertices[i];
        D3DCOLOR diffuse = 0xFFFFFFFF;
        SDL_memcpy(&v.x, at, 4);
        SDL_memcpy(&v.y, at + 4, 4);
        if (hasDiffuse) {
            SDL_memcpy(&diffuse, at + 16, 4);
        }
        v.u = 0.0f;
        v.v = 0.0f;
        if (hasUv) {
            SDL_memcpy(&v.u, at + size - 8, 4);
            SDL_memcpy(&v.v, at + size - 4, 4);
        }
        if (bound != nullptr && hasUv) {
            v.colour = 0xFF000000u | (diffuse & 0x00FFFFFFu);
        } else if (bound != nullptr) {
            const D3DCOLOR t = bound->getTopLeft();
            v.colour =
                static_cast<D3DCOLOR>(alphaOf(t)) << 24 | modulate(redOf(t), redOf(diffuse)) << 16 |
                modulate(greenOf(t), greenOf(diffuse)) << 8 | modulate(blueOf(t), blueOf(diffuse));
        } else {
            v.colour = diffuse;
        }
        opaque = opaque && alphaOf(v.colour) == 255;
    }
    SDL_BlendMode mode = stateBlendMode();
    if (mode == SDL_BLENDMODE_BLEND && opaque) {
        mode = SDL_BLENDMODE_NONE; // the same pixels, without the blending cost
    }
    const SdlTexture* sampled = hasUv ? bound : nullptr;
    if (triangles == 2 && !culled(vertices[0], vertices[1], vertices[2]) &&
        !culled(vertices[0], vertices[2], vertices[3]) &&
        drawQuadFast(vertices.data(), sampled, mode)) {
        return D3D_OK;
    }
    std::vector<SDL_Vertex> points(vertices.size());
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        const Vertex& v = vertices[i];
        // Direct3D 9 puts pixel centres on whole coordinates, SDL half a pixel further.
        points[i].position = SDL_FPoint{v.x + 0.5f, v.y + 0.5f};
        points[i].color =
            SDL_Color{redOf(v.colour), greenOf(v.colour), blueOf(v.colour), alphaOf(v.colour)};
        points[i].tex_coord = SDL_FPoint{std::clamp(v.u, 0.0f, 1.0f), std::clamp(v.v, 0.0f, 1.0f)};
    }
    std::vector<int> indices;
    for (UINT i = 1; i <= triangles; ++i) {
        if (!culled(vertices[0], vertices[i], vertices[i + 1])) {
            indices.insert(indices.end(), {0, static_cast<int>(i), static_cast<int>(i + 1)});
        }
    }
    if (!indices.empty()) {
        drawTriangles(sampled ? sampled->getTexture() : nullptr, points, indices, mode);
    }
    return D3D_OK;
}

// True when the cull mode removes the triangle: on screen (y down) a positive cross product is
// clockwise.
bool SdlDevice9::culled(const Vertex& a, const Vertex& b, const Vertex& c) const {
    if (cullMode == D3DCULL_NONE) {
        return false;
    }
    const float cross = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
    return cullMode == D3DCULL_CW ? cross > 0.0f : cross < 0.0f;
}

// Draws a fan of four vertices that form an axis-aligned rectangle of one colour, with texture
// coordinates that map the texture straight onto it, as one copy or fill. False when the quad
// is not of that kind and must go through the triangle path.
bool SdlDevice9::drawQuadFast(const Vertex* v, const SdlTexture* tex, SDL_BlendMode mode) {
    float minX = v[0].x, maxX = v[0].x, minY = v[0].y, maxY = v[0].y;
    for (int i = 1; i < 4; ++i) {
        minX = std::min(minX, v[i].x);
        maxX = std::max(maxX, v[i].x);
        minY = std::min(minY, v[i].y);
        maxY = std::max(maxY, v[i].y);
    }
    unsigned corners = 0;
    float uAt[2] = {-1.0f, -1.0f}, vAt[2] = {-1.0f, -1.0f};
    for (int i = 0; i < 4; ++i) {
        const Vertex& a = v[i];
        const Vertex& b = v[(i + 1) % 4];
        const bool onX = a.x == minX || a.x == maxX;
        const bool onY = a.y == minY || a.y == maxY;
        if (!onX || !onY || a.colour != v[0].colour || (a.x != b.x) == (a.y != b.y)) {
            return false;
        }
        const int right = a.x == maxX ? 1 : 0;
        const int bottom = a.y == maxY ? 1 : 0;
        corners |= 1u << (right + 2 * bottom);
        if ((uAt[right] >= 0.0f && uAt[right] != a.u) ||
            (vAt[bottom] >= 0.0f && vAt[bottom] != a.v) || a.u < 0.0f || a.u > 1.0f || a.v < 0.0f ||
            a.v > 1.0f) {
            return false;
        }
        uAt[right] = a.u;
        vAt[bottom] = a.v;
    }
    if (corners != 0xF) {
        return false;
    }
    // Pixels whose centres (whole coordinates) lie inside [min, max) are covered.
    const int left = static_cast<int>(std::ceil(minX));
    const int top = static_cast<int>(std::ceil(minY));
    const SDL_Rect dst{left, top, static_cast<int>(std::ceil(maxX)) - left,
                       static_cast<int>(std::ceil(maxY)) - top};
    if (dst.w <= 0 || dst.h <= 0) {
        return true;
    }
    if (tex == nullptr) {
        fill(dst, v[0].colour, mode);
        return true;
    }
    const int x0 = static_cast<int>(std::lround(std::min(uAt[0], uAt[1]) * tex->getWidth()));
    const int x1 = static_cast<int>(std::lround(std::max(uAt[0], uAt[1]) * tex->getWidth()));
    const int y0 = static_cast<int>(std::lround(std::min(vAt[0], vAt[1]) * tex->getHeight()));
    const int y1 = static_cast<int>(std::lround(std::max(vAt[0], vAt[1]) * tex->getHeight()));
    if (x1 <= x0 || y1 <= y0) {
        return false;
    }
    const SDL_Rect src{x0, y0, x1 - x0, y1 - y0};
    const int flip =
        (uAt[0] > uAt[1] ? SDL_FLIP_HORIZONTAL : 0) | (vAt[0] > vAt[1] ? SDL_FLIP_VERTICAL : 0);
    copy(tex->getTexture(), &src, dst, v[0].colour, mode, static_cast<SDL_RendererFlip>(flip));
    return true;
}

SDL_BlendMode SdlDevice9::stateBlendMode() const {
    if (!alphaBlend || (srcBlend == D3DBLEND_ONE && destBlend == D3DBLEND_ZERO)) {
        return SDL_BLENDMODE_NONE;
    }
    if (srcBlend == D3DBLEND_SRCALPHA && destBlend == D3DBLEND_INVSRCALPHA) {
        return SDL_BLENDMODE_BLEND;
    }
    return SDL_ComposeCustomBlendMode(blendFactor(srcBlend), blendFactor(destBlend),
                                      SDL_BLENDOPERATION_ADD, blendFactor(srcBlend),
                                      blendFactor(destBlend), SDL_BLENDOPERATION_ADD);
}

SDL_Texture* SdlDevice9::createTexture(SDL_Surface* surface) {
    if (!isLive() || surface == nullptr) {
        return nullptr;
    }
    SDL_Texture* made = SDL_CreateTextureFromSurface(renderer, surface);
    if (made != nullptr) {
        SDL_SetTextureScaleMode(made, SDL_ScaleModeNearest);
        // Every picture a texture holds has a version of its own, for the frame records.
        SDL_SetTextureUserData(made, reinterpret_cast<void*>(++lastTextureVersion));
    }
    return made;
}

bool SdlDevice9::updateTexture(SDL_Texture* made, const void* pixels, int pitch) {
    if (made == nullptr || !isLive()) {
        return false;
    }
    flushIfUsed(made);
    SDL_SetTextureUserData(made, reinterpret_cast<void*>(++lastTextureVersion));
    return SDL_UpdateTexture(made, nullptr, pixels, pitch) == 0;
}

// A software renderer's texture is plain memory that SDL frees at any time; an accelerated
// renderer's textures can only go while the window (and its graphics library) exists.
void SdlDevice9::destroyTexture(SDL_Texture* made) {
    if (made != nullptr && (software || isLive())) {
        flushIfUsed(made);
        SDL_DestroyTexture(made);
    }
}

bool SdlDevice9::copy(SDL_Texture* made, const SDL_Rect* src, const SDL_Rect& dst, D3DCOLOR colour,
                      SDL_BlendMode mode, SDL_RendererFlip flip) {
    if (made == nullptr || !isLive()) {
        return false;
    }
    FrameRecord::Command command;
    command.kind = FrameRecord::Kind::Copy;
    command.texture = made;
    command.whole = src == nullptr;
    if (src != nullptr) {
        command.src = {src->x, src->y, src->w, src->h};
    }
    command.dst = {dst.x, dst.y, dst.w, dst.h};
    command.colour = colour;
    command.mode = mode;
    command.flip = flip;
    record(command);
    return true;
}

bool SdlDevice9::drawTriangles(SDL_Texture* made, const std::vector<SDL_Vertex>& vertices,
                               const std::vector<int>& indices, SDL_BlendMode mode) {
    if (!isLive()) {
        return false;
    }
    FrameRecord::Command command;
    command.kind = FrameRecord::Kind::Triangles;
    command.texture = made;
    command.mode = mode;
    record(command, &vertices, &indices);
    return true;
}

bool SdlDevice9::fill(const SDL_Rect& rect, D3DCOLOR colour, SDL_BlendMode mode) {
    if (!isLive()) {
        return false;
    }
    FrameRecord::Command command;
    command.kind = FrameRecord::Kind::Fill;
    command.dst = {rect.x, rect.y, rect.w, rect.h};
    command.colour = colour;
    command.mode = mode;
    record(command);
    return true;
}

// A full clear covers everything drawn before it, so a frame's record starts there; calls of a
// frame without one run at once.
void SdlDevice9::record(FrameRecord::Command command, const std::vector<SDL_Vertex>* vertices,
                        const std::vector<int>* indices) {
    if (command.texture != nullptr) {
        command.textureVersion =
            reinterpret_cast<std::uintptr_t>(SDL_GetTextureUserData(command.texture));
    }
    if (command.kind == FrameRecord::Kind::Clear) {
        if (done > 0) {
            backBufferShown = false;
        }
        frame.clear();
        done = 0;
        deferring = true;
    }
    if (vertices != nullptr && indices != nullptr) {
        frame.addTriangles(command, *vertices, *indices);
    } else {
        frame.add(command);
    }
    if (!deferring) {
        run(frame, frame.size() - 1);
        frame.clear();
        ranThisFrame = true;
        backBufferShown = false;
    }
}

// Brings the back buffer up to every call recorded so far: nothing to do when it holds the
// frame on screen and the frame so far is that frame, else the calls not yet run. The clear is
// left out when opaque calls cover the whole back buffer anyway.
void SdlDevice9::flush() {
    noteWindowChanges();
    if (!deferring || done == frame.size()) {
        return;
    }
    int width = 0;
    int height = 0;
    const bool sized = SDL_GetRendererOutputSize(renderer, &width, &height) == 0;
    if (done == 0 && frameSkip && backBufferShown && shownValid) {
        if (frame.sameAs(shown)) {
            done = frame.size();
            return;
        }
        std::vector<SDL_Rect> areas;
        if (sized && frame.changedAreas(shown, width, height, areas) && redraw(areas)) {
            done = frame.size();
            ranThisFrame = true;
            backBufferShown = false;
            ++partialFrames;
            return;
        }
    }
    if (done == 0 && sized && frame.covers(1, width, height)) {
        done = 1;
    }
    for (; done < frame.size(); ++done) {
        run(frame, done);
    }
    ranThisFrame = true;
    backBufferShown = false;
}

// Draws the frame again inside the areas only, over the frame on screen that the back buffer
// holds: the clear as a fill of each area, and every call that reaches into it, clipped to it.
// False (and nothing drawn) when a call there is a scaled copy, which clipping could sample
// differently.
bool SdlDevice9::redraw(const std::vector<SDL_Rect>& areas) {
    int width = 0;
    int height = 0;
    SDL_GetRendererOutputSize(renderer, &width, &height);
    std::vector<SDL_Rect> reach(frame.size());
    for (std::size_t i = 0; i < frame.size(); ++i) {
        reach[i] = frame.bounds(i, width, height);
        for (const SDL_Rect& area : areas) {
            if (SDL_HasIntersection(&reach[i], &area) && isScaledCopy(frame.at(i))) {
                return false;
            }
        }
    }
    for (const SDL_Rect& area : areas) {
        SDL_RenderSetClipRect(renderer, &area);
        for (std::size_t i = 0; i < frame.size(); ++i) {
            const FrameRecord::Command& c = frame.at(i);
            if (c.kind == FrameRecord::Kind::Clear) {
                // SDL's clear ignores the clip rectangle.
                SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
                SDL_SetRenderDrawColor(renderer, redOf(c.colour), greenOf(c.colour),
                                       blueOf(c.colour), 255);
                SDL_RenderFillRect(renderer, &area);
            } else if (SDL_HasIntersection(&reach[i], &area)) {
                run(frame, i);
            }
        }
    }
    SDL_RenderSetClipRect(renderer, nullptr);
    return true;
}

// A copy whose source and destination differ in size.
bool SdlDevice9::isScaledCopy(const FrameRecord::Command& c) const {
    if (c.kind != FrameRecord::Kind::Copy) {
        return false;
    }
    int w = c.src[2];
    int h = c.src[3];
    if (c.whole && SDL_QueryTexture(c.texture, nullptr, nullptr, &w, &h) != 0) {
        return true;
    }
    return w != c.dst[2] || h != c.dst[3];
}

// A texture about to change or go must first be drawn by the calls waiting for it.
void SdlDevice9::flushIfUsed(const SDL_Texture* made) {
    if (deferring && frame.uses(made, done)) {
        flush();
    }
}

void SdlDevice9::run(const FrameRecord& from, std::size_t index) {
    if (!isLive()) {
        return;
    }
    const FrameRecord::Command& c = from.at(index);
    const D3DCOLOR colour = c.colour;
    const SDL_Rect dst{c.dst[0], c.dst[1], c.dst[2], c.dst[3]};
    switch (c.kind) {
    case FrameRecord::Kind::Clear:
        SDL_SetRenderDrawColor(renderer, redOf(colour), greenOf(colour), blueOf(colour), 255);
        SDL_RenderClear(renderer);
        break;
    case FrameRecord::Kind::Fill:
        SDL_SetRenderDrawBlendMode(renderer, c.mode);
        SDL_SetRenderDrawColor(renderer, redOf(colour), greenOf(colour), blueOf(colour),
                               alphaOf(colour));
        SDL_RenderFillRect(renderer, &dst);
        break;
    case FrameRecord::Kind::Copy: {
        const SDL_Rect src{c.src[0], c.src[1], c.src[2], c.src[3]};
        SDL_SetTextureColorMod(c.texture, redOf(colour), greenOf(colour), blueOf(colour));
        SDL_SetTextureAlphaMod(c.texture, alphaOf(colour));
        SDL_SetTextureBlendMode(c.texture, c.mode);
        if (c.flip == SDL_FLIP_NONE) {
            SDL_RenderCopy(renderer, c.texture, c.whole ? nullptr : &src, &dst);
        } else {
            SDL_RenderCopyEx(renderer, c.texture, c.whole ? nullptr : &src, &dst, 0.0, nullptr,
                             c.flip);
        }
        break;
    }
    case FrameRecord::Kind::Triangles:
        if (c.texture != nullptr) {
            SDL_SetTextureColorMod(c.texture, 255, 255, 255);
            SDL_SetTextureAlphaMod(c.texture, 255);
            SDL_SetTextureBlendMode(c.texture, c.mode);
        }
        SDL_SetRenderDrawBlendMode(renderer, c.mode);
        SDL_RenderGeometry(renderer, c.texture, from.verticesOf(c), static_cast<int>(c.vertexCount),
                           from.indicesOf(c), static_cast<int>(c.indexCount));
        break;
    }
}

void SdlDevice9::forgetShown() {
    shownValid = false;
    backBufferShown = false;
}

// After anything happened to the window (exposed, resized, shown again...) its content and the
// renderer's surface may be gone: the next frame is drawn and presented in full.
void SdlDevice9::noteWindowChanges() {
    if (windowChanged.exchange(false)) {
        forgetShown();
    }
}

int SDLCALL SdlDevice9::watchWindow(void* device, SDL_Event* event) {
    auto* self = static_cast<SdlDevice9*>(device);
    if (event->type == SDL_WINDOWEVENT && event->window.windowID == self->windowId) {
        self->windowChanged = true;
    }
    return 0;
}

bool SdlDevice9::readBackBuffer(std::vector<std::uint32_t>& pixels, int& width, int& height) {
    if (!isLive() || SDL_GetRendererOutputSize(renderer, &width, &height) != 0) {
        return false;
    }
    flush();
    pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    if (SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(),
                             width * 4) != 0) {
        return false;
    }
    // The back buffer has no alpha channel (X8R8G8B8).
    for (std::uint32_t& p : pixels) {
        p |= 0xFF000000u;
    }
    return true;
}
