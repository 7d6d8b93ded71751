// PictureFit: where the game's fixed-size picture stands in a window of any size, and how points
// and areas map between the two. Plain arithmetic, the same on every system.
#pragma once

// The picture is scaled as large as the window allows with its shape kept, in steps of
// 1 / gcd(width, height) (1/32 for 800 x 608), so that its scaled sides are whole numbers of
// pixels and its shape is kept exactly; it stands centred, with bars on the sides it leaves.
class PictureFit {
  public:
    // A rectangle: left, top, width, height.
    struct Area {
        int x = 0;
        int y = 0;
        int w = 0;
        int h = 0;
        bool operator==(const Area&) const = default;
    };

    // A picture of at least 1 x 1 pixels in a window of any size (at least one step is taken).
    PictureFit(int pictureWidth, int pictureHeight, int windowWidth, int windowHeight);

    // The picture's rectangle in the window.
    const Area& onWindow() const { return shown; }
    // True when every picture pixel covers n x n whole window pixels.
    bool isWholeScale() const { return steps % unit == 0; }
    // The picture point under window point (x, y); a point beside the picture maps beside it.
    void toPicture(int x, int y, int& pictureX, int& pictureY) const;
    // The smallest area holding `area` (cut to the picture) whose edges fall on whole window
    // pixels, grown by `margin` picture pixels first; empty when nothing of it is in the picture.
    Area snapped(const Area& area, int margin) const;
    // The window rectangle that shows a snapped picture area.
    Area toWindow(const Area& area) const;

  private:
    int pictureWidth;
    int pictureHeight;
    int unit;  // steps per whole scale: the greatest common divisor of the picture's sides
    int steps; // the scale is steps / unit
    Area shown;
};
