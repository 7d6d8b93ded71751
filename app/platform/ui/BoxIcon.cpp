// BoxIcon: the message box icons, drawn from discs, strokes and arcs with their edges smoothed.
#include "app/platform/ui/BoxIcon.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// A shape as a signed distance in pixels from its edge (negative inside).
struct Point {
    float x;
    float y;
};

float disc(Point p, Point centre, float radius) {
    return std::hypot(p.x - centre.x, p.y - centre.y) - radius;
}

// A stroke of the given half width from a to b, with round ends.
float stroke(Point p, Point a, Point b, float halfWidth) {
    const float dx = b.x - a.x;
    const float dy = b.y - a.y;
    const float t =
        std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.0f, 1.0f);
    return std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy) - halfWidth;
}

// An arc of a circle, from angle `from` clockwise to `to` (radians, 0 pointing right, y down),
// stroked with the given half width and round ends.
float arc(Point p, Point centre, float radius, float from, float to, float halfWidth) {
    float angle = std::atan2(p.y - centre.y, p.x - centre.x);
    while (angle < from) {
        angle += 2.0f * std::numbers::pi_v<float>;
    }
    if (angle <= to) {
        return std::abs(std::hypot(p.x - centre.x, p.y - centre.y) - radius) - halfWidth;
    }
    const Point start{centre.x + radius * std::cos(from), centre.y + radius * std::sin(from)};
    const Point end{centre.x + radius * std::cos(to), centre.y + radius * std::sin(to)};
    return std::min(disc(p, start, halfWidth), disc(p, end, halfWidth));
}

// How much of a pixel a shape covers, from its distance at the pixel's centre.
float coverage(float distance) {
    return std::clamp(0.5f - distance, 0.0f, 1.0f);
}

// The white mark on the disc at pixel centre p.
float mark(BoxIconKind kind, Point p) {
    constexpr float pi = std::numbers::pi_v<float>;
    switch (kind) {
    case BoxIconKind::Error:
        return std::min(stroke(p, {11, 11}, {21, 21}, 1.6f), stroke(p, {21, 11}, {11, 21}, 1.6f));
    case BoxIconKind::Information:
        return std::min(disc(p, {16, 9.5f}, 2.1f), stroke(p, {16, 14}, {16, 24}, 1.9f));
    case BoxIconKind::Question:
        return std::min({arc(p, {16, 12}, 4.5f, pi, 2.5f * pi, 1.8f),
                         stroke(p, {16, 16.5f}, {16, 19}, 1.8f), disc(p, {16, 23.5f}, 2.0f)});
    }
    return 1.0f;
}

} // namespace

SDL_Surface* makeBoxIcon(BoxIconKind kind) {
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormat(0, kBoxIconSize, kBoxIconSize, 32, SDL_PIXELFORMAT_ARGB8888);
    if (surface == nullptr) {
        return nullptr;
    }
    // Windows' palette: a red for errors, a blue for information and questions.
    const float red = kind == BoxIconKind::Error ? 0xE8 : 0x00;
    const float green = kind == BoxIconKind::Error ? 0x11 : 0x5F;
    const float blue = kind == BoxIconKind::Error ? 0x23 : 0xB8;
    auto* pixels = static_cast<Uint32*>(surface->pixels);
    const int pitch = surface->pitch / 4;
    for (int y = 0; y < kBoxIconSize; ++y) {
        for (int x = 0; x < kBoxIconSize; ++x) {
            const Point p{x + 0.5f, y + 0.5f};
            const float ground = coverage(disc(p, {16, 16}, 15.0f));
            const float white = coverage(mark(kind, p));
            // White over the disc's colour; the disc's coverage is the alpha.
            const auto channel = [white](float colour) {
                return static_cast<Uint32>(std::lround(colour + (255.0f - colour) * white));
            };
            const auto alpha = static_cast<Uint32>(std::lround(255.0f * ground));
            pixels[y * pitch + x] =
                alpha << 24 | channel(red) << 16 | channel(green) << 8 | channel(blue);
        }
    }
    return surface;
}

std::optional<BoxIconKind> boxIconKind(UINT type) {
    switch (type & 0xF0) {
    case MB_ICONERROR:
        return BoxIconKind::Error;
    case MB_ICONINFORMATION:
        return BoxIconKind::Information;
    case MB_ICONQUESTION:
        return BoxIconKind::Question;
    default:
        return std::nullopt;
    }
}
