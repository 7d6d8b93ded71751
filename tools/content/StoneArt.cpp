// StoneArt: the glowing stones (64 x 32) and their five-frame breaking strips (320 x 32).
#include "tools/content/StoneArt.h"

#include "tools/content/Paints.h"
#include "tools/content/Shapes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

// The colours of one stone family, from its darkest edge to its glowing core.
struct StoneStyle {
    Colour deep;
    Colour base;
    Colour light;
    Colour core;
    Colour halo;
    uint32_t seed;
};

StoneStyle styleOf(StoneFamily family) {
    switch (family) {
    case StoneFamily::Green:
        return {rgb(0x1B5E20), rgb(0x43A047), rgb(0x9CE89F), rgb(0xE8FFE9), rgb(0x69F0AE), 11};
    case StoneFamily::Orange:
        return {rgb(0xB23C00), rgb(0xF57C00), rgb(0xFFC46B), rgb(0xFFF6DC), rgb(0xFFAB40), 23};
    case StoneFamily::Purple:
        return {rgb(0x4A148C), rgb(0x8E24AA), rgb(0xDB9BF0), rgb(0xFBEAFF), rgb(0xEA80FC), 37};
    }
    return {};
}

// The stone's body: the rounded block inside the halo margin.
Shape stoneBody() {
    return roundedRect(3.5f, 3.5f, 57.0f, 25.0f, 7.0f);
}

// Paints the stone's body (without its halo) onto canvas.
void paintBody(Canvas& canvas, const StoneStyle& s) {
    const Shape body = stoneBody();
    // Dark rim, then the glassy face inset by it.
    canvas.fill(body, s.deep);
    const Shape face = inflate(body, -1.2f);
    canvas.fill(face,
                linearGradient(0, 4, 0, 28,
                               {{0.0f, s.light}, {0.4f, s.base}, {1.0f, shade(s.deep, 0.1f)}}));
    // Light from inside: a bright core spreading along the stone and fading towards the rim.
    canvas.fill(face, ellipticGradient(32, 16.5f, 32, 13,
                                       {{0.0f, fade(s.core, 0.95f)},
                                        {0.3f, fade(s.light, 0.75f)},
                                        {0.75f, fade(s.light, 0.15f)},
                                        {1.0f, fade(s.light, 0.0f)}}));
    // Light gathered along the lower edge, as in a lit glass block.
    canvas.fill(face, ellipticGradient(32, 26.5f, 24, 3.5f,
                                       {{0.0f, fade(s.light, 0.5f)}, {1.0f, fade(s.light, 0.0f)}}));
    canvas.bevel(face, 3.0f, 0.5f);
    // Glossy reflection over the upper half, fading out before the middle.
    const Shape gloss = intersect(inflate(body, -2.5f), roundedRect(-10, -10, 84, 26.0f, 6));
    canvas.fill(gloss, linearGradient(0, 5, 0, 15,
                                      {{0.0f, fade(palette::kWhite, 0.6f)},
                                       {0.6f, fade(palette::kWhite, 0.12f)},
                                       {1.0f, fade(palette::kWhite, 0.0f)}}));
    canvas.fill(star(13.5f, 9.0f, 4.0f, 0.22f), fade(palette::kWhite, 0.9f));
}

// The stone with its halo, as drawn when whole.
Canvas wholeStone(const StoneStyle& s, float haloStrength) {
    Canvas canvas(kStoneWidth, kStoneHeight);
    if (haloStrength > 0) {
        canvas.glow(stoneBody(), fade(s.halo, 0.7f * haloStrength), 4.0f);
    }
    paintBody(canvas, s);
    return canvas;
}

// One fragment of the breaking stone: the body's part nearest its seed, and how it moves.
struct Fragment {
    Point seed;
    float spin;  // -1 .. 1, direction and amount of turning
    float drift; // 0.5 .. 1.5, how fast it flies apart
};

