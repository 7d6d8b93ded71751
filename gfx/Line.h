// Line: straight segments of one colour and width between two screen points.
#pragma once

#include <d3dx9.h>

class Line {
  public:
    Line() = default;
    ~Line();
    Line(const Line&) = delete;
    Line& operator=(const Line&) = delete;

    // Creates the line; false when the platform line cannot be made.
    bool create(D3DCOLOR colour, float width);
    // Draws the segment from (x1, y1) to (x2, y2); nothing when creation failed.
    void draw(float x1, float y1, float x2, float y2);
    // The line's width; 0 when creation failed.
    float getWidth();

  private:
    ID3DXLine* line = nullptr;
    D3DCOLOR colour = 0;
};
