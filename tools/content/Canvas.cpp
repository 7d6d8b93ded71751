// Canvas: a float RGBA picture that the art tools paint with anti-aliased shapes and gradients.
#include "tools/content/Canvas.h"

#include <SDL.h>
#include <SDL_image.h>
#include <algorithm>
#include <cmath>

namespace {

float clamp01(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}

Colour premultiply(Colour c) {
    return {c.r * c.a, c.g * c.a, c.b * c.a, c.a};
}

// Fraction of a pixel that a shape covers, from the signed distance at its centre.
float coverage(float distance) {
    return clamp01(0.5f - distance);
}

uint32_t toByte(float v) {
    return static_cast<uint32_t>(std::lround(clamp01(v) * 255.0f));
}

// Writes the picture into a new ARGB8888 surface and hands it to save; false on failure.
bool saveSurface(const Canvas& canvas, const std::function<int(SDL_Surface*)>& save) {
    std::vector<uint32_t> argb = canvas.toArgb();
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, canvas.getWidth(), canvas.getHeight(),
                                                          32, SDL_PIXELFORMAT_ARGB8888);
    if (surface == nullptr) {
        return false;
    }
    for (int y = 0; y < canvas.getHeight(); ++y) {
        auto* row = reinterpret_cast<uint8_t*>(surface->pixels) + y * surface->pitch;
        std::copy_n(argb.data() + static_cast<size_t>(y) * canvas.getWidth(), canvas.getWidth(),
                    reinterpret_cast<uint32_t*>(row));
    }
    const bool ok = save(surface) == 0;
    SDL_FreeSurface(surface);
    return ok;
}

} // namespace

Colour rgb(uint32_t hex, float a) {
    return {((hex >> 16) & 0xFF) / 255.0f, ((hex >> 8) & 0xFF) / 255.0f, (hex & 0xFF) / 255.0f, a};
}

Colour mix(Colour c0, Colour c1, float t) {
    return {c0.r + (c1.r - c0.r) * t, c0.g + (c1.g - c0.g) * t, c0.b + (c1.b - c0.b) * t,
            c0.a + (c1.a - c0.a) * t};
}

Colour fade(Colour c, float k) {
    return {c.r, c.g, c.b, c.a * k};
}

Colour shade(Colour c, float amount) {
    const Colour target = amount > 0 ? Colour{1, 1, 1, c.a} : Colour{0, 0, 0, c.a};
    return mix(c, target, std::fabs(amount));
}

Canvas::Canvas(int w, int h)
    : width(w), height(h), pixels(static_cast<size_t>(w) * static_cast<size_t>(h)) {}

void Canvas::set(int x, int y, Colour c) {
    if (x < 0 || y < 0 || x >= width || y >= height) {
        return;
    }
    pixels[static_cast<size_t>(y) * width + x] = premultiply(c);
}

Colour Canvas::sample(float x, float y) const {
    const float fx = x - 0.5f;
    const float fy = y - 0.5f;
    const int x0 = static_cast<int>(std::floor(fx));
    const int y0 = static_cast<int>(std::floor(fy));
    const float tx = fx - x0;
    const float ty = fy - y0;
    // Blend premultiplied texels so that transparent neighbours do not darken the edge.
    auto texel = [&](int px, int py) {
        if (px < 0 || py < 0 || px >= width || py >= height) {
            return Colour{};
        }
        return pixels[static_cast<size_t>(py) * width + px];
    };
    const Colour top = mix(texel(x0, y0), texel(x0 + 1, y0), tx);
    const Colour bottom = mix(texel(x0, y0 + 1), texel(x0 + 1, y0 + 1), tx);
    const Colour p = mix(top, bottom, ty);
    if (p.a <= 1e-6f) {
        return {};
    }
    return {p.r / p.a, p.g / p.a, p.b / p.a, p.a};
}

void Canvas::blend(size_t i, Colour src) {
    Colour& dst = pixels[i];
    const float keep = 1.0f - src.a;
    dst = {src.r + dst.r * keep, src.g + dst.g * keep, src.b + dst.b * keep, src.a + dst.a * keep};
}

void Canvas::fill(const Shape& shape, const Paint& paint, float opacity) {
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const float px = x + 0.5f;
            const float py = y + 0.5f;
            const float cover = coverage(shape(px, py)) * opacity;
            if (cover <= 0.0f) {
                continue;
            }
            blend(static_cast<size_t>(y) * width + x, premultiply(fade(paint(px, py), cover)));
        }
    }
}

void Canvas::fill(const Shape& shape, Colour colour, float opacity) {
    fill(
        shape, [colour](float, float) { return colour; }, opacity);
}

void Canvas::glow(const Shape& shape, Colour colour, float radius, bool inside) {
    fill([](float, float) { return -1.0f; },
         [&](float x, float y) {
             const float d = shape(x, y);
             // Smooth falloff: full at the edge, gone at radius; the covered part of an edge
             // pixel counts as inside.
             const float t = clamp01(1.0f - std::max(d, 0.0f) / radius);
             const float outside = t * t * (3.0f - 2.0f * t);
             const float cover = coverage(d);
             return fade(colour, (1.0f - cover) * outside + (inside ? cover : 0.0f));
         });
}

void Canvas::bevel(const Shape& shape, float width, float strength) {
    const float lightX = -0.55f;
    const float lightY = -0.835f;
    fill(shape, [&](float x, float y) {
        const float depth = -shape(x, y);
        if (depth >= width) {
            return Colour{};
        }
        const float h = 0.5f;
        float nx = shape(x + h, y) - shape(x - h, y);
        float ny = shape(x, y + h) - shape(x, y - h);
        const float length = std::sqrt(nx * nx + ny * ny);
        if (length < 1e-6f) {
            return Colour{};
        }
        nx /= length;
        ny /= length;
        const float facing = nx * lightX + ny * lightY;
        const float profile = 1.0f - clamp01(depth / width);
        const float k = strength * profile * std::fabs(facing);
        return facing > 0 ? Colour{1, 1, 1, k} : Colour{0, 0, 0.05f, k};
    });
}

void Canvas::draw(const Canvas& other, int x, int y, float opacity) {
    for (int sy = 0; sy < other.height; ++sy) {
        for (int sx = 0; sx < other.width; ++sx) {
            const int dx = x + sx;
            const int dy = y + sy;
            if (dx < 0 || dy < 0 || dx >= width || dy >= height) {
                continue;
            }
            Colour src = other.pixels[static_cast<size_t>(sy) * other.width + sx];
            src = {src.r * opacity, src.g * opacity, src.b * opacity, src.a * opacity};
            blend(static_cast<size_t>(dy) * width + dx, src);
        }
    }
}

std::vector<uint32_t> Canvas::toArgb() const {
    std::vector<uint32_t> out(pixels.size());
    for (size_t i = 0; i < pixels.size(); ++i) {
        const Colour& p = pixels[i];
        const float a = clamp01(p.a);
        const uint32_t alpha = toByte(a);
        if (alpha == 0) {
            out[i] = 0;
            continue;
        }
        out[i] = alpha << 24 | toByte(p.r / a) << 16 | toByte(p.g / a) << 8 | toByte(p.b / a);
    }
    return out;
}

bool Canvas::savePng(const std::string& path) const {
    return saveSurface(*this, [&](SDL_Surface* s) { return IMG_SavePNG(s, path.c_str()); });
}

bool Canvas::saveBmp(const std::string& path) const {
    return saveSurface(*this, [&](SDL_Surface* s) { return SDL_SaveBMP(s, path.c_str()); });
}
