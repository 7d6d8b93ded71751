// PlayArt: the pictures of the play field: ball (16 x 16), bat (96 x 16), wall blocks (32 x 32).
#include "tools/content/PlayArt.h"

#include "tools/content/Paints.h"
#include "tools/content/Shapes.h"

#include <algorithm>

void paintBallSphere(Canvas& canvas, float cx, float cy, float r) {
    const Shape body = circle(cx, cy, r);
    // Lit from the upper left: pale where the light falls, deep blue on the far side.
    canvas.fill(body, radialGradient(cx - r * 0.35f, cy - r * 0.4f, r * 1.7f,
                                     {{0.0f, palette::kBlueMist},
                                      {0.25f, palette::kBlueMid},
                                      {0.6f, palette::kBlue},
                                      {1.0f, palette::kBlueDeep}}));
    // Light bounced back from below, then a darker rim.
    canvas.fill(intersect(body, circle(cx + r * 0.3f, cy + r * 0.55f, r * 0.55f)),
                fade(palette::kBlueLight, 0.45f));
    canvas.fill(subtract(body, inflate(body, -std::max(0.8f, r * 0.11f))),
                fade(palette::kNavy, 0.55f));
    // Specular highlight.
    canvas.glow(circle(cx - r * 0.33f, cy - r * 0.38f, r * 0.16f), fade(palette::kWhite, 0.95f),
                r * 0.22f, true);
}

Canvas drawBall() {
    Canvas canvas(16, 16);
    paintBallSphere(canvas, 8.0f, 8.0f, 7.4f);
    return canvas;
}

Canvas drawBat() {
    Canvas canvas(96, 16);
    const Shape body = capsule({8.0f, 8.0f}, {88.0f, 8.0f}, 7.3f);
    canvas.fill(body, palette::kSlateDark);
    const Shape face = inflate(body, -1.0f);
    // Brushed metal in the middle.
    canvas.fill(face, linearGradient(0, 1, 0, 15,
                                     {{0.0f, rgb(0xF5F8FA)},
                                      {0.45f, rgb(0xC5D0D8)},
                                      {0.55f, rgb(0xA7B6C2)},
                                      {1.0f, rgb(0x5B6F7C)}}));
    // Blue caps at both ends.
    const Paint capPaint = linearGradient(
        0, 1, 0, 15,
        {{0.0f, palette::kBlueLight}, {0.5f, palette::kBlue}, {1.0f, palette::kBlueDeep}});
    canvas.fill(intersect(face, roundedRect(-4, -4, 26, 24, 0)), capPaint);
    canvas.fill(intersect(face, roundedRect(74, -4, 26, 24, 0)), capPaint);
    canvas.fill(roundedRect(21.2f, 1, 1.6f, 14, 0.6f), fade(palette::kNavy, 0.6f));
    canvas.fill(roundedRect(73.2f, 1, 1.6f, 14, 0.6f), fade(palette::kNavy, 0.6f));
    // The glowing strip along the middle.
    const Shape strip = roundedRect(28.0f, 6.6f, 40.0f, 2.8f, 1.4f);
    canvas.glow(strip, fade(rgb(0x4FC3F7), 0.75f), 3.0f);
    canvas.fill(strip, linearGradient(
                           28, 0, 68, 0,
                           {{0.0f, rgb(0x4FC3F7)}, {0.5f, rgb(0xE1F5FE)}, {1.0f, rgb(0x4FC3F7)}}));
    canvas.bevel(face, 3.0f, 0.45f);
    // Gloss over the upper half.
    canvas.fill(
        intersect(inflate(body, -2.0f), roundedRect(0, 0, 96, 7.0f, 0)),
        linearGradient(0, 2, 0, 7,
                       {{0.0f, fade(palette::kWhite, 0.7f)}, {1.0f, fade(palette::kWhite, 0.1f)}}));
    return canvas;
}

Canvas drawWallBlock(bool red) {
    const Colour dark = red ? palette::kRedDark : palette::kSlateDark;
    const Colour base = red ? palette::kRed : palette::kSlate;
    const Colour light = red ? palette::kRedLight : palette::kSlateLight;
    Canvas canvas(32, 32);
    // Mortar around the block, then the block itself with a little grain.
    canvas.fill(roundedRect(0, 0, 32, 32, 0), shade(dark, -0.25f));
    const Shape block = roundedRect(1.0f, 1.0f, 30.0f, 30.0f, 3.5f);
    const uint32_t seed = red ? 7 : 3;
    canvas.fill(block, [&](float x, float y) {
        const Colour c = gradientAt({{0.0f, light}, {0.5f, base}, {1.0f, shade(base, -0.25f)}},
                                    (x * 0.35f + y) / 42.0f);
        const float grain =
            valueNoise(x, y, 4.0f, 8, seed) * 0.6f + valueNoise(x, y, 1.5f, 32, seed + 1) * 0.4f;
        return shade(c, (grain - 0.5f) * 0.22f);
    });
    // A raised inner face.
    const Shape inner = roundedRect(6.0f, 6.0f, 20.0f, 20.0f, 2.5f);
    canvas.fill(inner, fade(shade(base, 0.1f), 0.5f));
    canvas.bevel(inner, 2.0f, 0.3f);
    canvas.bevel(block, 3.5f, 0.65f);
    return canvas;
}
