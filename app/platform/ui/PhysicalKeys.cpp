// PhysicalKeys: the X server's key map read as SDL scancodes.
#include "app/platform/ui/PhysicalKeys.h"

#include <SDL_syswm.h>
#include <X11/XKBlib.h>

#include <array>
#include <string>
#include <string_view>
#include <utility>

namespace {

// X's names of keys that SDL names otherwise.
constexpr std::pair<std::string_view, const char*> kRenamed[] = {{"Shift_L", "Left Shift"},
                                                                 {"Shift_R", "Right Shift"},
                                                                 {"Control_L", "Left Ctrl"},
                                                                 {"Control_R", "Right Ctrl"},
                                                                 {"Alt_L", "Left Alt"},
                                                                 {"Alt_R", "Right Alt"},
                                                                 {"ISO_Level3_Shift", "Right Alt"},
                                                                 {"Super_L", "Left GUI"},
                                                                 {"Super_R", "Right GUI"},
                                                                 {"Prior", "PageUp"},
                                                                 {"Next", "PageDown"}};

// The scancode of the key whose unshifted symbol is symbol, or SDL_SCANCODE_UNKNOWN. Keys that
// type a character are found by that character, the others by name: X names Return, Escape,
// BackSpace, Tab, Left or F1 as SDL does (SDL compares names without regard to case), its
// KP_Enter is SDL's "Keypad Enter", and the modifiers and page keys are renamed.
SDL_Scancode scancodeOf(KeySym symbol) {
    if ((symbol >= 0x20 && symbol <= 0x7e) || (symbol >= 0xa0 && symbol <= 0xff)) {
        return SDL_GetScancodeFromKey(static_cast<SDL_Keycode>(symbol));
    }
    constexpr KeySym kUnicode = 0x01000000;
    if ((symbol & 0xff000000) == kUnicode) {
        return SDL_GetScancodeFromKey(static_cast<SDL_Keycode>(symbol & 0xffffff));
    }
    const char* name = XKeysymToString(symbol);
    if (name == nullptr) {
        return SDL_SCANCODE_UNKNOWN;
    }
    const std::string_view keypad = "KP_";
    for (const auto& [x11, sdl] : kRenamed) {
        if (x11 == name) {
            return SDL_GetScancodeFromName(sdl);
        }
    }
    if (std::string_view(name).starts_with(keypad)) {
        return SDL_GetScancodeFromName(("Keypad " + std::string(name + keypad.size())).c_str());
    }
    return SDL_GetScancodeFromName(name);
}

} // namespace

std::vector<int> physicalKeysUp(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window == nullptr || !SDL_GetWindowWMInfo(window, &info) ||
        info.subsystem != SDL_SYSWM_X11) {
        return {};
    }
    Display* display = info.info.x11.display;
    char keymap[32] = {};
    XQueryKeymap(display, keymap);
    int first = 0, last = 0;
    XDisplayKeycodes(display, &first, &last);
    // Per scancode: not named by any key, named and up, named and down (on any key naming it).
    enum class State { Unnamed, Up, Down };
    std::array<State, SDL_NUM_SCANCODES> states{};
    for (int code = first; code <= last && code < 256; ++code) {
        const SDL_Scancode scancode =
            scancodeOf(XkbKeycodeToKeysym(display, static_cast<KeyCode>(code), 0, 0));
        if (scancode == SDL_SCANCODE_UNKNOWN) {
            continue;
        }
        if ((keymap[code / 8] >> (code % 8) & 1) != 0) {
            states[scancode] = State::Down;
        } else if (states[scancode] == State::Unnamed) {
            states[scancode] = State::Up;
        }
    }
    std::vector<int> up;
    for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) {
        if (states[scancode] == State::Up) {
            up.push_back(scancode);
        }
    }
    return up;
}
