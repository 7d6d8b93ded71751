// LogoArt: the menu's logo with the game's name (638 x 158) and the game's icon (the window's
// at 64 x 64, the desktop's at any size).
#include "tools/content/LogoArt.h"

#include "tools/content/Paints.h"
#include "tools/content/PlayArt.h"
#include "tools/content/Shapes.h"

#include <numbers>
#include <vector>

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

// One pen stroke of a letter in letter units (x-height 1, baseline at y = 0, y downwards):
// a straight line from a to b, or an arc around c from angle a0 to a1.
struct Stroke {
    bool curved;
    Point a, b;
    Point c;
    float radius, a0, a1;
};

Stroke line(Point a, Point b) {
    return {false, a, b, {}, 0, 0, 0};
}
Stroke curve(Point c, float radius, float a0, float a1) {
    return {true, {}, {}, c, radius, a0, a1};
}

// A letter: its pen strokes and the width of its skeleton.
struct Glyph {
    float width;
    std::vector<Stroke> strokes;
};

// The letters of the name, drawn with a round pen.
std::vector<Glyph> nameGlyphs() {
    return {
        // Z
        {0.95f,
         {line({0, -1.45f}, {0.95f, -1.45f}), line({0.95f, -1.45f}, {0, 0}),
          line({0, 0}, {0.95f, 0})}},
        // e: a ring open at the lower right, with its bar
        {1.0f,
         {curve({0.5f, -0.5f}, 0.5f, kPi * 0.22f, kPi * 2.0f), line({0, -0.5f}, {1.0f, -0.5f})}},
        // m
        {1.28f,
         {line({0, -1.0f}, {0, 0}), curve({0.32f, -0.68f}, 0.32f, kPi, kPi * 2.0f),
          line({0.64f, -0.68f}, {0.64f, 0}), curve({0.96f, -0.68f}, 0.32f, kPi, kPi * 2.0f),
          line({1.28f, -0.68f}, {1.28f, 0})}},
        // b
        {1.0f, {line({0, -1.45f}, {0, 0}), curve({0.5f, -0.5f}, 0.5f, 0, kPi * 2.0f)}},
        // r
        {0.88f, {line({0, -1.0f}, {0, 0}), curve({0.5f, -0.5f}, 0.5f, kPi, kPi * 1.78f)}},
        // i (its dot is drawn apart, as a ball)
        {0.0f, {line({0, -1.0f}, {0, 0})}},
        // x
        {0.9f, {line({0, -1.0f}, {0.9f, 0}), line({0, 0}, {0.9f, -1.0f})}},
    };
}

// Where and how large the name is laid out.
struct Layout {
    float left;     // x of the first skeleton
    float baseline; // y of the baseline
    float unit;     // pixels per letter unit
    float pen;      // pen radius in pixels
    float gap;      // space between two letters' ink, in units
    float lean;     // italic lean: x shift per pixel above the baseline
};

// The strokes of one glyph placed at skeleton x ox, as a shape.
Shape glyphShape(const Glyph& g, float ox, const Layout& l) {
    Shape all;
    for (const Stroke& s : g.strokes) {
        Shape one = s.curved ? arc({ox + s.c.x * l.unit, l.baseline + s.c.y * l.unit},
                                   s.radius * l.unit, s.a0, s.a1, l.pen)
                             : capsule({ox + s.a.x * l.unit, l.baseline + s.a.y * l.unit},
                                       {ox + s.b.x * l.unit, l.baseline + s.b.y * l.unit}, l.pen);
        all = all ? unite(all, one) : one;
    }
    return all;
}

// The shape leaned to the right around the baseline.
Shape lean(Shape s, const Layout& l) {
    return [=](float x, float y) { return s(x - l.lean * (l.baseline - y), y); };
}

