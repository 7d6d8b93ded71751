// DialogDriver: synthetic events, a watchdog and frame capture for tests of the dialogs.
#include "tests/support/DialogDriver.h"

#include "app/platform/ui/DialogWindow.h"
#include "tests/support/GameHarness.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>

namespace zxtest {

namespace {

std::atomic<Uint32> openWindow{0};
std::atomic<bool> watchdogFired{false};

// Closes the open dialog's window and asks to quit, so a dialog that does not close by itself
// fails the test instead of hanging it.
Uint32 watchdog(Uint32, void*) {
    watchdogFired = true;
    pushWindowClose(openWindow.load());
    pushEventOfType(SDL_QUIT);
    return 1000;
}

} // namespace

void pushKey(SDL_Keycode key, Uint32 windowId, Uint16 mod) {
    pushKeyEvent(SDL_KEYDOWN, key, false, windowId, mod);
    pushKeyEvent(SDL_KEYUP, key, false, windowId, mod);
}

void pushKeyEvent(Uint32 type, SDL_Keycode key, bool repeat, Uint32 windowId, Uint16 mod) {
    SDL_Event e = keyEvent(type, key, mod, repeat, windowId);
    SDL_PushEvent(&e);
}

void pushEventOfType(Uint32 type) {
    SDL_Event e{};
    e.type = type;
    SDL_PushEvent(&e);
}

void pushText(const std::string& utf8, Uint32 windowId) {
    for (size_t at = 0; at < utf8.size(); at += 31) {
        SDL_Event e{};
        e.type = SDL_TEXTINPUT;
        e.text.windowID = windowId;
        const std::string part = utf8.substr(at, 31);
        std::memcpy(e.text.text, part.c_str(), part.size() + 1);
        SDL_PushEvent(&e);
    }
}

void pushClick(Uint32 windowId, int x, int y) {
    SDL_Event e{};
    e.button.windowID = windowId;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.x = x;
    e.button.y = y;
    e.type = SDL_MOUSEBUTTONDOWN;
    SDL_PushEvent(&e);
    e.type = SDL_MOUSEBUTTONUP;
    SDL_PushEvent(&e);
}

void pushWindowClose(Uint32 windowId) {
    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    close.window.windowID = windowId;
    SDL_PushEvent(&close);
}

std::vector<Uint32> drainEventTypes() {
    std::vector<Uint32> types;
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        if (e.type != SDL_WINDOWEVENT) {
            types.push_back(e.type);
        }
    }
    return types;
}

DialogDriver::DialogDriver() {
    useHeadlessVideo();
    EXPECT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER), 0) << SDL_GetError();
    watchdogFired = false;
    setDialogFrameHook([this](SDL_Window* window, SDL_Renderer* renderer) {
        last.windowId = SDL_GetWindowID(window);
        openWindow = last.windowId;
        last.title = SDL_GetWindowTitle(window);
        SDL_GetWindowPosition(window, &last.x, &last.y);
        SDL_GetWindowSize(window, &last.w, &last.h);
        last.pixels.assign(static_cast<size_t>(last.w * last.h), 0);
        SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, last.pixels.data(),
                             last.w * 4);
        ++frames;
        if (onFrame) {
            onFrame(last);
        }
    });
    timer = SDL_AddTimer(5000, watchdog, nullptr);
}

DialogDriver::~DialogDriver() {
    SDL_RemoveTimer(timer);
    setDialogFrameHook(nullptr);
    SDL_Quit();
    EXPECT_FALSE(watchdogFired) << "a dialog did not close by itself";
}

} // namespace zxtest
