// FontFace: one face opened with SDL_ttf at a cell height, chosen by face name among the fonts
// installed from memory, then among the system's fonts (SystemFonts), and rasterising lines of
// UTF-8 text.
#pragma once

#include "gfx/platform/FontMetrics.h"

#include <SDL.h>

#include <cstdint>
#include <string>

typedef struct _TTF_Font TTF_Font;

class FontFace {
  public:
    // Where a face name led: an installed file's bytes or a file on disk, and the face in it.
    struct Choice {
        std::string family;                  // the family actually used (UTF-8)
        std::string path;                    // the font file on disk; empty for installed bytes
        const std::uint8_t* bytes = nullptr; // the installed bytes, or null
        std::size_t size = 0;
        long index = 0;         // face index within the file
        bool boldFace = false;  // the face is bold by design (no bold is synthesised)
        bool installed = false; // found among the fonts installed from memory
    };

    // Resolves a face name (UTF-8) at a weight (100..900; 0 counts as 400): an installed family
    // first, then the system's best match, which is its default face for an unknown name.
    static bool resolve(const std::string& name, int weight, Choice& choice);

    // The largest cell height or em size a face is opened at, in pixels.
    static constexpr int kMaxHeight = 4096;

    // Opens the face of a name and weight whose cell height (ascent + descent) is height
    // pixels; a negative height asks for an em size of -height pixels. Null on failure.
    static FontFace* open(const std::string& name, int weight, int height);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    // Rasterises one line of UTF-8 text in white with its coverage as alpha, SDL_ttf's line
    // high, its baseline getTopOffset() above Windows' one; null for an empty line or on
    // failure. The caller frees the surface.
    SDL_Surface* render(const std::string& line);

    // Rows that render() adds above the face's ascent for a line whose glyphs rise above it
    // (accented capitals), which move the line's baseline down by as much.
    int raisedBy(const std::string& line) const;

    // Width in pixels of one line of UTF-8 text, without rasterising it; 0 for an empty line.
    int measure(const std::string& line) const;
    // The characters of UTF-8 text (line breaks aside) that the face has no glyph for, as UTF-8;
    // empty when it has them all.
    std::string missingGlyphs(const std::string& text) const;

    const Choice& getChoice() const { return choice; }
    // The cell height in pixels that the face was opened at: its Windows ascent and descent at
    // its em size, which may differ by a pixel from the height asked for, as on Windows.
    int getHeight() const;
    // Pixels to move a rendered line down so that its baseline lies where Windows puts it.
    int getTopOffset() const { return topOffset; }

    // Number of lines rasterised by every face of the process so far.
    static std::uint64_t getRasterisationCount();

  private:
    FontFace() = default;
    bool sizeTo(int height);
    bool sizeToEm(int em);

    Choice choice;
    TTF_Font* font = nullptr;
    FontMetrics metrics;
    int topOffset = 0;
    int cellHeight = 0;
};
