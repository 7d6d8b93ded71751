// PictureFit: the picture's place in the window and the mapping of points and areas.
#include "app/platform/PictureFit.h"

#include <algorithm>
#include <numeric>

namespace {

// Rounds a / b down, for a of any sign and b > 0.
int floorDiv(long long a, long long b) {
    return static_cast<int>(a >= 0 ? a / b : -((-a + b - 1) / b));
}

} // namespace

PictureFit::PictureFit(int pictureWidth, int pictureHeight, int windowWidth, int windowHeight)
    : pictureWidth(std::max(pictureWidth, 1)), pictureHeight(std::max(pictureHeight, 1)) {
    unit = std::gcd(this->pictureWidth, this->pictureHeight);
    // One step of scale adds (width / unit) x (height / unit) window pixels.
    steps = std::max(1, std::min(windowWidth / (this->pictureWidth / unit),
                                 windowHeight / (this->pictureHeight / unit)));
    shown.w = this->pictureWidth / unit * steps;
    shown.h = this->pictureHeight / unit * steps;
    shown.x = floorDiv(windowWidth - shown.w, 2);
    shown.y = floorDiv(windowHeight - shown.h, 2);
}

void PictureFit::toPicture(int x, int y, int& pictureX, int& pictureY) const {
    pictureX = floorDiv(static_cast<long long>(x - shown.x) * unit, steps);
    pictureY = floorDiv(static_cast<long long>(y - shown.y) * unit, steps);
}

// Picture edges on multiples of unit / gcd(steps, unit) map to whole window pixels.
PictureFit::Area PictureFit::snapped(const Area& area, int margin) const {
    const int cell = unit / std::gcd(steps, unit);
    const int left = std::max(0, floorDiv(area.x - margin, cell) * cell);
    const int top = std::max(0, floorDiv(area.y - margin, cell) * cell);
    const int right =
        std::min(pictureWidth, (floorDiv(area.x + area.w + margin - 1, cell) + 1) * cell);
    const int bottom =
        std::min(pictureHeight, (floorDiv(area.y + area.h + margin - 1, cell) + 1) * cell);
    if (area.w <= 0 || area.h <= 0 || right <= left || bottom <= top) {
        return {};
    }
    return {left, top, right - left, bottom - top};
}

PictureFit::Area PictureFit::toWindow(const Area& area) const {
    return {shown.x + area.x * steps / unit, shown.y + area.y * steps / unit, area.w * steps / unit,
            area.h * steps / unit};
}
