// PhysicalKeys: which keys the display itself reports up, whatever SDL has seen of them.
#pragma once

#include <SDL.h>

#include <vector>

// The scancodes of the keys that the X server showing window reports up at this moment, among
// the keys whose symbol names an SDL scancode. SDL forgets held keys when its windows lose the
// focus and learns nothing of keys let go while none of them has it; the server knows.
// Empty on other video drivers.
std::vector<int> physicalKeysUp(SDL_Window* window);
