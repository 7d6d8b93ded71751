// Face resolution (installed fonts, then the system's fonts) and line rasterising with SDL_ttf.
#include "gfx/platform/FontFace.h"

#include "gfx/platform/FontRegistry.h"
#include "gfx/platform/SystemFonts.h"

#include <SDL_ttf.h>

#include <algorithm>

namespace {

std::uint64_t rasterisations = 0;

// Weights from 600 up ask for a bold face.
bool wantsBold(int weight) {
    return weight >= 600;
}

bool findInstalled(const std::string& name, int weight, FontFace::Choice& choice) {
    const RegisteredFile* file = nullptr;
    const RegisteredFace* face = FontRegistry::get().find(name, wantsBold(weight), &file);
    if (face == nullptr) {
        return false;
    }
    choice.family = face->family;
    choice.bytes = file->bytes.data();
    choice.size = file->bytes.size();
    choice.index = face->index;
    choice.boldFace = face->bold;
    choice.installed = true;
    return true;
}

} // namespace

bool FontFace::resolve(const std::string& name, int weight, Choice& choice) {
    if (weight <= 0) {
        weight = 400;
    }
    choice = Choice();
    return findInstalled(name, weight, choice) || matchSystemFont(name, weight, choice);
}

FontFace* FontFace::open(const std::string& name, int weight, int height) {
    // A face found among the system's fonts keeps them loaded while the face lives, so that the
    // next font resolved by name does not load it again; fonts installed from memory need none of
    // it.
    Choice choice;
    const int asked = weight <= 0 ? 400 : weight;
    const bool installed = findInstalled(name, asked, choice);
    if (!installed && !acquireSystemFonts()) {
        return nullptr;
    }
    auto fail = [installed]() -> FontFace* {
        if (!installed) {
            releaseSystemFonts();
        }
        return nullptr;
    };
    if ((!installed && !matchSystemFont(name, asked, choice)) || TTF_Init() != 0) {
        return fail();
    }
    auto openSource = [&choice]() {
        return choice.installed ? SDL_RWFromConstMem(choice.bytes, static_cast<int>(choice.size))
                                : SDL_RWFromFile(choice.path.c_str(), "rb");
    };
    FontMetrics metrics;
    if (SDL_RWops* tables = openSource()) {
        if (!readFontMetrics(tables, choice.index, metrics)) {
            metrics = FontMetrics();
        }
        SDL_RWclose(tables);
    }
    SDL_RWops* source = openSource();
    TTF_Font* font = source ? TTF_OpenFontIndexRW(source, 1, 12, choice.index) : nullptr;
    if (font == nullptr) {
        TTF_Quit();
        return fail();
    }
    FontFace* face = new FontFace();
    face->choice = choice;
    face->font = font;
    face->metrics = metrics;
    if (wantsBold(weight) && !choice.boldFace) {
        TTF_SetFontStyle(font, TTF_STYLE_BOLD);
    }
    // Windows' text drawing does not kern: each glyph takes its own advance.
    TTF_SetFontKerning(font, 0);
    if (!face->sizeTo(height)) {
        delete face;
        return nullptr;
    }
    return face;
}

FontFace::~FontFace() {
    if (font != nullptr) {
        TTF_CloseFont(font);
        font = nullptr;
        TTF_Quit();
        if (!choice.installed) {
            releaseSystemFonts();
        }
    }
}

// Sizes the font as Windows does: a cell height maps to the whole em size that the face's
// Windows ascent and descent give it, and the baseline goes that ascent below the line's top.
// A face without those metrics is sized by its resolution at one point, in steps of 1/72 pixel:
// the smallest size whose cell is the height, or the largest below it when none gives it.
bool FontFace::sizeTo(int height) {
    if (height < 0 && height >= -kMaxHeight) {
        return sizeToEm(-height);
    }
    if (height <= 0 || height > kMaxHeight) {
        return false;
    }
    if (const int em = metrics.emForCell(height); em > 0) {
        return sizeToEm(em);
    }
    unsigned low = 1;
    unsigned high = 72u * static_cast<unsigned>(height) * 3u;
    while (low < high) {
        unsigned middle = low + (high - low) / 2;
        if (TTF_SetFontSizeDPI(font, 1, middle, middle) == 0 && TTF_FontHeight(font) >= height) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    if (TTF_SetFontSizeDPI(font, 1, low, low) != 0) {
        return false;
    }
    if (TTF_FontHeight(font) > height && low > 1) {
        return TTF_SetFontSizeDPI(font, 1, low - 1, low - 1) == 0;
    }
    return true;
}

// Sets the em size in pixels (1 point at 72 dots an inch per pixel) and, when the face has
// Windows metrics, the shift that puts SDL_ttf's baseline where Windows puts it.
bool FontFace::sizeToEm(int em) {
    const unsigned dpi = static_cast<unsigned>(em) * 72u;
    if (TTF_SetFontSizeDPI(font, 1, dpi, dpi) != 0) {
        return false;
    }
    const bool windows = metrics.unitsPerEm > 0;
    topOffset = windows ? metrics.ascentAt(em) - TTF_FontAscent(font) : 0;
    cellHeight = windows ? metrics.ascentAt(em) + metrics.descentAt(em) : TTF_FontHeight(font);
    return true;
}

SDL_Surface* FontFace::render(const std::string& line) {
    if (line.empty()) {
        return nullptr;
    }
    ++rasterisations;
    return TTF_RenderUTF8_Blended(font, line.c_str(), SDL_Color{255, 255, 255, 255});
}

int FontFace::raisedBy(const std::string& line) const {
    int top = 0;
    for (std::size_t i = 0; i < line.size();) {
        // One UTF-8 sequence; a broken one counts as its lead byte.
        const auto lead = static_cast<unsigned char>(line[i]);
        const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        Uint32 code = length == 1 ? lead : lead & (0x3Fu >> (length - 1));
        for (int k = 1; k < length && i + k < line.size(); ++k) {
            code = code << 6 | (static_cast<unsigned char>(line[i + k]) & 0x3Fu);
        }
        i += static_cast<std::size_t>(length);
        int glyphTop = 0;
        if (TTF_GlyphMetrics32(font, code, nullptr, nullptr, nullptr, &glyphTop, nullptr) == 0) {
            top = std::max(top, glyphTop);
        }
    }
    return std::max(0, top - TTF_FontAscent(font));
}

int FontFace::measure(const std::string& line) const {
    int width = 0;
    if (line.empty() || TTF_SizeUTF8(font, line.c_str(), &width, nullptr) != 0) {
        return 0;
    }
    return width;
}

std::string FontFace::missingGlyphs(const std::string& text) const {
    std::string missing;
    for (std::size_t i = 0; i < text.size();) {
        // One UTF-8 sequence: its length from the lead byte, its bits from every byte.
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        Uint32 code = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length && i + k < text.size(); ++k) {
            code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        if (code != '\n' && TTF_GlyphIsProvided32(font, code) == 0) {
            missing += text.substr(i, length);
        }
        i += length;
    }
    return missing;
}

int FontFace::getHeight() const {
    return cellHeight;
}

std::uint64_t FontFace::getRasterisationCount() {
    return rasterisations;
}
