// Paints: gradients and noise that fills lay on a canvas, and the palette all pictures share.
#pragma once

#include "tools/content/Canvas.h"

#include <vector>

// One colour stop of a gradient, at position t from 0 to 1.
struct GradientStop {
    float t;
    Colour colour;
};

// The colour of a multi-stop gradient at t (clamped to the first and last stops).
Colour gradientAt(const std::vector<GradientStop>& stops, float t);
// Gradient along the line from (x0, y0) (t = 0) to (x1, y1) (t = 1).
Paint linearGradient(float x0, float y0, float x1, float y1, std::vector<GradientStop> stops);
// Gradient from the centre (t = 0) out to radius r (t = 1).
Paint radialGradient(float cx, float cy, float r, std::vector<GradientStop> stops);
// Gradient from the centre (t = 0) out to the ellipse with half axes rx and ry (t = 1).
Paint ellipticGradient(float cx, float cy, float rx, float ry, std::vector<GradientStop> stops);

// Smooth value noise from 0 to 1 at (x, y), with features cell pixels wide; it repeats every
// period cells in both directions, so a tile of period x cell pixels is seamless. seed picks the
// pattern.
float valueNoise(float x, float y, float cell, int period, uint32_t seed);
// A deterministic pseudo-random value from 0 to 1 for an integer and a seed.
float hashUnit(uint32_t n, uint32_t seed);

// The palette: sky blues of the menu and the HUD, the stones' three families and the walls.
namespace palette {
inline const Colour kWhite = rgb(0xFFFFFF);
inline const Colour kNavy = rgb(0x0D2A5C);
inline const Colour kBlueDeep = rgb(0x0D47A1);
inline const Colour kBlueDark = rgb(0x1565C0);
inline const Colour kBlue = rgb(0x2196F3);
inline const Colour kBlueMid = rgb(0x64B5F6);
inline const Colour kBlueLight = rgb(0x90CAF9);
inline const Colour kBluePale = rgb(0xBBDEFB);
inline const Colour kBlueMist = rgb(0xE3F2FD);
inline const Colour kSlateDark = rgb(0x263238);
inline const Colour kSlate = rgb(0x455A64);
inline const Colour kSlateLight = rgb(0x78909C);
inline const Colour kRedDark = rgb(0x8E1B1B);
inline const Colour kRed = rgb(0xD32F2F);
inline const Colour kRedLight = rgb(0xFF8A80);
inline const Colour kSun = rgb(0xFFE082);
inline const Colour kAmber = rgb(0xFFB300);
inline const Colour kOrangeDeep = rgb(0xE65100);
} // namespace palette
