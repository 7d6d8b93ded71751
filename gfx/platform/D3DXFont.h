// D3DXFont: the ID3DXFont stand-in, a face rasterised with SDL_ttf whose lines are kept as their
// ink's coverage, with a few textures per line already tinted in the colours it is drawn in.
#pragma once

#include "ComObject.h"

#include <d3dx9.h>

#include <SDL_render.h>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

class FontFace;

class D3DXFont final : public ComObject<ID3DXFont> {
  public:
    // What a font asks of its face: the name (UTF-8), the weight and the height as
    // D3DXCreateFontA takes them.
    struct FaceRequest {
        std::string name;
        int weight = 0;
        int height = 0;
    };

    // A font on the device whose lines are request.height pixels apart; it takes a reference
    // on the device and owns its face, opened when the font first needs it, as Windows maps a
    // font to a face only when it is first used, so that making a font costs nothing until it
    // draws.
    explicit D3DXFont(IDirect3DDevice9* device, FaceRequest request);

    // Draws a zero-ended (Count -1) wide text at rect's corner, unclipped (DT_NOCLIP):
    // lines split at "\n" (and "\r\n"), each aligned by itself (DT_CENTER, DT_RIGHT or left)
    // within rect, one cell height below the previous. Other counts and formats, and drawing
    // through a sprite (pSprite not null), are not supported: nothing is drawn and 0 is
    // returned. Returns the height of the text drawn.
    INT DrawTextW(ID3DXSprite* pSprite, LPCWSTR pString, INT Count, RECT* pRect, DWORD Format,
                  D3DCOLOR Color) override;
    // Before a reset: the kept lines and their textures go, as D3DX's glyph textures in the
    // device's memory do; they are made again as the texts are drawn.
    HRESULT OnLostDevice() override;
    // After a reset: nothing to make before the next draw.
    HRESULT OnResetDevice() override;

    // The face, opened on the first call when the font was made without it; null when it
    // cannot be opened (that is tried once).
    FontFace* getFace();
    // Number of lines kept.
    std::size_t getCachedLineCount() const { return lines.size(); }
    // Number of tinted textures kept for a line (UTF-8); 0 when the line is not kept.
    std::size_t getTintCount(const std::string& utf8) const;
    // Bytes of coverage and tinted texels the font keeps.
    std::size_t getCachedBytes() const { return bytes; }

    // Most lines a font keeps; the least recently drawn goes first.
    static constexpr std::size_t kMaxLines = 128;
    // Most tinted textures of one line; a new colour beyond them re-tints the least recently
    // drawn one in place.
    static constexpr std::size_t kMaxTints = 4;
    // Most bytes of coverage and texels a font keeps (whole lines go, least recently drawn
    // first, while more are kept, except the line being drawn).
    static constexpr std::size_t kMaxBytes = 8u << 20;

  private:
    // A texture of the line's ink in one colour: texel alpha is coverage x colour alpha.
    struct Tint {
        D3DCOLOR colour = 0;
        SDL_Texture* texture = nullptr;
        std::uint64_t lastUse = 0;
    };
    // A rasterised line: its cell box, the box of its ink within it and the ink's coverage.
    struct Line {
        int width = 0;
        int height = 0;
        int raised = 0; // rows above the ascent that the line's tallest glyphs took
        SDL_Rect ink{0, 0, 0, 0};
        std::vector<std::uint8_t> coverage; // ink.w x ink.h
        std::vector<Tint> tints;
        std::uint64_t lastUse = 0;
    };

    // Frees the lines' textures, the face, then lets go of the device.
    ~D3DXFont() override;
    Line* lineOf(const std::string& utf8);
    SDL_Texture* tintOf(Line& line, D3DCOLOR colour);
    bool paint(const Line& line, D3DCOLOR colour);
    void dropLine(std::unordered_map<std::string, Line>::iterator line);
    void evictOldest(const Line* keep);
    void drawLine(const std::string& utf8, const RECT& rect, int top, DWORD format,
                  D3DCOLOR colour);

    IDirect3DDevice9* device;
    FaceRequest request;
    FontFace* face = nullptr;
    bool faceTried = false;
    std::unordered_map<std::string, Line> lines;
    std::vector<std::uint32_t> texels; // scratch for tinting
    std::size_t bytes = 0;
    std::uint64_t useClock = 0;
};
