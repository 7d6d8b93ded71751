// SdlDevice9: the Direct3D 9 device stand-in: render states, bindings and triangle fans
// translated into copies, fills and triangles of the frame cache.
#include "SdlDevice9.h"

#include "SdlTexture.h"
#include "SdlVertexBuffer.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace {

// The two vertex formats drawn: coloured quads (the scoreboard's panel) and coloured, textured
// ones (backgrounds), pre-transformed.
constexpr DWORD kColouredFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE;
constexpr DWORD kTexturedFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;

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

} // namespace

SdlDevice9* SdlDevice9::firstDevice = nullptr;

SdlDevice9* SdlDevice9::create(IDirect3D9* direct3d, SDL_Window* window, HRESULT& hr) {
    std::unique_ptr<DrawBackend> backend =
        DrawBackend::create(window, PresentPacing::getPresentWait());
    if (backend == nullptr) {
        hr = D3DERR_NOTAVAILABLE;
        return nullptr;
    }
    auto* device = new (std::nothrow) SdlDevice9(direct3d, std::move(backend), window);
    hr = device != nullptr ? D3D_OK : E_OUTOFMEMORY;
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
        alphaBlend = Value;
        return D3D_OK;
    case D3DRS_SRCBLEND:
    case D3DRS_DESTBLEND:
        if (!isBlendFactor(Value)) {
            return D3DERR_INVALIDCALL;
        }
        (State == D3DRS_SRCBLEND ? srcBlend : destBlend) = Value;
        return D3D_OK;
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
    return drawFan(buffer->getData() + begin, PrimitiveCount);
}

// Draws a fan of pre-transformed vertices with the fixed-function defaults of texture stage 0:
// colour = texture x diffuse and alpha = texture alpha with a texture bound (vertices without
// texture coordinates sample texel (0, 0)); diffuse colour and alpha without one.
HRESULT SdlDevice9::drawFan(const std::uint8_t* data, UINT triangles) {
    const bool hasUv = fvf == kTexturedFvf;
    const auto* bound = static_cast<const SdlTexture*>(static_cast<IDirect3DTexture9*>(texture));
    std::vector<Vertex> vertices(triangles + 2);
    bool opaque = bound == nullptr || !hasUv || bound->isOpaque();
    for (UINT i = 0; i < vertices.size(); ++i) {
        const std::uint8_t* at = data + static_cast<std::size_t>(i) * streamStride;
        Vertex& v = vertices[i];
        D3DCOLOR diffuse = 0;
        SDL_memcpy(&v.x, at, 4);
        SDL_memcpy(&v.y, at + 4, 4);
        SDL_memcpy(&diffuse, at + 16, 4);
        v.u = 0.0f;
        v.v = 0.0f;
        if (hasUv) {
            SDL_memcpy(&v.u, at + 20, 4);
            SDL_memcpy(&v.v, at + 24, 4);
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
    if (triangles == 2 && drawQuadFast(vertices.data(), sampled, mode)) {
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
        indices.insert(indices.end(), {0, static_cast<int>(i), static_cast<int>(i + 1)});
    }
    frames.drawTriangles(sampled ? sampled->getTexture() : nullptr, points, indices, mode);
    return D3D_OK;
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
        frames.fill(dst, v[0].colour, mode);
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
    frames.copy(tex->getTexture(), &src, dst, v[0].colour, mode,
                static_cast<SDL_RendererFlip>(flip));
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
