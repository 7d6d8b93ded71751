// VirtualPad: a game controller of SDL's virtual joystick driver, plugged in for a test and
// pulled out at its end, whose buttons and left stick the test sets as a player would.
#pragma once

#include <SDL.h>

namespace zxtest {

class VirtualPad {
  public:
    // Plugs the pad in (SDL's game controllers must have started: the game's start-up starts
    // them). Its events count even while no window of the test has the keyboard focus.
    VirtualPad();
    // Pulls the pad out.
    ~VirtualPad();
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    bool plugged() const { return joystick != nullptr; }
    // The pad's device index, as SDL numbers the joysticks plugged in.
    int index() const { return device; }
    // Holds a button down or lets it go; SDL reports it at its next look at the pads.
    void button(SDL_GameControllerButton which, bool down);
    // Moves an axis to value (-32768 to 32767).
    void axis(SDL_GameControllerAxis which, Sint16 value);
    // Pulls the pad out now.
    void unplug();

  private:
    int device = -1;
    SDL_Joystick* joystick = nullptr;
};

} // namespace zxtest
