// FrameRecord: a frame's draw calls, kept for comparison with the next frame's.
#include "FrameRecord.h"

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
