// SystemFonts on Linux: fontconfig's best match for a face name. fontconfig is opened when a
// system font is first looked for (the game's small font, as the first stone breaks), not linked:
// loaded with the program it cost every start a millisecond before the menu's first frame.
#include "gfx/platform/SystemFonts.h"

#include <dlfcn.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>

namespace {

// The fontconfig functions used, by their own names.
struct Fontconfig {
    decltype(&::FcInit) FcInit;
    decltype(&::FcFini) FcFini;
    decltype(&::FcPatternCreate) FcPatternCreate;
    decltype(&::FcPatternDestroy) FcPatternDestroy;
    decltype(&::FcPatternAddString) FcPatternAddString;
    decltype(&::FcPatternAddInteger) FcPatternAddInteger;
    decltype(&::FcPatternAddBool) FcPatternAddBool;
    decltype(&::FcPatternGetString) FcPatternGetString;
    decltype(&::FcPatternGetInteger) FcPatternGetInteger;
    decltype(&::FcWeightFromOpenType) FcWeightFromOpenType;
    decltype(&::FcConfigSubstitute) FcConfigSubstitute;
    decltype(&::FcDefaultSubstitute) FcDefaultSubstitute;
    decltype(&::FcFontMatch) FcFontMatch;
};

template <typename Function> bool lookUp(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

// The library's functions, the library opened at the first call and kept open; null when it or
// any of them is missing.
const Fontconfig* openFontconfig() {
    void* library = dlopen("libfontconfig.so.1", RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        return nullptr;
    }
    static Fontconfig fc;
    const bool found = lookUp(library, "FcInit", fc.FcInit) &&
                       lookUp(library, "FcFini", fc.FcFini) &&
                       lookUp(library, "FcPatternCreate", fc.FcPatternCreate) &&
                       lookUp(library, "FcPatternDestroy", fc.FcPatternDestroy) &&
                       lookUp(library, "FcPatternAddString", fc.FcPatternAddString) &&
                       lookUp(library, "FcPatternAddInteger", fc.FcPatternAddInteger) &&
                       lookUp(library, "FcPatternAddBool", fc.FcPatternAddBool) &&
                       lookUp(library, "FcPatternGetString", fc.FcPatternGetString) &&
                       lookUp(library, "FcPatternGetInteger", fc.FcPatternGetInteger) &&
                       lookUp(library, "FcWeightFromOpenType", fc.FcWeightFromOpenType) &&
                       lookUp(library, "FcConfigSubstitute", fc.FcConfigSubstitute) &&
                       lookUp(library, "FcDefaultSubstitute", fc.FcDefaultSubstitute) &&
                       lookUp(library, "FcFontMatch", fc.FcFontMatch);
    if (!found) {
        dlclose(library);
        return nullptr;
    }
    return &fc;
}

const Fontconfig* fontconfig() {
    static const Fontconfig* const opened = openFontconfig();
    return opened;
}

int fontconfigUsers = 0;

// Copies the file, face index, family and weight of fontconfig's match into the choice.
bool readMatch(const Fontconfig& fc, FcPattern* match, FontFace::Choice& choice) {
    FcChar8* file = nullptr;
    if (fc.FcPatternGetString(match, FC_FILE, 0, &file) != FcResultMatch) {
        return false;
    }
    choice.path = reinterpret_cast<const char*>(file);
    FcChar8* family = nullptr;
    if (fc.FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch) {
        choice.family = reinterpret_cast<const char*>(family);
    }
    int index = 0;
    fc.FcPatternGetInteger(match, FC_INDEX, 0, &index);
    choice.index = index;
    int matchedWeight = FC_WEIGHT_REGULAR;
    fc.FcPatternGetInteger(match, FC_WEIGHT, 0, &matchedWeight);
    choice.boldFace = matchedWeight >= FC_WEIGHT_DEMIBOLD;
    return true;
}

} // namespace

bool acquireSystemFonts() {
    const Fontconfig* fc = fontconfig();
    if (fc == nullptr || (fontconfigUsers == 0 && !fc->FcInit())) {
        return false;
    }
    ++fontconfigUsers;
    return true;
}

void releaseSystemFonts() {
    if (--fontconfigUsers == 0) {
        fontconfig()->FcFini();
    }
}

bool matchSystemFont(const std::string& name, int weight, FontFace::Choice& choice) {
    if (!acquireSystemFonts()) {
        return false;
    }
    const Fontconfig& fc = *fontconfig();
    FcPattern* pattern = fc.FcPatternCreate();
    if (pattern == nullptr) {
        releaseSystemFonts();
        return false;
    }
    if (!name.empty()) {
        fc.FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
    }
    fc.FcPatternAddInteger(pattern, FC_WEIGHT, fc.FcWeightFromOpenType(std::min(weight, 1000)));
    fc.FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
    fc.FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    fc.FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    fc.FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = fc.FcFontMatch(nullptr, pattern, &result);
    fc.FcPatternDestroy(pattern);
    bool found = match != nullptr && readMatch(fc, match, choice);
    if (match != nullptr) {
        fc.FcPatternDestroy(match);
    }
    releaseSystemFonts();
    return found;
}
