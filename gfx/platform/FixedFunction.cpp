// FixedFunction: Direct3D 9's fixed-function colouring and blending of pre-transformed triangle
// fans, turned into copies, fills and triangles of the frame cache.
#include "FixedFunction.h"

#include "SdlTexture.h"

#include <algorithm>
#include <cmath>

namespace {

std::uint8_t alphaOf(D3DCOLOR c) {
    return static_cast<std::uint8_t>(c >> 24);
}
std::uint8_t redOf(D3DCOLOR c) {
    return static_cast<std::uint8_t>(c >> 16);
}
std::uint8_t greenOf(D3DCOLOR c) {
    return static_cast<std::uint8_t>(c >> 8);
}
std::uint8_t blueOf(D3DCOLOR c) {
    return static_cast<std::uint8_t>(c);
}

// a x b / 255, rounded, for 8-bit channels.
std::uint32_t modulate(std::uint32_t a, std::uint32_t b) {
    return (a * b + 127) / 255;
}

SDL_BlendFactor blendFactor(DWORD blend) {
    switch (blend) {
    case D3DBLEND_ZERO:
        return SDL_BLENDFACTOR_ZERO;
    case D3DBLEND_SRCALPHA:
        return SDL_BLENDFACTOR_SRC_ALPHA;
    case D3DBLEND_INVSRCALPHA:
        return SDL_BLENDFACTOR_ONE_MINUS_SRC_ALPHA;
    default:
        return SDL_BLENDFACTOR_ONE;
    }
}

bool isBlendFactor(DWORD value) {
    return value == D3DBLEND_ZERO || value == D3DBLEND_ONE || value == D3DBLEND_SRCALPHA ||
           value == D3DBLEND_INVSRCALPHA;
}

} // namespace

HRESULT FixedFunction::setBlendState(D3DRENDERSTATETYPE state, DWORD value) {
    if (state == D3DRS_ALPHABLENDENABLE) {
        alphaBlend = value;
        return D3D_OK;
    }
    if (!isBlendFactor(value)) {
        return D3DERR_INVALIDCALL;
    }
    (state == D3DRS_SRCBLEND ? srcBlend : destBlend) = value;
    return D3D_OK;
}

