// The ID3DXFont stand-in and D3DXCreateFontA: lines rasterised once, kept as textures, tinted.
#include "gfx/platform/D3DXFont.h"

#include "app/platform/TextCodec.h"
#include "gfx/platform/FontFace.h"
#include "gfx/platform/SdlDevice.h"

#include <cstring>

D3DXFont::D3DXFont(IDirect3DDevice9* device, FontFace* face, int cellHeight)
    : device(device), face(face), cellHeight(cellHeight) {
    device->AddRef();
}

D3DXFont::~D3DXFont() {
    for (auto& entry : lines) {
        sdlgfx::destroyTexture(device, entry.second.texture);
    }
    lines.clear();
    delete face;
    device->Release();
}

ULONG D3DXFont::AddRef() {
    return ++refs;
}

ULONG D3DXFont::Release() {
    const ULONG left = --refs;
    if (left == 0) {
        delete this;
    }
    return left;
}

INT D3DXFont::DrawTextA(ID3DXSprite* pSprite, LPCSTR pString, INT Count, RECT* pRect, DWORD Format,
                        D3DCOLOR Color) {
    const DWORD supported = DT_CENTER | DT_RIGHT | DT_NOCLIP;
    if (pSprite != nullptr || pString == nullptr || pRect == nullptr ||
        (Format & ~supported) != 0 || sdlgfx::getRenderer(device) == nullptr) {
        return 0;
    }
    const std::size_t length =
        Count < 0 ? std::strlen(pString) : strnlen(pString, static_cast<std::size_t>(Count));
    const std::string text = cp1250ToUtf8(std::string(pString, length));
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

// The cached texture of a line, rasterised on its first use; null for an empty line or when
// it cannot be made.
const D3DXFont::Line* D3DXFont::lineOf(const std::string& utf8) {
    auto found = lines.find(utf8);
    if (found != lines.end()) {
        found->second.lastUse = ++useClock;
        return &found->second;
    }
    SDL_Surface* surface = face->render(utf8);
    if (surface == nullptr) {
        return nullptr;
    }
    SDL_Texture* texture = sdlgfx::createTexture(device, surface);
    const int width = surface->w;
    const int height = surface->h;
    SDL_FreeSurface(surface);
    if (texture == nullptr) {
        return nullptr;
    }
    if (lines.size() >= kMaxLines) {
        evictOldest();
    }
    Line& line = lines[utf8];
    line = Line{texture, width, height, ++useClock};
    return &line;
}

void D3DXFont::evictOldest() {
    auto oldest = lines.begin();
    for (auto it = lines.begin(); it != lines.end(); ++it) {
        if (it->second.lastUse < oldest->second.lastUse) {
            oldest = it;
        }
    }
    if (oldest != lines.end()) {
        sdlgfx::destroyTexture(device, oldest->second.texture);
        lines.erase(oldest);
    }
}

// Cuts the line's source and destination rectangles to rect; false when nothing is left.
static bool clipTo(const RECT& rect, SDL_Rect& src, SDL_Rect& dst) {
    const SDL_Rect clip{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    SDL_Rect kept;
    if (!SDL_IntersectRect(&dst, &clip, &kept)) {
        return false;
    }
    src = SDL_Rect{src.x + kept.x - dst.x, src.y + kept.y - dst.y, kept.w, kept.h};
    dst = kept;
    return true;
}

void D3DXFont::drawLine(const std::string& utf8, const RECT& rect, int top, DWORD format,
                        D3DCOLOR colour) {
    const Line* line = utf8.empty() ? nullptr : lineOf(utf8);
    if (line == nullptr) {
        return;
    }
    int left = rect.left;
    if ((format & DT_CENTER) != 0) {
        left = rect.left + (rect.right - rect.left - line->width) / 2;
    } else if ((format & DT_RIGHT) != 0) {
        left = rect.right - line->width;
    }
    SDL_Rect src{0, 0, line->width, line->height};
    SDL_Rect dst{left, top, line->width, line->height};
    if ((format & DT_NOCLIP) == 0 && !clipTo(rect, src, dst)) {
        return;
    }
    sdlgfx::drawTexture(device, line->texture, &src, dst, colour);
}

HRESULT WINAPI D3DXCreateFontA(IDirect3DDevice9* pDevice, INT Height, UINT Width, UINT Weight,
                               UINT /*MipLevels*/, BOOL Italic, DWORD /*CharSet*/,
                               DWORD /*OutputPrecision*/, DWORD /*Quality*/,
                               DWORD /*PitchAndFamily*/, LPCSTR pFaceName, ID3DXFont** ppFont) {
    if (ppFont == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *ppFont = nullptr;
    // Only proportional, upright faces are made: a forced width or italics are not supported.
    if (pDevice == nullptr || Height == 0 || Width != 0 || Italic) {
        return D3DERR_INVALIDCALL;
    }
    // Face names are at most 31 characters, as in a LOGFONT.
    std::string name = pFaceName ? std::string(pFaceName, strnlen(pFaceName, 31)) : std::string();
    FontFace* face = FontFace::open(cp1250ToUtf8(name), static_cast<int>(Weight), Height);
    if (face == nullptr) {
        return E_FAIL;
    }
    const int cellHeight = Height > 0 ? Height : face->getHeight();
    *ppFont = new D3DXFont(pDevice, face, cellHeight);
    return D3D_OK;
}
