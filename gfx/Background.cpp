// Background: a picture laid once or tiled in a row, a column or a grid, as pre-transformed
// textured quads in one vertex buffer built at construction.
#include "gfx/Background.h"

#include "app/Globals.h"
#include "app/Language.h"
#include "app/platform/WideText.h"
#include "gfx/DeviceReset.h"
#include "gfx/RenderDevice.h"
#include "pack/PackEntry.h"

#include <d3dx9.h>
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <new>
#include <vector>

namespace {

// One pre-transformed, coloured, textured vertex (D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1).
struct TileVertex {
    float x, y, z, rhw;
    D3DCOLOR colour;
    float u, v;
};
static_assert(sizeof(TileVertex) == 28, "vertex layout of format 0x144");

constexpr DWORD kTileFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;
constexpr UINT kQuadBytes = 4 * sizeof(TileVertex);

// area / tile in single precision, rounded up.
std::uint32_t tileCount(std::uint32_t area, std::uint32_t tile) {
    return static_cast<std::uint32_t>(
        std::ceil(static_cast<float>(area) / static_cast<float>(tile)));
}

// A tile of w x h at (x, y): top-right, top-left, bottom-left, bottom-right.
void addQuad(std::vector<TileVertex>& out, float x, float y, float w, float h, D3DCOLOR colour) {
    out.push_back({x + w, y, 0.0f, 1.0f, colour, 1.0f, 0.0f});
    out.push_back({x, y, 0.0f, 1.0f, colour, 0.0f, 0.0f});
    out.push_back({x, y + h, 0.0f, 1.0f, colour, 0.0f, 1.0f});
    out.push_back({x + w, y + h, 0.0f, 1.0f, colour, 1.0f, 1.0f});
}

// Lays the tiles of the repeat mode; quads lists them in drawing order.
void layTiles(std::vector<TileVertex>& quads, std::uint32_t repeat, float x, float y, float w,
              float h, std::uint32_t nx, std::uint32_t ny, D3DCOLOR colour) {
    switch (repeat) {
    case RepeatNone:
        addQuad(quads, x, y, w, h, colour);
        break;
    case RepeatX:
        for (std::uint32_t i = 0; i < nx; ++i, x += w) {
            addQuad(quads, x, y, w, h, colour);
        }
        break;
    case RepeatY:
        for (std::uint32_t i = 0; i < ny; ++i, y += h) {
            addQuad(quads, x, y, w, h, colour);
        }
        break;
    case RepeatXY: {
        const float top = y;
        for (std::uint32_t column = 0; column < nx; ++column, x += w) {
            for (std::uint32_t row = 0; row < ny; ++row, y += h) {
                addQuad(quads, x, y, w, h, colour);
            }
            y = top;
        }
        break;
    }
    default:
        break;
    }
}

} // namespace

Background::Background(std::uint32_t tileWidth, std::uint32_t tileHeight, float x, float y,
                       D3DCOLOR colour, std::uint32_t areaWidth, std::uint32_t areaHeight,
                       std::uint32_t repeat) {
    if (areaWidth == 0) {
        areaWidth = getScreenWidth();
    }
    if (areaHeight == 0) {
        areaHeight = getScreenHeight();
    }
    if (colour == 0) {
        colour = 0xFFFFFFFF;
    }
    // A zero tile size has no tiles, like a zero tile count.
    std::uint64_t quads = 0;
    std::uint32_t nx = 0;
    std::uint32_t ny = 0;
    if (tileWidth != 0 && tileHeight != 0 && repeat <= RepeatXY) {
        nx = repeat == RepeatX || repeat == RepeatXY ? tileCount(areaWidth, tileWidth) : 1;
        ny = repeat == RepeatY || repeat == RepeatXY ? tileCount(areaHeight, tileHeight) : 1;
        quads = static_cast<std::uint64_t>(nx) * ny;
    }
    const std::uint64_t bytes = quads * kQuadBytes;
    if (bytes > std::numeric_limits<UINT>::max()) {
        return; // more than a vertex buffer can hold: none is made
    }
    std::vector<TileVertex> tiles;
    try {
        tiles.reserve(static_cast<std::size_t>(quads) * 4);
    } catch (const std::bad_alloc&) {
        return;
    }
    if (quads != 0) {
        layTiles(tiles, repeat, x, y, static_cast<float>(tileWidth), static_cast<float>(tileHeight),
                 nx, ny, colour);
    }
    quadCount = static_cast<std::uint32_t>(quads);
    const auto size = static_cast<UINT>(bytes);
    if (repeat == RepeatXY && tileWidth != 0 && tileHeight != 0) {
        std::printf("Repeat = %d sizeof = %d\n", static_cast<int>(quadCount),
                    static_cast<int>(size));
    }
    if (size == 0) {
        std::printf("Valid sizeof vertex!\n");
        return;
    }
    const auto* tileBytes = reinterpret_cast<const std::uint8_t*>(tiles.data());
    vertices.assign(tileBytes, tileBytes + size);
    if (!makeVertexBuffer()) {
        return;
    }
    // The buffer lives in the device's own memory: a reset gives it up, and it is made again
    // from the kept vertices after.
    keepThroughReset(
        this,
        [this] {
            if (vertexBuffer != nullptr) {
                vertexBuffer->Release();
                vertexBuffer = nullptr;
            }
        },
        [this] { makeVertexBuffer(); });
    std::printf("Texture initialized!\n");
}

bool Background::makeVertexBuffer() {
    IDirect3DDevice9* device = RenderDevice::getDevice();
    const auto size = static_cast<UINT>(vertices.size());
    if (device == nullptr ||
        FAILED(device->CreateVertexBuffer(size, D3DUSAGE_DYNAMIC, kTileFvf, D3DPOOL_DEFAULT,
                                          &vertexBuffer, nullptr))) {
        vertexBuffer = nullptr;
        return false;
    }
    void* data = nullptr;
    if (SUCCEEDED(vertexBuffer->Lock(0, 0, &data, 0))) {
        std::memcpy(data, vertices.data(), size);
        vertexBuffer->Unlock();
    }
    return true;
}

Background::~Background() {
    forgetThroughReset(this);
    if (vertexBuffer != nullptr) {
        vertexBuffer->Release();
        vertexBuffer = nullptr;
    }
    if (texture != nullptr) {
        texture->Release();
        texture = nullptr;
    }
}

// The decoding result is not examined: a picture that cannot be decoded leaves the quads
// drawn without a texture.
void Background::loadTexture(PackEntry* entry) {
    if (entry == nullptr) {
        showMessageBox(nullptr, tr(TextId::ErrorData), nullptr, MB_ICONERROR);
        return;
    }
    if (texture != nullptr) {
        texture->Release();
        texture = nullptr;
    }
    D3DXCreateTextureFromFileInMemory(RenderDevice::getDevice(), entry->data, entry->size,
                                      &texture);
    std::printf("Loaded \"%s\" background from packer\n", entry->name);
}

void Background::draw() {
    IDirect3DDevice9* device = RenderDevice::getDevice();
    if (device == nullptr) {
        return;
    }
    device->SetTexture(0, texture);
    device->SetStreamSource(0, vertexBuffer, 0, sizeof(TileVertex));
    device->SetFVF(kTileFvf);
    if (vertexBuffer == nullptr) {
        return;
    }
    for (std::uint32_t i = 0; i < quadCount; ++i) {
        device->DrawPrimitive(D3DPT_TRIANGLEFAN, 4 * i, 2);
    }
}
