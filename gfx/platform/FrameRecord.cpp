// FrameRecord: a frame's draw calls, kept for comparison with the next frame's.
#include "FrameRecord.h"

#include <algorithm>
#include <cmath>
#include <cstring>

void FrameRecord::add(const Command& command) {
    commands.push_back(command);
}

void FrameRecord::addTriangles(Command command, const std::vector<SDL_Vertex>& points,
                               const std::vector<int>& order) {
    command.kind = Kind::Triangles;
    command.firstVertex = static_cast<std::uint32_t>(vertices.size());
    command.vertexCount = static_cast<std::uint32_t>(points.size());
    command.firstIndex = static_cast<std::uint32_t>(indices.size());
    command.indexCount = static_cast<std::uint32_t>(order.size());
    vertices.insert(vertices.end(), points.begin(), points.end());
    indices.insert(indices.end(), order.begin(), order.end());
    commands.push_back(command);
}

void FrameRecord::clear() {
    commands.clear();
    vertices.clear();
    indices.clear();
}

bool FrameRecord::uses(const SDL_Texture* texture, std::size_t from) const {
    for (std::size_t i = from; i < commands.size(); ++i) {
        if (commands[i].texture == texture) {
            return true;
        }
    }
    return false;
}

// Vertices are compared bit for bit: a vertex that moved by any amount makes another frame.
bool FrameRecord::sameAs(const FrameRecord& other) const {
    return commands == other.commands && indices == other.indices &&
           vertices.size() == other.vertices.size() &&
           (vertices.empty() || std::memcmp(vertices.data(), other.vertices.data(),
                                            vertices.size() * sizeof(SDL_Vertex)) == 0);
}

namespace {

// The rectangle that an unblended call surely writes every pixel of; false for calls that blend,
// draw triangles, or copy from outside their texture.
bool opaqueArea(const FrameRecord::Command& c, std::array<int, 4>& area) {
    if (c.mode != SDL_BLENDMODE_NONE || c.kind == FrameRecord::Kind::Triangles ||
        c.kind == FrameRecord::Kind::Clear) {
        return false;
    }
    if (c.kind == FrameRecord::Kind::Copy &&
        (c.src[0] < 0 || c.src[1] < 0 || c.src[2] <= 0 || c.src[3] <= 0 ||
         c.src[0] + c.src[2] > c.textureSize[0] || c.src[1] + c.src[3] > c.textureSize[1])) {
        return false;
    }
    area = c.dst;
    return area[2] > 0 && area[3] > 0;
}

// Sorted, distinct coordinates with the target's edges and every edge inside it.
std::vector<int> edges(std::vector<int> cuts, int size) {
    cuts.push_back(0);
    cuts.push_back(size);
    for (int& cut : cuts) {
        cut = std::clamp(cut, 0, size);
    }
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
    return cuts;
}

} // namespace

// The target is cut along every rectangle's edges into cells; it is covered when every cell
// lies inside some rectangle. Only the first 64 rectangles count, which bounds the work.
bool FrameRecord::covers(std::size_t from, int width, int height) const {
    std::vector<std::array<int, 4>> areas;
    std::vector<int> xCuts;
    std::vector<int> yCuts;
    std::array<int, 4> area{};
    for (std::size_t i = from; i < commands.size() && areas.size() < 64; ++i) {
        if (opaqueArea(commands[i], area)) {
            areas.push_back(area);
            xCuts.insert(xCuts.end(), {area[0], area[0] + area[2]});
            yCuts.insert(yCuts.end(), {area[1], area[1] + area[3]});
        }
    }
    if (areas.empty() || width <= 0 || height <= 0) {
        return false;
    }
    const std::vector<int> xs = edges(std::move(xCuts), width);
    const std::vector<int> ys = edges(std::move(yCuts), height);
    for (std::size_t row = 0; row + 1 < ys.size(); ++row) {
        for (std::size_t col = 0; col + 1 < xs.size(); ++col) {
            const bool inside = std::any_of(areas.begin(), areas.end(), [&](const auto& a) {
                return a[0] <= xs[col] && xs[col + 1] <= a[0] + a[2] && a[1] <= ys[row] &&
                       ys[row + 1] <= a[1] + a[3];
            });
            if (!inside) {
                return false;
            }
        }
    }
    return true;
}