std::vector<Fragment> fragmentsOf(const StoneStyle& s) {
    // Seeds on a jittered 4 x 2 grid across the body, plus one near the impact in the middle.
    std::vector<Fragment> out;
    uint32_t n = 0;
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 4; ++col) {
            const float jx = hashUnit(n++, s.seed) - 0.5f;
            const float jy = hashUnit(n++, s.seed) - 0.5f;
            out.push_back({{10.0f + col * 14.5f + jx * 8.0f, 10.0f + row * 12.0f + jy * 6.0f},
                           hashUnit(n++, s.seed) * 2.0f - 1.0f,
                           0.5f + hashUnit(n++, s.seed)});
        }
    }
    out.push_back({{32.0f, 16.0f}, 0.3f, 0.4f});
    return out;
}

// Index of the fragment whose seed lies nearest p, and the distance from p to the border
// between that fragment and its nearest neighbour.
std::pair<size_t, float> nearestFragment(const std::vector<Fragment>& fragments, Point p) {
    size_t best = 0;
    float bestD2 = 1e30f;
    for (size_t i = 0; i < fragments.size(); ++i) {
        const float dx = p.x - fragments[i].seed.x;
        const float dy = p.y - fragments[i].seed.y;
        if (dx * dx + dy * dy < bestD2) {
            bestD2 = dx * dx + dy * dy;
            best = i;
        }
    }
    float border = 1e30f;
    const Point a = fragments[best].seed;
    for (size_t i = 0; i < fragments.size(); ++i) {
        if (i == best) {
            continue;
        }
        // Distance to the perpendicular bisector of the two seeds.
        const Point b = fragments[i].seed;
        const float nx = b.x - a.x;
        const float ny = b.y - a.y;
        const float len = std::sqrt(nx * nx + ny * ny);
        const float mx = (a.x + b.x) / 2;
        const float my = (a.y + b.y) / 2;
        border = std::min(border, ((mx - p.x) * nx + (my - p.y) * ny) / len);
    }
    return {best, border};
}

// How the fragments stand in one frame of the breaking strip.
struct FrameStep {
    float crack;   // width of the cracks between fragments, pixels
    bool open;     // the cracks are gaps; otherwise dark lines in the whole stone
    float spread;  // how far fragments have moved outwards, pixels
    float fall;    // how far they have fallen, pixels
    float turn;    // their turn, radians per unit of spin
    float scale;   // their size
    float opacity; // their opacity
    float halo;    // strength of the stone's remaining halo
    float flash;   // white flash of the impact
};

constexpr std::array<FrameStep, kBreakingFrames> kSteps = {{
    {0.8f, false, 0.0f, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f, 0.3f},
    {0.9f, true, 1.2f, 0.8f, 0.05f, 1.0f, 1.0f, 0.5f, 0.1f},
    {1.0f, true, 2.6f, 3.5f, 0.18f, 0.9f, 0.88f, 0.15f, 0.0f},
    {1.0f, true, 3.8f, 7.0f, 0.4f, 0.72f, 0.6f, 0.0f, 0.0f},
    {1.0f, true, 4.6f, 10.0f, 0.7f, 0.45f, 0.22f, 0.0f, 0.0f},
}};

// Colour of a point of the frame: the source stone seen through the fragment moved over p.
Colour fragmentColour(const Canvas& source, const StoneStyle& s,
                      const std::vector<Fragment>& fragments, const FrameStep& step, Point p) {
    Colour out{};
    for (size_t i = 0; i < fragments.size(); ++i) {
        const Fragment& f = fragments[i];
        // Where the fragment's seed has moved to.
        const float ox = f.seed.x - 32.0f;
        const float oy = f.seed.y - 16.0f;
        const float olen = std::max(1.0f, std::sqrt(ox * ox + oy * oy));
        const float cx = f.seed.x + ox / olen * step.spread * f.drift;
        const float cy = f.seed.y + oy / olen * step.spread * f.drift * 0.5f + step.fall * f.drift;
        // Back from the frame into the whole stone: undo the move, the turn and the shrinking.
        const float angle = -f.spin * step.turn;
        const float dx = (p.x - cx) / step.scale;
        const float dy = (p.y - cy) / step.scale;
        const Point q{f.seed.x + dx * std::cos(angle) - dy * std::sin(angle),
                      f.seed.y + dx * std::sin(angle) + dy * std::cos(angle)};
        const auto [owner, border] = nearestFragment(fragments, q);
        if (owner != i) {
            continue;
        }
        Colour c = source.sample(q.x, q.y);
        if (border < step.crack / 2) {
            if (step.open) {
                continue;
            }
            // A fresh crack: a dark line through the still whole stone.
            c = mix(c, shade(s.deep, -0.35f), 0.85f);
        }
        // Broken edges catch a little light; the faces darken as they tumble.
        const float edge = std::clamp(1.0f - (border - step.crack / 2) / 1.5f, 0.0f, 1.0f);
        c = shade(c, 0.25f * edge - 0.12f * (1.0f - step.opacity));
        c.a *= step.opacity;
        out = c.a > out.a ? c : out;
    }
    return out;
}

