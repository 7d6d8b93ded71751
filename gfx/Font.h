// Font: a bold font of a face and pixel height that writes aligned, optionally outlined texts.
#pragma once

#include <d3dx9.h>

#include <cstdint>
#include <string>

struct PackEntry;

class Font {
  public:
    Font() = default;
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // Creates the font of a face name (Windows-1250) and height in pixels.
    bool create(const char* face, std::int32_t height);
    // Installs the TrueType font held in the entry, then creates the font of the face.
    // A null entry shows "Invalid data!".
    bool createFromPack(PackEntry* entry, const char* face, std::int32_t height);
    // Draws text (Windows-1250, "\n" breaks lines) with its top at y, aligned to x by format
    // (0, DT_CENTER or DT_RIGHT); an outline of n pixels draws four offset copies first.
    void draw(const char* text, std::int32_t x, std::int32_t y, D3DCOLOR colour, DWORD format,
              std::int32_t outline, D3DCOLOR outlineColour);
    std::int32_t getHeight() const { return height; }

  private:
    // Draws the text converted last (wide) once, with its top-left anchor at x, y.
    void drawWide(std::int32_t x, std::int32_t y, D3DCOLOR colour, DWORD format);

    ID3DXFont* font = nullptr;
    std::int32_t height = 0;
    std::wstring wide; // the text being drawn, as wide text; kept to reuse its storage
};
