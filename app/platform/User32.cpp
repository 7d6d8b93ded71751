// The user32 and kernel32 calls the game makes, over SDL: message boxes, the active window and
// the millisecond clock.
#include <windows.h>

#include "BoxSound.h"
#include "GameWindow.h"
#include "TextCodec.h"
#include "User32Script.h"
#include "app/Language.h"
#include "ui/MessageBoxWindow.h"

#include <SDL.h>

#include <cstdio>
#include <utility>

namespace {

MessageBoxAnswerer scriptedAnswerer;
BoxSoundHook boxSound = nullptr;

// Highest window id scanned when looking for the game's window.
constexpr Uint32 MaxWindowId = 64;

// The answer of a box closed without choosing a button.
int closedAnswer(UINT type) {
    return (type & 0xF) == MB_YESNO ? IDNO : IDOK;
}

Uint32 sdlFlags(UINT type) {
    switch (type & 0xF0) {
    case MB_ICONERROR:
        return SDL_MESSAGEBOX_ERROR;
    case MB_ICONWARNING:
        return SDL_MESSAGEBOX_WARNING;
    case MB_ICONINFORMATION:
        return SDL_MESSAGEBOX_INFORMATION;
    default:
        return 0;
    }
}

// Whether windows made now reach a person: video starts, on a driver that shows its windows
// (not SDL's dummy or offscreen one, where a box would wait for ever).
bool displayShowsWindows() {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        return false;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    const bool shows = driver != nullptr && SDL_strcmp(driver, "dummy") != 0 &&
                       SDL_strcmp(driver, "offscreen") != 0;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return shows;
}

// Shows the box with SDL, where the box of our own cannot be made; false when SDL cannot show
// one either (no display, or refused).
bool showSdlBox(HWND owner, const std::string& text, const std::string& caption, UINT type,
                int* answer) {
    const std::string okLabel = cp1250ToUtf8(tr(TextId::BoxOk));
    const std::string yesLabel = cp1250ToUtf8(tr(TextId::BoxYes));
    const std::string noLabel = cp1250ToUtf8(tr(TextId::BoxNo));
    SDL_MessageBoxButtonData ok{SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT |
                                    SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT,
                                IDOK, okLabel.c_str()};
    SDL_MessageBoxButtonData yesNo[2] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, IDYES, yesLabel.c_str()},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDNO, noLabel.c_str()},
    };
    bool question = (type & 0xF) == MB_YESNO;
    SDL_MessageBoxData data{};
    data.flags = sdlFlags(type);
    data.window = reinterpret_cast<SDL_Window*>(owner);
    data.title = caption.c_str();
    data.message = text.c_str();
    data.numbuttons = question ? 2 : 1;
    data.buttons = question ? yesNo : &ok;
    int button = -1;
    if (SDL_ShowMessageBox(&data, &button) != 0) {
        return false;
    }
    *answer = button == IDYES || button == IDOK ? button : closedAnswer(type);
    return true;
}

} // namespace

void setBoxSound(BoxSoundHook hook) {
    boxSound = hook;
}

void setMessageBoxAnswerer(MessageBoxAnswerer answerer) {
    scriptedAnswerer = std::move(answerer);
}

int WINAPI MessageBoxW(HWND hWnd, LPCWSTR lpText, LPCWSTR lpCaption, UINT uType) {
    const wchar_t* text = lpText ? lpText : L"";
    if (scriptedAnswerer) {
        return scriptedAnswerer(MessageBoxCall{hWnd, wideToCp1250(text),
                                               wideToCp1250(lpCaption ? lpCaption : L""),
                                               lpCaption != nullptr, uType});
    }
    // A box without a caption shows the system's default one.
    std::string caption = wideToUtf8(lpCaption ? lpCaption : L"Error");
    std::string message = wideToUtf8(text);
    // The box is centred on, and modal for, the game's window, whoever owns it.
    SDL_Window* owner = reinterpret_cast<SDL_Window*>(hWnd ? hWnd : GetActiveWindow());
    const bool shown = displayShowsWindows();
    if (shown && boxSound != nullptr) {
        boxSound();
    }
    int answer = shown ? runMessageBoxWindow(owner, message, caption, uType) : 0;
    if (answer != 0) {
        return answer;
    }
    if (showSdlBox(hWnd, message, caption, uType, &answer)) {
        return answer;
    }
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), message.c_str());
    return closedAnswer(uType);
}

HWND WINAPI GetActiveWindow() {
    SDL_Window* window = SDL_GetKeyboardFocus();
    // Without focus (a hidden or headless window) the game's window stands in.
    return window != nullptr ? reinterpret_cast<HWND>(window) : gameWindowHandle();
}

HWND gameWindowHandle() {
    SDL_Window* window = nullptr;
    for (Uint32 id = 1; window == nullptr && id <= MaxWindowId; ++id) {
        window = SDL_GetWindowFromID(id);
    }
    return reinterpret_cast<HWND>(window);
}

DWORD WINAPI GetTickCount() {
    return static_cast<DWORD>(SDL_GetTicks());
}
