// GameWindow on Windows: the game's SDL window's own handle, from SDL_GetWindowWMInfo.
#include "app/platform/GameWindow.h"

#include <SDL.h>
#include <SDL_syswm.h>

namespace {

// Highest window id looked at when looking for the game's window.
constexpr Uint32 kMaxWindowId = 64;

} // namespace

HWND gameWindowHandle() {
    SDL_Window* window = nullptr;
    for (Uint32 id = 1; window == nullptr && id <= kMaxWindowId; ++id) {
        window = SDL_GetWindowFromID(id);
    }
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window == nullptr || !SDL_GetWindowWMInfo(window, &info) ||
        info.subsystem != SDL_SYSWM_WINDOWS) {
        return nullptr;
    }
    return info.info.win.window;
}
