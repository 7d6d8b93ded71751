// The ID3DXFont stand-in and D3DXCreateFontA: lines rasterised once, their ink kept as coverage
// and as textures tinted in the colours drawn.
#include "gfx/platform/D3DXFont.h"

#include "app/platform/TextCodec.h"
#include "gfx/platform/FontFace.h"
#include "gfx/platform/SdlDevice.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

D3DXFont::D3DXFont(IDirect3DDevice9* device, FaceRequest request)
    : device(device), request(std::move(request)) {
    device->AddRef();
}

FontFace* D3DXFont::getFace() {
    if (!faceTried) {
        faceTried = true;
        face = FontFace::open(request.name, request.weight, request.height);
    }
    return face;
}

D3DXFont::~D3DXFont() {
    while (!lines.empty()) {
        dropLine(lines.begin());
    }
    delete face;
    device->Release();
}

HRESULT D3DXFont::OnLostDevice() {
    while (!lines.empty()) {
        dropLine(lines.begin());
    }
    return D3D_OK;
}

HRESULT D3DXFont::OnResetDevice() {
    return D3D_OK;
}

INT D3DXFont::DrawTextW(ID3DXSprite* pSprite, LPCWSTR pString, INT Count, RECT* pRect, DWORD Format,
                        D3DCOLOR Color) {
    const DWORD alignment = Format & ~static_cast<DWORD>(DT_NOCLIP);
    if (pSprite != nullptr || pString == nullptr || Count != -1 || pRect == nullptr ||
        (Format & DT_NOCLIP) == 0 ||
        (alignment != 0 && alignment != DT_CENTER && alignment != DT_RIGHT) ||
        sdlgfx::getRenderer(device) == nullptr) {
        return 0;
    }
    const std::string text = wideToUtf8(pString);
    const int cellHeight = request.height;
    int count = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find_first_of("\r\n", start);
        drawLine(text.substr(start, end - start), *pRect, pRect->top + count * cellHeight, Format,
                 Color);
        ++count;
        if (end == std::string::npos) {
            break;
        }
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return count * cellHeight;
}

