// StoneArt: the glowing stones (64 x 32) and their five-frame breaking strips (320 x 32).
#pragma once

#include "tools/content/Canvas.h"

// The stone families, in the order of the stone kinds' colours (game/StoneKinds.h).
enum class StoneFamily { Green, Orange, Purple };

constexpr int kStoneWidth = 64;
constexpr int kStoneHeight = 32;
constexpr int kBreakingFrames = 5;

// A glowing stone: a rounded gem-like block lit from inside, with a soft halo around it.
Canvas drawGlowStone(StoneFamily family);
// The stone cracking and falling apart, five 64 x 32 frames side by side; the last is nearly
// empty.
Canvas drawBreakingStrip(StoneFamily family);
