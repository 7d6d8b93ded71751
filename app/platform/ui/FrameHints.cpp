// FrameHints: tells an X11 window manager which functions a box's frame offers.
#include "app/platform/ui/FrameHints.h"

#include <SDL_syswm.h>

namespace {

// _MOTIF_WM_HINTS: flags, functions, decorations, input mode, status.
constexpr long kHasFunctions = 1;
constexpr long kHasDecorations = 2;
constexpr long kMove = 4;
constexpr long kClose = 32;
constexpr long kBorder = 2;
constexpr long kTitle = 8;
constexpr long kWindowMenu = 16;

} // namespace

void offerOnlyMoveAndClose(SDL_Window* window, bool closable) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) {
        return;
    }
    long hints[5] = {kHasFunctions | kHasDecorations, kMove | (closable ? kClose : 0),
                     kBorder | kTitle | kWindowMenu, 0, 0};
    Display* display = info.info.x11.display;
    Atom atom = XInternAtom(display, "_MOTIF_WM_HINTS", False);
    XChangeProperty(display, info.info.x11.window, atom, atom, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(hints), 5);
}
