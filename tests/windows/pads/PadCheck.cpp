// PadCheck: run under Wine, checks that the SDL2.dll shipped with the game carries SDL's game
// controllers and virtual joysticks, and that the game's pad translation reads them there: a
// virtual pad plugged in is opened, and its A, d-pad and left stick give the game's pad events;
// then that Windows' own message boxes answer the pad.
#define SDL_MAIN_HANDLED
#include "app/platform/Gamepads.h"
#include "app/platform/PadEvent.h"
#include "tests/support/VirtualPad.h"

#include <SDL.h>
#include <windows.h>

#include <cstdio>
#include <vector>

namespace {

// The pad events of what SDL reports within a second; stops at the first one.
std::vector<PadPress> nextPresses() {
    std::vector<PadPress> presses;
    for (int i = 0; i < 100 && presses.empty(); ++i) {
        SDL_Event event;
        while (SDL_PollEvent(&event) != 0) {
            for (const SDL_Event& padEvent : gamepads::translate(event)) {
                if (const std::optional<PadPress> press = padPressOf(padEvent)) {
                    presses.push_back(*press);
                }
            }
        }
        SDL_Delay(10);
    }
    return presses;
}

bool expect(const char* what, PadButton button, bool down) {
    const std::vector<PadPress> presses = nextPresses();
    if (presses.size() != 1 || presses[0].button != button || presses[0].down != down) {
        std::printf("FAIL: %s gave %zu pad events, not the one expected\n", what, presses.size());
        return false;
    }
    std::printf("ok: %s\n", what);
    return true;
}

// A player at the pad while a box is open: every 100 ms the next button goes down or up.
zxtest::VirtualPad* scriptPad = nullptr;
std::vector<SDL_GameControllerButton> script;
std::size_t step = 0; // a press and a release per button

void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
    if (step / 2 < script.size()) {
        scriptPad->button(script[step / 2], step % 2 == 0);
        ++step;
    }
}

bool answers(const char* what, std::vector<SDL_GameControllerButton> buttons, UINT type,
             int expected) {
    script = std::move(buttons);
    step = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, tick);
    const int answer = MessageBoxA(nullptr, what, "Zembrix", type);
    KillTimer(nullptr, timer);
    // Whatever the last step left down is let go before the next box.
    for (int button = 0; button < SDL_CONTROLLER_BUTTON_MAX; ++button) {
        scriptPad->button(static_cast<SDL_GameControllerButton>(button), false);
    }
    nextPresses();
    std::printf("%s: %s (answer %d, expected %d)\n", answer == expected ? "ok" : "FAIL", what,
                answer, expected);
    return answer == expected;
}

} // namespace

int main() {
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (SDL_Init(SDL_INIT_EVENTS) != 0 || !gamepads::start()) {
        std::printf("FAIL: no game controllers: %s\n", SDL_GetError());
        return 1;
    }
    zxtest::VirtualPad pad;
    if (!pad.plugged()) {
        std::printf("FAIL: no virtual joystick: %s\n", SDL_GetError());
        return 1;
    }
    nextPresses(); // the pad is plugged in and opened
    if (!SDL_IsGameController(pad.index())) {
        std::printf("FAIL: the virtual pad is no game controller\n");
        return 1;
    }
    pad.button(SDL_CONTROLLER_BUTTON_A, true);
    bool ok = expect("A pressed", PadButton::A, true);
    pad.button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    ok = expect("d-pad right pressed", PadButton::Right, true) && ok;
    pad.axis(SDL_CONTROLLER_AXIS_LEFTY, -32768);
    ok = expect("left stick pushed up", PadButton::Up, true) && ok;
    pad.button(SDL_CONTROLLER_BUTTON_A, false);
    ok = expect("A let go", PadButton::A, false) && ok;
    pad.button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, false);
    pad.axis(SDL_CONTROLLER_AXIS_LEFTY, 0);
    nextPresses();

    scriptPad = &pad;
    const UINT question = MB_YESNO | MB_ICONQUESTION;
    ok = answers("A answers Tak", {SDL_CONTROLLER_BUTTON_A}, question, IDYES) && ok;
    ok = answers("right, A answers Nie",
                 {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, SDL_CONTROLLER_BUTTON_A}, question, IDNO) &&
         ok;
    ok = answers("B answers Nie", {SDL_CONTROLLER_BUTTON_B}, question, IDNO) && ok;
    ok = answers("B closes an OK box", {SDL_CONTROLLER_BUTTON_B}, MB_ICONINFORMATION, IDOK) && ok;
    pad.unplug();
    gamepads::stop();
    SDL_Quit();
    return ok ? 0 : 1;
}
