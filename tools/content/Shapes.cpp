// Shapes: signed-distance shapes (distance in pixels, negative inside) and ways to combine them.
#include "tools/content/Shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

float length(float x, float y) {
    return std::sqrt(x * x + y * y);
}

// Distance from p to the segment a-b.
float segmentDistance(Point p, Point a, Point b) {
    const float ex = b.x - a.x;
    const float ey = b.y - a.y;
    const float wx = p.x - a.x;
    const float wy = p.y - a.y;
    const float len2 = ex * ex + ey * ey;
    const float t = len2 > 0 ? std::clamp((wx * ex + wy * ey) / len2, 0.0f, 1.0f) : 0.0f;
    return length(wx - ex * t, wy - ey * t);
}

// A box centred on (cx, cy) with half sizes hw and hh and corners rounded by radius r.
Shape roundedBox(float cx, float cy, float hw, float hh, float r) {
    return [=](float x, float y) {
        const float qx = std::fabs(x - cx) - hw + r;
        const float qy = std::fabs(y - cy) - hh + r;
        return length(std::max(qx, 0.0f), std::max(qy, 0.0f)) + std::min(std::max(qx, qy), 0.0f) -
               r;
    };
}

} // namespace

Shape circle(float cx, float cy, float r) {
    return [=](float x, float y) { return length(x - cx, y - cy) - r; };
}

Shape roundedRect(float x, float y, float w, float h, float r) {
    return roundedBox(x + w / 2, y + h / 2, w / 2, h / 2, r);
}

Shape capsule(Point a, Point b, float r) {
    return [=](float x, float y) { return segmentDistance({x, y}, a, b) - r; };
}

Shape arc(Point c, float radius, float a0, float a1, float r) {
    const Point start{c.x + radius * std::cos(a0), c.y + radius * std::sin(a0)};
    const Point end{c.x + radius * std::cos(a1), c.y + radius * std::sin(a1)};
    const float span = a1 - a0;
    return [=](float x, float y) {
        // Angle of the point measured from a0, folded into [0, 2 pi).
        const float twoPi = 2.0f * std::numbers::pi_v<float>;
        float t = std::atan2(y - c.y, x - c.x) - a0;
        t -= twoPi * std::floor(t / twoPi);
        if (t <= span) {
            return std::fabs(length(x - c.x, y - c.y) - radius) - r;
        }
        return std::min(length(x - start.x, y - start.y), length(x - end.x, y - end.y)) - r;
    };
}

Shape polygon(std::vector<Point> points) {
    return [points = std::move(points)](float x, float y) {
        // Distance to the nearest edge, signed by the even-odd rule.
        float best = 1e30f;
        bool inside = false;
        for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
            const Point a = points[j];
            const Point b = points[i];
            best = std::min(best, segmentDistance({x, y}, a, b));
            if ((b.y > y) != (a.y > y) && x < (a.x - b.x) * (y - b.y) / (a.y - b.y) + b.x) {
                inside = !inside;
            }
        }
        return inside ? -best : best;
    };
}

Shape star(float cx, float cy, float size, float waist) {
    const float w = size * waist;
    return polygon({{cx, cy - size},
                    {cx + w, cy - w},
                    {cx + size, cy},
                    {cx + w, cy + w},
                    {cx, cy + size},
                    {cx - w, cy + w},
                    {cx - size, cy},
                    {cx - w, cy - w}});
}

Shape unite(Shape a, Shape b) {
    return [=](float x, float y) { return std::min(a(x, y), b(x, y)); };
}

Shape subtract(Shape a, Shape b) {
    return [=](float x, float y) { return std::max(a(x, y), -b(x, y)); };
}

Shape intersect(Shape a, Shape b) {
    return [=](float x, float y) { return std::max(a(x, y), b(x, y)); };
}

Shape inflate(Shape s, float r) {
    return [=](float x, float y) { return s(x, y) - r; };
}

Shape translate(Shape s, float dx, float dy) {
    return [=](float x, float y) { return s(x - dx, y - dy); };
}

Shape tiled(Shape s, float w, float h) {
    return [=](float x, float y) {
        float best = 1e30f;
        for (int i = -1; i <= 1; ++i) {
            for (int j = -1; j <= 1; ++j) {
                best = std::min(best, s(x + i * w, y + j * h));
            }
        }
        return best;
    };
}