// The ink's box in a rasterised line and the coverage (alpha) of its pixels; false when the
// surface cannot be read.
static bool readCoverage(SDL_Surface* rendered, SDL_Rect& ink,
                         std::vector<std::uint8_t>& coverage) {
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
    if (argb == nullptr || SDL_LockSurface(argb) != 0) {
        SDL_FreeSurface(argb);
        return false;
    }
    auto alphaAt = [argb](int x, int y) {
        const auto* row = reinterpret_cast<const Uint32*>(
            static_cast<const Uint8*>(argb->pixels) + static_cast<std::ptrdiff_t>(y) * argb->pitch);
        return static_cast<std::uint8_t>(row[x] >> 24);
    };
    int left = argb->w, top = argb->h, right = -1, bottom = -1;
    for (int y = 0; y < argb->h; ++y) {
        for (int x = 0; x < argb->w; ++x) {
            if (alphaAt(x, y) != 0) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    ink =
        right < 0 ? SDL_Rect{0, 0, 0, 0} : SDL_Rect{left, top, right - left + 1, bottom - top + 1};
    coverage.resize(static_cast<std::size_t>(ink.w) * static_cast<std::size_t>(ink.h));
    for (int y = 0; y < ink.h; ++y) {
        for (int x = 0; x < ink.w; ++x) {
            coverage[static_cast<std::size_t>(y) * ink.w + x] = alphaAt(ink.x + x, ink.y + y);
        }
    }
    SDL_UnlockSurface(argb);
    SDL_FreeSurface(argb);
    return true;
}

// The kept line, rasterised on its first use; null for an empty line or when it cannot be made.
D3DXFont::Line* D3DXFont::lineOf(const std::string& utf8) {
    auto found = lines.find(utf8);
    if (found != lines.end()) {
        found->second.lastUse = ++useClock;
        return &found->second;
    }
    FontFace* opened = getFace();
    SDL_Surface* surface = opened != nullptr ? opened->render(utf8) : nullptr;
    if (surface == nullptr) {
        return nullptr;
    }
    Line line;
    line.width = surface->w;
    line.height = surface->h;
    line.raised = opened->raisedBy(utf8);
    const bool read = readCoverage(surface, line.ink, line.coverage);
    SDL_FreeSurface(surface);
    if (!read) {
        return nullptr;
    }
    if (lines.size() >= kMaxLines) {
        evictOldest(nullptr);
    }
    line.lastUse = ++useClock;
    bytes += line.coverage.size();
    return &lines.emplace(utf8, std::move(line)).first->second;
}

// The line's ink tinted in colour: a kept texture of that colour, a new one while the line has
// fewer than kMaxTints, else its least recently drawn one tinted afresh. Null on failure.
SDL_Texture* D3DXFont::tintOf(Line& line, D3DCOLOR colour) {
    for (Tint& tint : line.tints) {
        if (tint.colour == colour) {
            tint.lastUse = ++useClock;
            return tint.texture;
        }
    }
    if (!paint(line, colour)) {
        return nullptr;
    }
    const int pitch = line.ink.w * 4;
    if (line.tints.size() < kMaxTints) {
        SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
            texels.data(), line.ink.w, line.ink.h, 32, pitch, SDL_PIXELFORMAT_ARGB8888);
        SDL_Texture* texture = sdlgfx::createTexture(device, surface);
        SDL_FreeSurface(surface);
        if (texture == nullptr) {
            return nullptr;
        }
        line.tints.push_back(Tint{colour, texture, ++useClock});
        bytes += texels.size() * 4;
        while (bytes > kMaxBytes && lines.size() > 1) {
            evictOldest(&line);
        }
        return texture;
    }
    Tint* oldest = &line.tints.front();
    for (Tint& tint : line.tints) {
        oldest = tint.lastUse < oldest->lastUse ? &tint : oldest;
    }
    if (!sdlgfx::updateTexture(device, oldest->texture, texels.data(), pitch)) {
        return nullptr;
    }
    oldest->colour = colour;
    oldest->lastUse = ++useClock;
    return oldest->texture;
}

// Fills the scratch texels with the line's ink in colour: its RGB, and coverage x its alpha.
bool D3DXFont::paint(const Line& line, D3DCOLOR colour) {
    const std::uint32_t alpha = colour >> 24;
    const std::uint32_t rgb = colour & 0x00FFFFFFu;
    try {
        texels.resize(line.coverage.size());
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (std::size_t i = 0; i < line.coverage.size(); ++i) {
        texels[i] = (line.coverage[i] * alpha / 255u) << 24 | rgb;
    }
    return true;
}

std::size_t D3DXFont::getTintCount(const std::string& utf8) const {
    const auto found = lines.find(utf8);
    return found != lines.end() ? found->second.tints.size() : 0;
}

void D3DXFont::dropLine(std::unordered_map<std::string, Line>::iterator line) {
    for (const Tint& tint : line->second.tints) {
        sdlgfx::destroyTexture(device, tint.texture);
        bytes -= line->second.coverage.size() * 4;
    }
    bytes -= line->second.coverage.size();
    lines.erase(line);
}

// Drops the least recently drawn line other than keep.
void D3DXFont::evictOldest(const Line* keep) {
    auto oldest = lines.end();
    for (auto it = lines.begin(); it != lines.end(); ++it) {
        if (&it->second != keep &&
            (oldest == lines.end() || it->second.lastUse < oldest->second.lastUse)) {
            oldest = it;
        }
    }
    if (oldest != lines.end()) {
        dropLine(oldest);
    }
}

void D3DXFont::drawLine(const std::string& utf8, const RECT& rect, int top, DWORD format,
                        D3DCOLOR colour) {
    // A colour of alpha 0 leaves every pixel as it was.
    Line* line = utf8.empty() || (colour >> 24) == 0 ? nullptr : lineOf(utf8);
    if (line == nullptr || line->ink.w == 0) {
        return;
    }
    int left = rect.left;
    if ((format & DT_CENTER) != 0) {
        left = rect.left + (rect.right - rect.left - line->width) / 2;
    } else if ((format & DT_RIGHT) != 0) {
        left = rect.right - line->width;
    }
    const SDL_Rect src{0, 0, line->ink.w, line->ink.h};
    const int baselineTop = top + face->getTopOffset() - line->raised;
    const SDL_Rect dst{left + line->ink.x, baselineTop + line->ink.y, line->ink.w, line->ink.h};
    SDL_Texture* texture = tintOf(*line, colour);
    if (texture != nullptr) {
        // Already tinted: drawn unmodulated, which SDL's software renderer blends fastest.
        sdlgfx::drawTexture(device, texture, &src, dst, 0xFFFFFFFF);
    }
}

HRESULT WINAPI D3DXCreateFontA(IDirect3DDevice9* pDevice, INT Height, UINT Width, UINT Weight,
                               UINT /*MipLevels*/, BOOL Italic, DWORD /*CharSet*/,
                               DWORD /*OutputPrecision*/, DWORD /*Quality*/,
                               DWORD /*PitchAndFamily*/, LPCSTR pFaceName, ID3DXFont** ppFont) {
    if (ppFont == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *ppFont = nullptr;
    // Only proportional, upright faces of a cell height (positive) in pixels are made: em
    // sizes (negative heights), a forced width or italics are not supported.
    if (pDevice == nullptr || Height <= 0 || Width != 0 || Italic) {
        return D3DERR_INVALIDCALL;
    }
    // Face names are at most 31 characters, as in a LOGFONT.
    std::string name = pFaceName ? std::string(pFaceName, strnlen(pFaceName, 31)) : std::string();
    if (Height > FontFace::kMaxHeight) {
        return E_FAIL;
    }
    *ppFont = new D3DXFont(pDevice, {cp1250ToUtf8(name), static_cast<int>(Weight), Height});
    return D3D_OK;
}