// Paints letters in the logo's style: shadow, navy outline, white rim, warm face, bevel, gloss.
// ink is the letters' shape, rim also holds shapes that get an outline but no face (the ball).
void paintLetters(Canvas& canvas, const Shape& ink, const Shape& rim, float top, float bottom,
                  float scale) {
    const Shape outline = inflate(rim, 6.5f * scale);
    canvas.glow(translate(outline, 3.0f * scale, 5.0f * scale), fade(palette::kNavy, 0.45f),
                7.0f * scale, true);
    canvas.fill(outline, linearGradient(0, top, 0, bottom,
                                        {{0.0f, palette::kBlueDark}, {1.0f, palette::kNavy}}));
    canvas.fill(inflate(rim, 3.0f * scale), palette::kWhite);
    canvas.fill(ink, linearGradient(0, top, 0, bottom,
                                    {{0.0f, rgb(0xFFF3C4)},
                                     {0.3f, palette::kSun},
                                     {0.6f, palette::kAmber},
                                     {1.0f, palette::kOrangeDeep}}));
    canvas.bevel(ink, 5.0f * scale, 0.55f);
    // Gloss on the upper half of every letter.
    const float middle = top + (bottom - top) * 0.48f;
    canvas.fill(intersect(inflate(ink, -2.0f * scale), roundedRect(-50, -50, 2000, middle + 50, 0)),
                linearGradient(
                    0, top, 0, middle,
                    {{0.0f, fade(palette::kWhite, 0.55f)}, {1.0f, fade(palette::kWhite, 0.12f)}}));
}

// Width of the name's ink from the first skeleton's left pen edge, before leaning.
float nameWidth(const std::vector<Glyph>& glyphs, const Layout& l) {
    float width = -l.gap * l.unit;
    for (const Glyph& g : glyphs) {
        width += g.width * l.unit + 2 * l.pen + l.gap * l.unit;
    }
    return width;
}

} // namespace

Canvas drawLogo() {
    Canvas canvas(638, 158);
    const std::vector<Glyph> glyphs = nameGlyphs();
    Layout l{0.0f, 120.0f, 54.0f, 10.5f, 0.32f, 0.14f};
    // Centre the leaned name: its top leans right by lean x the cap height.
    const float leanShift = l.lean * (1.45f * l.unit + l.pen);
    l.left = (canvas.getWidth() - nameWidth(glyphs, l) - leanShift) / 2.0f;
    Shape ink;
    Point dot{};
    float x = l.left + l.pen;
    for (const Glyph& g : glyphs) {
        Shape one = glyphShape(g, x, l);
        ink = ink ? unite(ink, one) : one;
        if (g.width == 0.0f) {
            // The i's dot, above its stem (leaned like the letters).
            const float dy = -1.52f * l.unit;
            dot = {x - l.lean * dy, l.baseline + dy};
        }
        x += g.width * l.unit + 2 * l.pen + l.gap * l.unit;
    }
    ink = lean(ink, l);
    const float dotRadius = l.pen * 1.35f;
    const Shape rim = unite(ink, circle(dot.x, dot.y, dotRadius));
    const float top = l.baseline - 1.45f * l.unit - l.pen;
    const float bottom = l.baseline + l.pen;
    paintLetters(canvas, ink, rim, top, bottom, 1.0f);
    paintBallSphere(canvas, dot.x, dot.y, dotRadius);
    // Sparkles at the name's upper left and lower right.
    const Shape sparkles = unite(star(l.left - 6.0f, top + 6.0f, 12.0f, 0.18f),
                                 star(x - l.gap * l.unit + 8.0f, l.baseline - 8.0f, 8.0f, 0.18f));
    canvas.glow(sparkles, fade(palette::kWhite, 0.6f), 5.0f, true);
    canvas.fill(sparkles, palette::kWhite);
    return canvas;
}

Canvas drawIcon(int size) {
    // Drawn on a 64-pixel grid scaled to the size asked for.
    const float k = static_cast<float>(size) / 64.0f;
    Canvas canvas(size, size);
    const Shape tile = roundedRect(1.0f * k, 1.0f * k, 62.0f * k, 62.0f * k, 13.0f * k);
    canvas.fill(
        tile, linearGradient(
                  0, 0, 0, 64.0f * k,
                  {{0.0f, palette::kBlueMid}, {0.5f, palette::kBlue}, {1.0f, palette::kBlueDeep}}));
    canvas.bevel(tile, 4.0f * k, 0.5f);
    // The logo's Z, smaller and with a thinner pen.
    const Layout l{14.5f * k, 45.0f * k, 19.0f * k, 4.2f * k, 0.0f, 0.12f};
    const Shape z = lean(glyphShape(nameGlyphs().front(), l.left, l), l);
    paintLetters(canvas, z, z, 12.0f * k, 50.0f * k, 0.45f * k);
    paintBallSphere(canvas, 50.5f * k, 49.0f * k, 6.0f * k);
    return canvas;
}
