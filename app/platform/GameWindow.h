// GameWindow: the game's own window as the Windows calls name it, whether or not it is active.
#pragma once

#include <windows.h>

// The handle of the game's window (the first SDL window made), or null before it exists. The
// device is made for it when GetActiveWindow answers null because the player made another
// program's window active while the game started. On Windows the handle comes from
// SDL_GetWindowWMInfo; on Linux the stand-ins' HWND is the SDL window itself.
HWND gameWindowHandle();
