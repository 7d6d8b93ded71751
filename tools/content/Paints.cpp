// Paints: gradients and noise that fills lay on a canvas, and the palette all pictures share.
#include "tools/content/Paints.h"

#include <algorithm>
#include <cmath>

Colour gradientAt(const std::vector<GradientStop>& stops, float t) {
    if (t <= stops.front().t) {
        return stops.front().colour;
    }
    for (size_t i = 1; i < stops.size(); ++i) {
        if (t <= stops[i].t) {
            const float span = stops[i].t - stops[i - 1].t;
            const float k = span > 0 ? (t - stops[i - 1].t) / span : 1.0f;
            return mix(stops[i - 1].colour, stops[i].colour, k);
        }
    }
    return stops.back().colour;
}

Paint linearGradient(float x0, float y0, float x1, float y1, std::vector<GradientStop> stops) {
    const float dx = x1 - x0;
    const float dy = y1 - y0;
    const float len2 = dx * dx + dy * dy;
    return [=, stops = std::move(stops)](float x, float y) {
        return gradientAt(stops, ((x - x0) * dx + (y - y0) * dy) / len2);
    };
}

Paint radialGradient(float cx, float cy, float r, std::vector<GradientStop> stops) {
    return ellipticGradient(cx, cy, r, r, std::move(stops));
}

Paint ellipticGradient(float cx, float cy, float rx, float ry, std::vector<GradientStop> stops) {
    return [=, stops = std::move(stops)](float x, float y) {
        const float dx = (x - cx) / rx;
        const float dy = (y - cy) / ry;
        return gradientAt(stops, std::sqrt(dx * dx + dy * dy));
    };
}

float hashUnit(uint32_t n, uint32_t seed) {
    // A small integer hash (lowbias32) of the value mixed with the seed.
    uint32_t h = n * 0x9E3779B1u ^ seed * 0x85EBCA77u;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return static_cast<float>(h & 0xFFFFFF) / static_cast<float>(0xFFFFFF);
}

float valueNoise(float x, float y, float cell, int period, uint32_t seed) {
    const float fx = x / cell;
    const float fy = y / cell;
    const int ix = static_cast<int>(std::floor(fx));
    const int iy = static_cast<int>(std::floor(fy));
    auto lattice = [&](int i, int j) {
        const uint32_t wi = static_cast<uint32_t>(((i % period) + period) % period);
        const uint32_t wj = static_cast<uint32_t>(((j % period) + period) % period);
        return hashUnit(wi * 4099u + wj, seed);
    };
    auto smooth = [](float t) { return t * t * (3.0f - 2.0f * t); };
    const float tx = smooth(fx - ix);
    const float ty = smooth(fy - iy);
    const float top = lattice(ix, iy) + (lattice(ix + 1, iy) - lattice(ix, iy)) * tx;
    const float bottom = lattice(ix, iy + 1) + (lattice(ix + 1, iy + 1) - lattice(ix, iy + 1)) * tx;
    return top + (bottom - top) * ty;
}
