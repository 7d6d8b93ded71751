// DialogPads: a hook that notices the thread's dialogs and a timer per dialog that reads the
// gamepads for it.
#include "app/platform/win32/DialogPads.h"

#include "app/platform/Gamepads.h"
#include "app/platform/PadEvent.h"

#include <SDL.h>
#include <windows.h>

#include <cstring>

namespace {

constexpr UINT_PTR kTimer = 0x5A50;
constexpr UINT kPeriodMs = 20;

HHOOK hook = nullptr;
HWND watched = nullptr; // the dialog open now, or null

bool hasClass(HWND window, const char* name) {
    char found[16] = {};
    return window != nullptr && GetClassNameA(window, found, sizeof found) > 0 &&
           lstrcmpiA(found, name) == 0;
}

// Clicks button id of the dialog, as the mouse would.
void click(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void act(HWND dialog, PadButton button) {
    switch (button) {
    case PadButton::Left:
    case PadButton::Right:
        SendMessageA(dialog, WM_NEXTDLGCTL, button == PadButton::Left ? 1 : 0, FALSE);
        break;
    case PadButton::A: {
        HWND focus = GetFocus();
        const bool onButton = IsChild(dialog, focus) && hasClass(focus, "Button");
        click(dialog, onButton ? GetDlgCtrlID(focus) : IDOK);
        break;
    }
    case PadButton::B:
        click(dialog, GetDlgItem(dialog, IDNO) != nullptr       ? IDNO
                      : GetDlgItem(dialog, IDCANCEL) != nullptr ? IDCANCEL
                                                                : IDOK);
        break;
    default:
        break;
    }
}

// The timer of the dialog open: the gamepads' events taken from SDL's queue (the joysticks'
// own dropped), their presses acted on. SDL's pump looks at the pads only: it leaves the
// thread's messages to the dialog's loop.
void CALLBACK poll(HWND dialog, UINT, UINT_PTR, DWORD) {
    SDL_PumpEvents();
    SDL_Event events[8];
    int count = 0;
    while ((count = SDL_PeepEvents(events, 8, SDL_GETEVENT, SDL_JOYAXISMOTION,
                                   SDL_FINGERDOWN - 1)) > 0) {
        for (int i = 0; i < count; ++i) {
            for (const SDL_Event& padEvent : gamepads::translate(events[i])) {
                const std::optional<PadPress> press = padPressOf(padEvent);
                if (press && press->down) {
                    act(dialog, press->button);
                }
            }
        }
    }
}

// While a dialog is open the pads count though the game's window has not the focus, and SDL's
// pump leaves the thread's messages alone.
void watch(HWND dialog) {
    watched = dialog;
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    SDL_SetHint(SDL_HINT_WINDOWS_ENABLE_MESSAGELOOP, "0");
    SetTimer(dialog, kTimer, kPeriodMs, poll);
}

void unwatch() {
    KillTimer(watched, kTimer);
    watched = nullptr;
    SDL_ResetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS);
    SDL_ResetHint(SDL_HINT_WINDOWS_ENABLE_MESSAGELOOP);
}

LRESULT CALLBACK notice(int code, WPARAM wParam, LPARAM lParam) {
    HWND window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && watched == nullptr && hasClass(window, "#32770")) {
        watch(window);
    } else if (code == HCBT_DESTROYWND && window == watched) {
        unwatch();
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

} // namespace

namespace dialogPads {

void start() {
    if (hook == nullptr) {
        hook = SetWindowsHookExA(WH_CBT, notice, nullptr, GetCurrentThreadId());
    }
}

void stop() {
    if (watched != nullptr) {
        unwatch();
    }
    if (hook != nullptr) {
        UnhookWindowsHookEx(hook);
        hook = nullptr;
    }
}

} // namespace dialogPads