// Draws a fan of pre-transformed vertices with the fixed-function defaults of texture stage 0:
// colour = texture x diffuse and alpha = texture alpha with a texture bound (vertices without
// texture coordinates sample texel (0, 0)); diffuse colour and alpha without one.
void FixedFunction::drawFan(FrameCache& frames, const std::uint8_t* data, UINT stride,
                            bool textured, const SdlTexture* bound, UINT triangles) const {
    std::vector<Vertex> vertices(triangles + 2);
    bool opaque = bound == nullptr || !textured || bound->isOpaque();
    for (UINT i = 0; i < vertices.size(); ++i) {
        const std::uint8_t* at = data + static_cast<std::size_t>(i) * stride;
        Vertex& v = vertices[i];
        D3DCOLOR diffuse = 0;
        SDL_memcpy(&v.x, at, 4);
        SDL_memcpy(&v.y, at + 4, 4);
        SDL_memcpy(&diffuse, at + 16, 4);
        v.u = 0.0f;
        v.v = 0.0f;
        if (textured) {
            SDL_memcpy(&v.u, at + 20, 4);
            SDL_memcpy(&v.v, at + 24, 4);
        }
        if (bound != nullptr && textured) {
            v.colour = 0xFF000000u | (diffuse & 0x00FFFFFFu);
        } else if (bound != nullptr) {
            const D3DCOLOR t = bound->getTopLeft();
            v.colour =
                static_cast<D3DCOLOR>(alphaOf(t)) << 24 | modulate(redOf(t), redOf(diffuse)) << 16 |
                modulate(greenOf(t), greenOf(diffuse)) << 8 | modulate(blueOf(t), blueOf(diffuse));
        } else {
            v.colour = diffuse;
        }
        opaque = opaque && alphaOf(v.colour) == 255;
    }
    SDL_BlendMode mode = blendMode();
    if (mode == SDL_BLENDMODE_BLEND && opaque) {
        mode = SDL_BLENDMODE_NONE; // the same pixels, without the blending cost
    }
    const SdlTexture* sampled = textured ? bound : nullptr;
    if (triangles == 2 && drawQuadFast(frames, vertices.data(), sampled, mode)) {
        return;
    }
    std::vector<SDL_Vertex> points(vertices.size());
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        const Vertex& v = vertices[i];
        // Direct3D 9 puts pixel centres on whole coordinates, SDL half a pixel further.
        points[i].position = SDL_FPoint{v.x + 0.5f, v.y + 0.5f};
        points[i].color =
            SDL_Color{redOf(v.colour), greenOf(v.colour), blueOf(v.colour), alphaOf(v.colour)};
        points[i].tex_coord = SDL_FPoint{std::clamp(v.u, 0.0f, 1.0f), std::clamp(v.v, 0.0f, 1.0f)};
    }
    std::vector<int> indices;
    for (UINT i = 1; i <= triangles; ++i) {
        indices.insert(indices.end(), {0, static_cast<int>(i), static_cast<int>(i + 1)});
    }
    frames.drawTriangles(sampled ? sampled->getTexture() : nullptr, points, indices, mode);
}
// Draws a fan of four vertices that form an axis-aligned rectangle of one colour, with texture
// coordinates that map the texture straight onto it, as one copy or fill. False when the quad
// is not of that kind and must go through the triangle path.
bool FixedFunction::drawQuadFast(FrameCache& frames, const Vertex* v, const SdlTexture* tex,
                                 SDL_BlendMode mode) const {
    float minX = v[0].x, maxX = v[0].x, minY = v[0].y, maxY = v[0].y;
    for (int i = 1; i < 4; ++i) {
        minX = std::min(minX, v[i].x);
        maxX = std::max(maxX, v[i].x);
        minY = std::min(minY, v[i].y);
        maxY = std::max(maxY, v[i].y);
    }
    unsigned corners = 0;
    float uAt[2] = {-1.0f, -1.0f}, vAt[2] = {-1.0f, -1.0f};
    for (int i = 0; i < 4; ++i) {
        const Vertex& a = v[i];
        const Vertex& b = v[(i + 1) % 4];
        const bool onX = a.x == minX || a.x == maxX;
        const bool onY = a.y == minY || a.y == maxY;
        if (!onX || !onY || a.colour != v[0].colour || (a.x != b.x) == (a.y != b.y)) {
            return false;
        }
        const int right = a.x == maxX ? 1 : 0;
        const int bottom = a.y == maxY ? 1 : 0;
        corners |= 1u << (right + 2 * bottom);
        if ((uAt[right] >= 0.0f && uAt[right] != a.u) ||
            (vAt[bottom] >= 0.0f && vAt[bottom] != a.v) || a.u < 0.0f || a.u > 1.0f || a.v < 0.0f ||
            a.v > 1.0f) {
            return false;
        }
        uAt[right] = a.u;
        vAt[bottom] = a.v;
    }
    if (corners != 0xF) {
        return false;
    }
    // Pixels whose centres (whole coordinates) lie inside [min, max) are covered.
    const int left = static_cast<int>(std::ceil(minX));
    const int top = static_cast<int>(std::ceil(minY));
    const SDL_Rect dst{left, top, static_cast<int>(std::ceil(maxX)) - left,
                       static_cast<int>(std::ceil(maxY)) - top};
    if (dst.w <= 0 || dst.h <= 0) {
        return true;
    }
    if (tex == nullptr) {
        frames.fill(dst, v[0].colour, mode);
        return true;
    }
    // Left to right and top to bottom in the texture too: a mirrored one takes the triangles.
    const int x0 = static_cast<int>(std::lround(uAt[0] * tex->getWidth()));
    const int x1 = static_cast<int>(std::lround(uAt[1] * tex->getWidth()));
    const int y0 = static_cast<int>(std::lround(vAt[0] * tex->getHeight()));
    const int y1 = static_cast<int>(std::lround(vAt[1] * tex->getHeight()));
    if (x1 <= x0 || y1 <= y0) {
        return false;
    }
    const SDL_Rect src{x0, y0, x1 - x0, y1 - y0};
    frames.copy(tex->getTexture(), &src, dst, v[0].colour, mode);
    return true;
}

SDL_BlendMode FixedFunction::blendMode() const {
    if (!alphaBlend || (srcBlend == D3DBLEND_ONE && destBlend == D3DBLEND_ZERO)) {
        return SDL_BLENDMODE_NONE;
    }
    if (srcBlend == D3DBLEND_SRCALPHA && destBlend == D3DBLEND_INVSRCALPHA) {
        return SDL_BLENDMODE_BLEND;
    }
    return SDL_ComposeCustomBlendMode(blendFactor(srcBlend), blendFactor(destBlend),
                                      SDL_BLENDOPERATION_ADD, blendFactor(srcBlend),
                                      blendFactor(destBlend), SDL_BLENDOPERATION_ADD);
}
