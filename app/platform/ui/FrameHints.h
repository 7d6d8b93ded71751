// FrameHints: tells an X11 window manager which functions a box's frame offers.
#pragma once

#include <SDL.h>

// Asks the window manager (through the Motif hints most X11 window managers read) to give the
// not yet shown window a title bar and border that move it and, when closable, close it: no
// minimise, maximise or resize, as a Windows message box has. Does nothing on other video drivers.
void offerOnlyMoveAndClose(SDL_Window* window, bool closable);
