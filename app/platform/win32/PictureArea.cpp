// PictureArea on Windows: the picture's part of the client area, and the bars beside it in GDI.
#include "app/platform/PictureArea.h"

#include "app/platform/PictureFit.h"

bool fitPictureArea(HWND window, UINT width, UINT height, RECT& area) {
    RECT client;
    if (window == nullptr || !GetClientRect(window, &client) || client.right <= 0 ||
        client.bottom <= 0) {
        return false;
    }
    const PictureFit fit(static_cast<int>(width), static_cast<int>(height), client.right,
                         client.bottom);
    const PictureFit::Area& on = fit.onWindow();
    if (on.x == 0 && on.y == 0 && on.w == client.right && on.h == client.bottom) {
        return false;
    }
    area = {on.x, on.y, on.x + on.w, on.y + on.h};
    HDC dc = GetDC(window);
    if (dc != nullptr) {
        auto* black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        const RECT bars[] = {
            {0, 0, client.right, area.top},
            {0, area.bottom, client.right, client.bottom},
            {0, area.top, area.left, area.bottom},
            {area.right, area.top, client.right, area.bottom},
        };
        for (const RECT& bar : bars) {
            if (bar.right > bar.left && bar.bottom > bar.top) {
                FillRect(dc, &bar, black);
            }
        }
        ReleaseDC(window, dc);
    }
    return true;
}
