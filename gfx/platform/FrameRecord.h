// FrameRecord: the draw calls of one frame as the device stand-in issues them to SDL (clears,
// copies, fills, triangles, with every parameter and the version of each texture), so that a
// frame can be compared with the one before and run on the renderer later.
#pragma once

#include <SDL_render.h>

#include <array>
#include <cstdint>
#include <vector>

class FrameRecord {
  public:
    enum class Kind : std::uint8_t { Clear, Copy, Fill, Triangles };

    // One draw call. Rectangles are {x, y, w, h}; colours are ARGB.
    struct Command {
        Kind kind = Kind::Clear;
        SDL_BlendMode mode = SDL_BLENDMODE_NONE;
        std::uint32_t colour = 0;
        SDL_Texture* texture = nullptr;
        std::uint64_t textureVersion = 0;
        std::array<int, 2> textureSize{}; // Copy: the texture's width and height
        std::array<int, 4> src{};
        std::array<int, 4> dst{};
        std::uint32_t firstVertex = 0, vertexCount = 0; // Triangles
        std::uint32_t firstIndex = 0, indexCount = 0;
        bool operator==(const Command&) const = default;
    };

    // Adds a call; Triangles take their vertices and indices from the arguments.
    void add(const Command& command);
    void addTriangles(Command command, const std::vector<SDL_Vertex>& vertices,
                      const std::vector<int>& indices);
    void clear();

    std::size_t size() const { return commands.size(); }
    bool empty() const { return commands.empty(); }
    const Command& at(std::size_t i) const { return commands[i]; }
    const SDL_Vertex* verticesOf(const Command& c) const { return &vertices[c.firstVertex]; }
    const int* indicesOf(const Command& c) const { return &indices[c.firstIndex]; }
    // True when a pending call from `from` on draws the texture.
    bool uses(const SDL_Texture* texture, std::size_t from) const;
    // Same calls with the same parameters, textures of the same version and the same vertices.
    bool sameAs(const FrameRecord& other) const;
    // Whether call i of this record equals call i of other (parameters, texture version,
    // vertices and indices).
    bool sameCall(std::size_t i, const FrameRecord& other) const;
    // The pixels call i can touch, cut to a width x height target (empty when none).
    SDL_Rect bounds(std::size_t i, int width, int height) const;
    // Where a frame differs from the one before (same calls in the same order, some of them
    // changed): the areas covering every changed call's pixels before and after, merged where
    // they overlap. False when the frames differ in their calls' number or kinds, or the
    // areas would cover most of the target: the whole frame must then be drawn.
    bool changedAreas(const FrameRecord& before, int width, int height,
                      std::vector<SDL_Rect>& areas) const;
    // True when the opaque (unblended) copies and fills from `from` on, wherever they stand in
    // the frame, together cover every pixel of a width x height target: nothing drawn before
    // `from` can show in the finished frame.
    bool covers(std::size_t from, int width, int height) const;

    // Most areas changedAreas gives before it asks for the whole frame instead.
    static constexpr std::size_t kMaxAreas = 8;

  private:
    std::vector<Command> commands;
    std::vector<SDL_Vertex> vertices;
    std::vector<int> indices;
};
