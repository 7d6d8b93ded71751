// FrameCache: a device's frames recorded, compared with the frame on screen, and run on the
// renderer in full, in part or not at all.
#include "FrameCache.h"

#include <utility>

namespace {

SDL_Rect rectOf(const std::array<int, 4>& r) {
    return SDL_Rect{r[0], r[1], r[2], r[3]};
}

// A copy whose source and destination differ in size, which clipping could sample differently.
bool isScaledCopy(const FrameRecord::Command& c) {
    return c.kind == FrameRecord::Kind::Copy && (c.src[2] != c.dst[2] || c.src[3] != c.dst[3]);
}

} // namespace

bool FrameCache::enabled = true;

bool FrameCache::clear(std::uint32_t colour) {
    if (!backend.isLive()) {
        return false;
    }
    FrameRecord::Command command;
    command.kind = FrameRecord::Kind::Clear;
    command.colour = colour | 0xFF000000u;
    record(command);
    return true;
}

bool FrameCache::copy(SDL_Texture* texture, const SDL_Rect* src, const SDL_Rect& dst,
                      std::uint32_t colour, SDL_BlendMode mode) {
    if (texture == nullptr || !backend.isLive()) {
        return false;
    }
    FrameRecord::Command command;
    command.kind = FrameRecord::Kind::Copy;
    command.texture = texture;
    DrawBackend::sizeOf(texture, command.textureSize[0], command.textureSize[1]);
    command.src = src != nullptr
                      ? std::array<int, 4>{src->x, src->y, src->w, src->h}
                      : std::array<int, 4>{0, 0, command.textureSize[0], command.textureSize[1]};
    command.dst = {dst.x, dst.y, dst.w, dst.h};
    command.colour = colour;
    command.mode = mode;
    record(command);
    return true;
}

bool FrameCache::fill(const SDL_Rect& rect, std::uint32_t colour, SDL_BlendMode mode) {
    if (!backend.isLive()) {
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

bool FrameCache::drawTriangles(SDL_Texture* texture, const std::vector<SDL_Vertex>& vertices,
                               const std::vector<int>& indices, SDL_BlendMode mode) {
    if (!backend.isLive()) {
        return false;
    }
    FrameRecord::Command command;
    command.kind = FrameRecord::Kind::Triangles;
    command.texture = texture;
    command.mode = mode;
    record(command, &vertices, &indices);
    return true;
}

// A full clear covers everything drawn before it, so a frame's record starts there.
void FrameCache::record(FrameRecord::Command command, const std::vector<SDL_Vertex>* vertices,
                        const std::vector<int>* indices) {
    if (command.texture != nullptr) {
        command.textureVersion = DrawBackend::versionOf(command.texture);
    }
    if (command.kind == FrameRecord::Kind::Clear) {
        if (done > 0 && screen == Screen::Kept) {
            screen = Screen::Shown;
        }
        frame.clear();
        done = 0;
        state = Frame::Recording;
    }
    if (vertices != nullptr && indices != nullptr) {
        frame.addTriangles(command, *vertices, *indices);
    } else {
        frame.add(command);
    }
    if (state == Frame::Direct) {
        run(frame, frame.size() - 1);
        frame.clear();
        ran();
    }
}

// Something of this frame was drawn: the back buffer no longer holds the frame on screen.
void FrameCache::ran() {
    drewThisFrame = true;
    if (screen == Screen::Kept) {
        screen = Screen::Shown;
    }
}

void FrameCache::noteWindowChange() {
    if (backend.takeWindowChange()) {
        // The window may show nothing of the frame before: it is shown again in full.
        screen = Screen::Unknown;
        onlyChanged = false;
    }
}

void FrameCache::beforeTextureChange(const SDL_Texture* texture) {
    if (state == Frame::Recording && frame.uses(texture, done)) {
        flush();
    }
}

void FrameCache::flush() {
    noteWindowChange();
    if (state != Frame::Recording || done == frame.size()) {
        return;
    }
    int width = 0;
    int height = 0;
    const bool sized = backend.outputSize(width, height);
    if (done == 0 && screen == Screen::Kept) {
        if (frame.sameAs(shown)) {
            done = frame.size();
            return;
        }
        std::vector<SDL_Rect> areas;
        if (sized && frame.changedAreas(shown, width, height, areas) &&
            redraw(areas, width, height)) {
            done = frame.size();
            ran();
            ++partialFrames;
            onlyChanged = true;
            changed = std::move(areas);
            return;
        }
    }
    onlyChanged = false;
    if (done == 0 && sized && frame.covers(1, width, height)) {
        done = 1;
    }
    for (; done < frame.size(); ++done) {
        run(frame, done);
    }
    ran();
}

// Draws the frame again inside the areas only, over the frame on screen that the back buffer
// holds: the clear as a fill of each area, and every call that reaches into it, clipped to it.
// False (and nothing drawn) when a call there is a scaled copy.
bool FrameCache::redraw(const std::vector<SDL_Rect>& areas, int width, int height) {
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
        backend.setClip(&area);
        for (std::size_t i = 0; i < frame.size(); ++i) {
            const FrameRecord::Command& c = frame.at(i);
            if (c.kind == FrameRecord::Kind::Clear) {
                // A clear ignores the clip rectangle.
                backend.fill(area, c.colour, SDL_BLENDMODE_NONE);
            } else if (SDL_HasIntersection(&reach[i], &area)) {
                run(frame, i);
            }
        }
    }
    backend.setClip(nullptr);
    return true;
}

void FrameCache::present() {
    noteWindowChange();
    const Screen presented = backend.keepsBackBuffer() ? Screen::Kept : Screen::Shown;
    if (state == Frame::Recording && screen != Screen::Unknown && frame.sameAs(shown)) {
        // The screen shows this frame already. Whatever of it ran is finished, which leaves
        // the same picture in the back buffer.
        if (done > 0) {
            flush();
            screen = presented;
        }
    } else {
        flush();
        backend.present(onlyChanged ? &changed : nullptr);
        ++presentedFrames;
        if (state == Frame::Recording && enabled) {
            std::swap(shown, frame);
            screen = presented;
        } else {
            screen = Screen::Unknown;
        }
    }
    rasterisedFrames += drewThisFrame ? 1 : 0;
    frame.clear();
    done = 0;
    state = Frame::Direct;
    drewThisFrame = false;
    onlyChanged = false;
}

void FrameCache::run(const FrameRecord& from, std::size_t index) {
    const FrameRecord::Command& c = from.at(index);
    switch (c.kind) {
    case FrameRecord::Kind::Clear:
        backend.clear(c.colour);
        break;
    case FrameRecord::Kind::Fill:
        backend.fill(rectOf(c.dst), c.colour, c.mode);
        break;
    case FrameRecord::Kind::Copy:
        backend.copy(c.texture, rectOf(c.src), rectOf(c.dst), c.colour, c.mode);
        break;
    case FrameRecord::Kind::Triangles:
        backend.drawTriangles(c.texture, from.verticesOf(c), static_cast<int>(c.vertexCount),
                              from.indicesOf(c), static_cast<int>(c.indexCount), c.mode);
        break;
    }
}
