// Face resolution (installed fonts, then fontconfig) and line rasterising with SDL_ttf.
#include "gfx/platform/FontFace.h"

#include "gfx/platform/FontRegistry.h"

#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>

namespace {

std::uint64_t rasterisations = 0;

// Fontconfig is loaded while anyone needs it and unloaded (FcFini) after the last user, so
// that nothing of it outlives the fonts.
int fontconfigUsers = 0;

bool acquireFontconfig() {
    if (fontconfigUsers == 0 && !FcInit()) {
        return false;
    }
    ++fontconfigUsers;
    return true;
}

void releaseFontconfig() {
    if (--fontconfigUsers == 0) {
        FcFini();
    }
}

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

// Copies the file, face index, family and weight of fontconfig's match into the choice.
bool readMatch(FcPattern* match, FontFace::Choice& choice) {
    FcChar8* file = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &file) != FcResultMatch) {
        return false;
    }
    choice.path = reinterpret_cast<const char*>(file);
    FcChar8* family = nullptr;
    if (FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch) {
        choice.family = reinterpret_cast<const char*>(family);
    }
    int index = 0;
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    choice.index = index;
    int matchedWeight = FC_WEIGHT_REGULAR;
    FcPatternGetInteger(match, FC_WEIGHT, 0, &matchedWeight);
    choice.boldFace = matchedWeight >= FC_WEIGHT_DEMIBOLD;
    return true;
}

// The system's best scalable face for the name and weight; fontconfig answers its default
// face for a name that no font carries.
bool matchSystem(const std::string& name, int weight, FontFace::Choice& choice) {
    if (!acquireFontconfig()) {
        return false;
    }
    FcPattern* pattern = FcPatternCreate();
    if (pattern == nullptr) {
        releaseFontconfig();
        return false;
    }
    if (!name.empty()) {
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
    }
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(std::min(weight, 1000)));
    FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    bool found = match != nullptr && readMatch(match, choice);
    if (match != nullptr) {
        FcPatternDestroy(match);
    }
    releaseFontconfig();
    return found;
}

} // namespace

bool FontFace::resolve(const std::string& name, int weight, Choice& choice) {
    if (weight <= 0) {
        weight = 400;
    }
    choice = Choice();
    return findInstalled(name, weight, choice) || matchSystem(name, weight, choice);
}

FontFace* FontFace::open(const std::string& name, int weight, int height) {
    // A face found through fontconfig keeps it loaded while the face lives, so that the next
    // font resolved by name does not load it again; fonts installed from memory need none of it.
    Choice choice;
    const int asked = weight <= 0 ? 400 : weight;
    const bool installed = findInstalled(name, asked, choice);
    if (!installed && !acquireFontconfig()) {
        return nullptr;
    }
    auto fail = [installed]() -> FontFace* {
        if (!installed) {
            releaseFontconfig();
        }
        return nullptr;
    };
    if ((!installed && !matchSystem(name, asked, choice)) || TTF_Init() != 0) {
        return fail();
    }
    SDL_RWops* source = choice.installed
                            ? SDL_RWFromConstMem(choice.bytes, static_cast<int>(choice.size))
                            : SDL_RWFromFile(choice.path.c_str(), "rb");
    TTF_Font* font = source ? TTF_OpenFontIndexRW(source, 1, 12, choice.index) : nullptr;
    if (font == nullptr) {
        TTF_Quit();
        return fail();
    }
    FontFace* face = new FontFace();
    face->choice = choice;
    face->font = font;
    if (wantsBold(weight) && !choice.boldFace) {
        TTF_SetFontStyle(font, TTF_STYLE_BOLD);
    }
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
            releaseFontconfig();
        }
    }
}

// Sizes the font by its resolution at one point, so that the pixel size can be set in steps
// of 1/72 pixel: the smallest size whose cell is the height, or the largest below it when no
// size gives the height exactly.
bool FontFace::sizeTo(int height) {
    if (height < 0 && height >= -kMaxHeight) {
        unsigned em = static_cast<unsigned>(-height) * 72u;
        return TTF_SetFontSizeDPI(font, 1, em, em) == 0;
    }
    if (height <= 0 || height > kMaxHeight) {
        return false;
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

SDL_Surface* FontFace::render(const std::string& line) {
    if (line.empty()) {
        return nullptr;
    }
    ++rasterisations;
    return TTF_RenderUTF8_Blended(font, line.c_str(), SDL_Color{255, 255, 255, 255});
}

int FontFace::measure(const std::string& line) const {
    int width = 0;
    if (line.empty() || TTF_SizeUTF8(font, line.c_str(), &width, nullptr) != 0) {
        return 0;
    }
    return width;
}

int FontFace::getHeight() const {
    return TTF_FontHeight(font);
}

std::uint64_t FontFace::getRasterisationCount() {
    return rasterisations;
}
