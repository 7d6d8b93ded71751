// D3DXFont: the ID3DXFont stand-in, a face rasterised with SDL_ttf whose lines are kept as
// textures of the device's renderer and drawn tinted by the text colour.
#pragma once

#include <d3dx9.h>

#include <SDL_render.h>

#include <cstdint>
#include <string>
#include <unordered_map>

class FontFace;

class D3DXFont final : public ID3DXFont {
  public:
    // A font of the face on the device, its lines cellHeight pixels apart; the font takes a
    // reference on the device and owns the face.
    D3DXFont(IDirect3DDevice9* device, FontFace* face, int cellHeight);

    ULONG AddRef() override;
    ULONG Release() override;
    // Draws Windows-1250 text into rect: lines split at "\n" (and "\r\n"), each aligned by itself
    // (DT_CENTER, DT_RIGHT or left) one cell height below the previous, clipped to rect unless
    // DT_NOCLIP. Other formats, and drawing through a sprite (pSprite not null), are not
    // supported: nothing is drawn and 0 is returned. Returns the height of the text drawn.
    INT DrawTextA(ID3DXSprite* pSprite, LPCSTR pString, INT Count, RECT* pRect, DWORD Format,
                  D3DCOLOR Color) override;

    const FontFace& getFace() const { return *face; }
    // Number of line textures kept.
    std::size_t getCachedLineCount() const { return lines.size(); }

    // Most line textures a font keeps; the least recently drawn goes first.
    static constexpr std::size_t kMaxLines = 128;

  private:
    struct Line {
        SDL_Texture* texture = nullptr;
        int width = 0;
        int height = 0;
        std::uint64_t lastUse = 0;
    };

    ~D3DXFont();
    const Line* lineOf(const std::string& utf8);
    void evictOldest();
    void drawLine(const std::string& utf8, const RECT& rect, int top, DWORD format,
                  D3DCOLOR colour);

    ULONG refs = 1;
    IDirect3DDevice9* device;
    FontFace* face;
    std::unordered_map<std::string, Line> lines;
    int cellHeight;
    std::uint64_t useClock = 0;
};
