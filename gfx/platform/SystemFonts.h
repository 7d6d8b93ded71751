// SystemFonts: the system's font files, found by face name: through fontconfig on Linux, from the
// faces shipped with the page in the browser (web/SystemFonts.cpp).
#pragma once

#include "gfx/platform/FontFace.h"

#include <string>

// Loads the system's font list, once for any number of users; false when it cannot be read.
bool acquireSystemFonts();
// Lets go of one user's hold; the list is unloaded after the last user, so that nothing of it
// outlives the fonts.
void releaseSystemFonts();

// The system's best scalable face for a name (UTF-8) and weight (100..900): its file, face index,
// family and whether the face is bold by design go into choice. An unknown name gets the
// system's default face. Takes a hold of its own while it looks.
bool matchSystemFont(const std::string& name, int weight, FontFace::Choice& choice);
