// Shapes: signed-distance shapes (distance in pixels, negative inside) and ways to combine them.
#pragma once

#include "tools/content/Canvas.h"

#include <vector>

struct Point {
    float x = 0, y = 0;
};

// A disc of radius r around (cx, cy).
Shape circle(float cx, float cy, float r);
// A box centred on (cx, cy) with half sizes hw and hh and corners rounded by radius r.
Shape roundedBox(float cx, float cy, float hw, float hh, float r);
// The same box given by its top-left corner and its size.
Shape roundedRect(float x, float y, float w, float h, float r);
// A segment from a to b thickened by r on every side (round caps).
Shape capsule(Point a, Point b, float r);
// A stroke of half-thickness r along the circle of radius radius around c, from angle a0 to a1
// (radians, clockwise on screen since y grows downwards), with round caps.
Shape arc(Point c, float radius, float a0, float a1, float r);
// A closed polygon (any winding).
Shape polygon(std::vector<Point> points);

// Everything either shape covers.
Shape unite(Shape a, Shape b);
// What a covers and b does not.
Shape subtract(Shape a, Shape b);
// What both cover.
Shape intersect(Shape a, Shape b);
// The shape grown by r pixels (shrunk for r < 0).
Shape inflate(Shape s, float r);
// The shape moved by (dx, dy).
Shape translate(Shape s, float dx, float dy);
// The shape rotated by angle radians around c.
Shape rotate(Shape s, Point c, float angle);
// The shape repeated every w pixels across and h pixels down (for seamless tiles): each point
// measures the nearest of the copies one period around it.
Shape tiled(Shape s, float w, float h);
