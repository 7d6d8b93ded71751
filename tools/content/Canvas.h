// Canvas: a float RGBA picture that the art tools paint with anti-aliased shapes and gradients.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A colour with straight (not premultiplied) alpha; every channel runs from 0 to 1.
struct Colour {
    float r = 0, g = 0, b = 0, a = 0;
};

// Opaque colour from a 0xRRGGBB value, with alpha a.
Colour rgb(uint32_t hex, float a = 1.0f);
// Linear blend from c0 (t = 0) to c1 (t = 1), alpha included.
Colour mix(Colour c0, Colour c1, float t);
// Colour c with its alpha multiplied by k.
Colour fade(Colour c, float k);
// Colour c moved towards white (amount > 0) or black (amount < 0), alpha kept.
Colour shade(Colour c, float amount);

// Signed distance to a shape's edge in pixels at a point: negative inside, positive outside.
using Shape = std::function<float(float x, float y)>;
// The colour a fill lays at a point.
using Paint = std::function<Colour(float x, float y)>;

class Canvas {
  public:
    // A transparent picture of w x h pixels.
    Canvas(int w, int h);

    int getWidth() const { return width; }
    int getHeight() const { return height; }

    // Replaces a pixel (ignored outside the picture).
    void set(int x, int y, Colour c);
    // Bilinear sample at a point in pixel units (pixel centres at +0.5), transparent outside.
    Colour sample(float x, float y) const;

    // Lays paint over the picture where shape covers it; each pixel is weighted by the part of
    // it the shape covers (analytic coverage from the distance at its centre) and by opacity.
    void fill(const Shape& shape, const Paint& paint, float opacity = 1.0f);
    void fill(const Shape& shape, Colour colour, float opacity = 1.0f);
    // Lays colour over the picture with alpha falling from full at the shape's edge to nothing
    // at radius pixels outside it (a soft glow or, shifted, a soft shadow). Inside the shape the
    // colour is laid at full strength only when inside is set.
    void glow(const Shape& shape, Colour colour, float radius, bool inside = false);
    // Lights the band of width pixels inside the shape's edge as a raised bevel: parts facing the
    // light (up and left) brighten, parts facing away darken, by up to strength.
    void bevel(const Shape& shape, float width, float strength);
    // Lays another picture over this one with its top-left corner at (x, y).
    void draw(const Canvas& other, int x, int y, float opacity = 1.0f);

    // Writes the picture as a 32-bit PNG (alpha kept); false on failure.
    bool savePng(const std::string& path) const;
    // Writes the picture as a 32-bit BMP with its alpha channel; false on failure.
    bool saveBmp(const std::string& path) const;
    // The picture as ARGB8888 values, row by row (straight alpha, rounded to bytes).
    std::vector<uint32_t> toArgb() const;

  private:
    // Lays a premultiplied colour over pixel i.
    void blend(size_t i, Colour premultiplied);

    int width;
    int height;
    std::vector<Colour> pixels; // premultiplied alpha
};