bool FrameRecord::sameCall(std::size_t i, const FrameRecord& other) const {
    Command mine = commands[i];
    Command theirs = other.commands[i];
    if (mine.vertexCount != theirs.vertexCount || mine.indexCount != theirs.indexCount) {
        return false;
    }
    // Where the vertices sit in each record does not matter, only what they are.
    const bool sameVertices =
        mine.vertexCount == 0 ||
        std::memcmp(&vertices[mine.firstVertex], &other.vertices[theirs.firstVertex],
                    mine.vertexCount * sizeof(SDL_Vertex)) == 0;
    const bool sameIndices = std::equal(indices.begin() + mine.firstIndex,
                                        indices.begin() + mine.firstIndex + mine.indexCount,
                                        other.indices.begin() + theirs.firstIndex);
    mine.firstVertex = theirs.firstVertex = 0;
    mine.firstIndex = theirs.firstIndex = 0;
    return mine == theirs && sameVertices && sameIndices;
}

SDL_Rect FrameRecord::bounds(std::size_t i, int width, int height) const {
    const Command& c = commands[i];
    SDL_Rect area{0, 0, width, height};
    if (c.kind == Kind::Copy || c.kind == Kind::Fill) {
        area = SDL_Rect{c.dst[0], c.dst[1], c.dst[2], c.dst[3]};
    } else if (c.kind == Kind::Triangles) {
        if (c.vertexCount == 0) {
            return SDL_Rect{0, 0, 0, 0};
        }
        float left = vertices[c.firstVertex].position.x, right = left;
        float top = vertices[c.firstVertex].position.y, bottom = top;
        for (std::uint32_t v = c.firstVertex; v < c.firstVertex + c.vertexCount; ++v) {
            left = std::min(left, vertices[v].position.x);
            right = std::max(right, vertices[v].position.x);
            top = std::min(top, vertices[v].position.y);
            bottom = std::max(bottom, vertices[v].position.y);
        }
        // A pixel either side of the vertices' box, whatever the rasteriser rounds to; a box
        // out of any sensible range is the whole target.
        if (!(left > -65536.0f && right < 65536.0f && top > -65536.0f && bottom < 65536.0f)) {
            return SDL_Rect{0, 0, width, height};
        }
        const int x0 = static_cast<int>(std::floor(left)) - 1;
        const int y0 = static_cast<int>(std::floor(top)) - 1;
        area = SDL_Rect{x0, y0, static_cast<int>(std::ceil(right)) + 2 - x0,
                        static_cast<int>(std::ceil(bottom)) + 2 - y0};
    }
    const SDL_Rect target{0, 0, width, height};
    SDL_Rect kept{0, 0, 0, 0};
    return SDL_IntersectRect(&area, &target, &kept) ? kept : SDL_Rect{0, 0, 0, 0};
}

bool FrameRecord::changedAreas(const FrameRecord& before, int width, int height,
                               std::vector<SDL_Rect>& areas) const {
    areas.clear();
    if (commands.size() != before.commands.size()) {
        return false;
    }
    for (std::size_t i = 0; i < commands.size(); ++i) {
        if (commands[i].kind != before.commands[i].kind) {
            return false;
        }
        if (sameCall(i, before)) {
            continue;
        }
        for (const SDL_Rect& area : {bounds(i, width, height), before.bounds(i, width, height)}) {
            if (area.w > 0 && area.h > 0) {
                areas.push_back(area);
            }
        }
    }
    // Overlapping or touching areas become one, until none overlap.
    for (bool merged = true; merged;) {
        merged = false;
        for (std::size_t a = 0; a < areas.size() && !merged; ++a) {
            for (std::size_t b = a + 1; b < areas.size() && !merged; ++b) {
                const SDL_Rect grownA{areas[a].x - 1, areas[a].y - 1, areas[a].w + 2,
                                      areas[a].h + 2};
                if (SDL_HasIntersection(&grownA, &areas[b])) {
                    SDL_UnionRect(&areas[a], &areas[b], &areas[a]);
                    areas.erase(areas.begin() + static_cast<std::ptrdiff_t>(b));
                    merged = true;
                }
            }
        }
    }
    long long covered = 0;
    for (const SDL_Rect& area : areas) {
        covered += static_cast<long long>(area.w) * area.h;
    }
    return areas.size() <= kMaxAreas && covered * 2 <= static_cast<long long>(width) * height;
}
