// Shapes: signed-distance shapes (distance in pixels, negative inside) and ways to combine them.
#pragma once

#include "tools/content/Canvas.h"

#include <vector>

struct Point {
    float x = 0, y = 0;
};

// A disc of radius r around (cx, cy).
Shape circle(float cx, float cy, float r);
// A box given by its top-left corner and its size, with corners rounded by radius r.
Shape roundedRect(float x, float y, float w, float h, float r);
// A segment from a to b thickened by r on every side (round caps).
Shape capsule(Point a, Point b, float r);
// A stroke of half-thickness r along the circle of radius radius around c, from angle a0 to a1
// (radians, clockwise on screen since y grows downwards), with round caps.
Shape arc(Point c, float radius, float a0, float a1, float r);
// A closed polygon (any winding).
Shape polygon(std::vector<Point> points);
// A four-pointed star centred on (cx, cy) with arms of length size; waist is the half width
// between two arms as a share of size.
Shape star(float cx, float cy, float size, float waist);

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
// The shape repeated every w pixels across and h pixels down (for seamless tiles): each point
// measures the nearest of the copies one period around it.
Shape tiled(Shape s, float w, float h);