// Renders one frame with 4 x 4 samples per pixel.
Canvas breakingFrame(const StoneStyle& s, const std::vector<Fragment>& fragments,
                     const FrameStep& step) {
    const Canvas source = wholeStone(s, 0.0f);
    Canvas frame(kStoneWidth, kStoneHeight);
    if (step.halo > 0) {
        frame.glow(stoneBody(), fade(s.halo, 0.7f * step.halo), 4.0f);
    }
    Canvas pieces(kStoneWidth, kStoneHeight);
    for (int y = 0; y < kStoneHeight; ++y) {
        for (int x = 0; x < kStoneWidth; ++x) {
            Colour sum{};
            for (int k = 0; k < 16; ++k) {
                const Point p{x + (k % 4 + 0.5f) / 4, y + (k / 4 + 0.5f) / 4};
                const Colour c = fragmentColour(source, s, fragments, step, p);
                sum = {sum.r + c.r * c.a, sum.g + c.g * c.a, sum.b + c.b * c.a, sum.a + c.a};
            }
            if (sum.a > 0) {
                pieces.set(x, y, {sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, sum.a / 16});
            }
        }
    }
    frame.draw(pieces, 0, 0);
    if (step.flash > 0) {
        frame.fill(inflate(stoneBody(), -1.0f),
                   radialGradient(32, 16, 26,
                                  {{0.0f, fade(palette::kWhite, step.flash * 2)},
                                   {1.0f, fade(palette::kWhite, 0.0f)}}));
    }
    return frame;
}

// Sparks and dust thrown out of the stone, growing sparse and faint in later frames.
void paintDust(Canvas& frame, const StoneStyle& s, int index) {
    if (index < 1) {
        return;
    }
    const float t = static_cast<float>(index) / (kBreakingFrames - 1);
    for (uint32_t i = 0; i < 14; ++i) {
        const float angle = hashUnit(i, s.seed + 101) * 6.2831853f;
        const float speed = 0.4f + hashUnit(i, s.seed + 202);
        const float r = (4.0f + 26.0f * t) * speed;
        const float px = 32.0f + std::cos(angle) * r * 1.4f;
        const float py = 16.0f + std::sin(angle) * r * 0.6f + 10.0f * t * t;
        const float size = (1.3f - 0.7f * t) * (0.6f + hashUnit(i, s.seed + 303));
        const float alpha = (1.0f - t * 0.85f) * 0.85f;
        frame.fill(circle(px, py, size), fade(i % 3 == 0 ? s.core : s.light, alpha));
    }
}

} // namespace

Canvas drawGlowStone(StoneFamily family) {
    return wholeStone(styleOf(family), 1.0f);
}

Canvas drawBreakingStrip(StoneFamily family) {
    const StoneStyle s = styleOf(family);
    const std::vector<Fragment> fragments = fragmentsOf(s);
    Canvas strip(kStoneWidth * kBreakingFrames, kStoneHeight);
    for (int i = 0; i < kBreakingFrames; ++i) {
        Canvas frame = breakingFrame(s, fragments, kSteps[i]);
        paintDust(frame, s, i);
        strip.draw(frame, i * kStoneWidth, 0);
    }
    return strip;
}
