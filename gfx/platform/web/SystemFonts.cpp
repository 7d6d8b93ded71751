// SystemFonts in the browser: the faces shipped with the page in /fonts, found by the names the
// game asks for, as fontconfig finds them on Linux (Arial as Liberation Sans, Calibri as Carlito,
// any other name as DejaVu Sans). Only the bold faces the game draws with are
// shipped: a name asked for in another weight gets its family's bold face.
#include "gfx/platform/SystemFonts.h"

#include <strings.h>

namespace {

struct ShippedFace {
    const char* family; // the family the file declares
    const char* alias;  // the other name it stands for; null for none
    const char* file;
    bool bold;
};

constexpr ShippedFace kFaces[] = {
    {"Liberation Sans", "Arial", "/fonts/LiberationSans-Bold.ttf", true},
    {"Carlito", "Calibri", "/fonts/Carlito-Bold.ttf", true},
    {"DejaVu Sans", nullptr, "/fonts/DejaVuSans-Bold.ttf", true},
};

constexpr const char* kDefaultFamily = "DejaVu Sans";

bool names(const ShippedFace& face, const char* name) {
    return strcasecmp(face.family, name) == 0 ||
           (face.alias != nullptr && strcasecmp(face.alias, name) == 0);
}

// The shipped face of a family in the weight asked for, else in its other weight; null when the
// family is not shipped.
const ShippedFace* find(const char* name, bool bold) {
    const ShippedFace* found = nullptr;
    for (const ShippedFace& face : kFaces) {
        if (names(face, name) && (found == nullptr || face.bold == bold)) {
            found = &face;
        }
    }
    return found;
}

} // namespace

// The shipped list is fixed: there is nothing to load or let go of.
bool acquireSystemFonts() {
    return true;
}

void releaseSystemFonts() {}

bool matchSystemFont(const std::string& name, int weight, FontFace::Choice& choice) {
    const bool bold = weight >= 600;
    const ShippedFace* face = find(name.c_str(), bold);
    if (face == nullptr) {
        face = find(kDefaultFamily, bold);
    }
    choice.family = face->family;
    choice.path = face->file;
    choice.index = 0;
    choice.boldFace = face->bold;
    return true;
}
