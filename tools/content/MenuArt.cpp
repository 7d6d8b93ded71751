// MenuArt: the menu's button (160 x 48) and the background tile (200 x 200, seamless).
#include "tools/content/MenuArt.h"

#include "tools/content/Paints.h"
#include "tools/content/Shapes.h"

#include <cmath>

namespace {

constexpr int kTile = 200;
constexpr float kCell = 100.0f; // distance between two diamonds of the same colour

// The diamond around (cx, cy) that fills its cell of the lattice, less a groove.
Shape diamond(float cx, float cy) {
    const float h = kCell / 2 - 3.0f;
    return inflate(polygon({{cx, cy - h}, {cx + h, cy}, {cx, cy + h}, {cx - h, cy}}), -1.5f);
}

// Every copy of shape s placed at the lattice points (cx + i * 100, cy + j * 100), seamless over
// the tile.
Shape lattice(const std::function<Shape(float, float)>& make, float cx, float cy) {
    Shape all = make(cx, cy);
    all = unite(all, make(cx + kCell, cy));
    all = unite(all, make(cx, cy + kCell));
    all = unite(all, make(cx + kCell, cy + kCell));
    return tiled(all, kTile, kTile);
}

} // namespace

Canvas drawButton() {
    Canvas canvas(160, 48);
    const Shape body = roundedRect(3.0f, 2.0f, 154.0f, 41.0f, 13.0f);
    // Soft shadow under the button.
    canvas.glow(translate(body, 0.0f, 2.0f), fade(palette::kNavy, 0.35f), 3.0f, true);
    canvas.fill(body,
                linearGradient(0, 2, 0, 43, {{0.0f, palette::kBlue}, {1.0f, palette::kBlueDeep}}));
    const Shape face = inflate(body, -2.0f);
    canvas.fill(face, linearGradient(0, 4, 0, 41,
                                     {{0.0f, palette::kWhite},
                                      {0.5f, palette::kBlueMist},
                                      {0.75f, palette::kBluePale},
                                      {1.0f, palette::kBlueLight}}));
    canvas.bevel(face, 3.0f, 0.45f);
    // Glassy sheen over the upper half.
    canvas.fill(intersect(inflate(face, -1.5f), roundedRect(0, 0, 160, 21.0f, 0)),
                linearGradient(
                    0, 5, 0, 21,
                    {{0.0f, fade(palette::kWhite, 0.85f)}, {1.0f, fade(palette::kWhite, 0.15f)}}));
    return canvas;
}

Canvas drawBackground() {
    Canvas canvas(kTile, kTile);
    // The grooves between the diamonds.
    canvas.fill(roundedRect(0, 0, kTile, kTile, 0), rgb(0xDDEDFB));
    // Two interleaved families of diamonds: light blue ones around the tile's corners, nearly
    // white ones between them. Both carry a faint seamless cloudiness.
    const Shape blue = lattice(diamond, 0, 0);
    const Shape pale = lattice(diamond, kCell / 2, kCell / 2);
    auto clouded = [](Colour c, uint32_t seed) {
        return [c, seed](float x, float y) {
            return shade(c, (valueNoise(x, y, 25.0f, 8, seed) - 0.5f) * 0.06f);
        };
    };
    canvas.fill(blue, clouded(rgb(0xC9E3FA), 5));
    canvas.fill(pale, clouded(rgb(0xF2F8FE), 9));
    canvas.bevel(blue, 6.0f, 0.2f);
    canvas.bevel(pale, 6.0f, 0.16f);
    // A faint blue dot in every pale diamond, a glowing white sparkle in every blue one; the
    // sparkle at the tile's corner gives the top-left pixel its pure white.
    canvas.fill(lattice([](float x, float y) { return circle(x, y, 4.0f); }, kCell / 2, kCell / 2),
                fade(palette::kBlueLight, 0.5f));
    canvas.glow(lattice([](float x, float y) { return circle(x, y, 3.0f); }, 0, 0),
                fade(palette::kWhite, 0.85f), 14.0f, true);
    canvas.fill(lattice([](float x, float y) { return star(x, y, 12.0f, 0.2f); }, 0, 0),
                palette::kWhite);
    return canvas;
}
