// SystemFonts on Linux: fontconfig's best match for a face name.
#include "gfx/platform/SystemFonts.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>

namespace {

int fontconfigUsers = 0;

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

} // namespace

bool acquireSystemFonts() {
    if (fontconfigUsers == 0 && !FcInit()) {
        return false;
    }
    ++fontconfigUsers;
    return true;
}

void releaseSystemFonts() {
    if (--fontconfigUsers == 0) {
        FcFini();
    }
}

bool matchSystemFont(const std::string& name, int weight, FontFace::Choice& choice) {
    if (!acquireSystemFonts()) {
        return false;
    }
    FcPattern* pattern = FcPatternCreate();
    if (pattern == nullptr) {
        releaseSystemFonts();
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
    releaseSystemFonts();
    return found;
}
