// The render device of the Windows program made while the game's window is not the active one
// (the player clicked elsewhere during the start): GetActiveWindow answers null, and the device
// must still be made, for the game's own window. Run under Wine; exit code 0 when it is.
#define SDL_MAIN_HANDLED
#include "gfx/RenderDevice.h"
#include "gfx/platform/win32/D3DX9Library.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <windows.h>

#include <cstdio>

int main() {
    SDL_SetMainReady();
    if (!loadD3DX9() || SDL_Init(SDL_INIT_VIDEO) != 0) {
        return 1;
    }
    // A window never shown is never activated: the thread has no active window.
    SDL_Window* window = SDL_CreateWindow("Zembrix", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                          800, 608, SDL_WINDOW_HIDDEN);
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window == nullptr || !SDL_GetWindowWMInfo(window, &info)) {
        return 1;
    }
    const bool inactive = GetActiveWindow() == nullptr;
    bool made = false;
    D3DDEVICE_CREATION_PARAMETERS creation{};
    {
        RenderDevice device;
        made =
            device.init() && SUCCEEDED(RenderDevice::getDevice()->GetCreationParameters(&creation));
    }
    const bool own = made && creation.hFocusWindow == info.info.win.window;
    std::printf("%s: no active window %s, device %s, made for the game's window %s\n",
                inactive && own ? "ok" : "FAIL", inactive ? "yes" : "no", made ? "made" : "refused",
                own ? "yes" : "no");
    SDL_DestroyWindow(window);
    SDL_Quit();
    return inactive && own ? 0 : 1;
}
