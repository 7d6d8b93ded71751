// Background: a picture laid once or tiled in a row, a column or a grid, as pre-transformed
// textured quads in one vertex buffer built at construction.
#pragma once

#include <d3d9.h>

#include <cstdint>
#include <vector>

struct PackEntry;

enum RepeatMode : std::uint32_t { RepeatNone = 0, RepeatX = 1, RepeatY = 2, RepeatXY = 3 };

class Background {
  public:
    // Tiles of tileWidth x tileHeight from (x, y); colour 0 means opaque white; an area of 0
    // means the screen's width or height.
    Background(std::uint32_t tileWidth, std::uint32_t tileHeight, float x, float y, D3DCOLOR colour,
               std::uint32_t areaWidth, std::uint32_t areaHeight, std::uint32_t repeat);
    ~Background();
    Background(const Background&) = delete;
    Background& operator=(const Background&) = delete;

    // Creates the texture from the entry's picture; a null entry shows "Invalid data!".
    void loadTexture(PackEntry* entry);
    // Draws every quad with the texture, leaving texture, stream and format bound.
    void draw();
    std::uint32_t getQuadCount() const { return quadCount; }

  private:
    // Makes the vertex buffer of the kept vertices; false when the device refuses it.
    bool makeVertexBuffer();

    IDirect3DVertexBuffer9* vertexBuffer = nullptr; // in D3DPOOL_DEFAULT: made again after a reset
    IDirect3DTexture9* texture = nullptr;
    std::uint32_t quadCount = 0;
    std::vector<std::uint8_t> vertices; // the quads' vertices, for the buffer made again
};
