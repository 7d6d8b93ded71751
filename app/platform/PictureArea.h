// PictureArea: on Windows, where Direct3D presents the picture in the game's window. Direct3D
// stretches a windowed back buffer over the whole client area; the picture keeps its shape
// instead, fitted as PictureFit places it, with black bars painted beside it. (On Linux the
// device stand-in fits the picture itself.)
#pragma once

#include <windows.h>

// The client area's part that shows a width x height picture, as PictureFit places it; paints
// the rest of the client area black. False (nothing painted) when the picture fills the whole
// client area or the window has none.
bool fitPictureArea(HWND window, UINT width, UINT height, RECT& area);
