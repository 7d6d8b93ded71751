// MenuArt: the menu's button (160 x 48) and the background tile (200 x 200, seamless).
#pragma once

#include "tools/content/Canvas.h"

// The colour of the background tile's top-left pixel. The scoreboard's panel is drawn with this
// texel modulated by its own colour 0xE3F2FD (texture colour x diffuse colour, texture alpha), so
// opaque white makes the panel exactly that light blue at full opacity.
constexpr uint32_t kBackgroundCornerArgb = 0xFFFFFFFF;

// A glossy, light rounded button that black captions read well on.
Canvas drawButton();
// A quilted pattern of light blue diamonds with white sparkles; it tiles without seams and its
// top-left pixel is kBackgroundCornerArgb.
Canvas drawBackground();
