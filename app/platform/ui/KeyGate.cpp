// KeyGate: key presses that began before a dialog opened are kept from it.
#include "app/platform/ui/KeyGate.h"

KeyGate::KeyGate(const std::vector<int>& held) : stale(held.begin(), held.end()) {}

bool KeyGate::press(int scancode, bool repeat) {
    if (repeat && !pressed.contains(scancode)) {
        stale.insert(scancode);
    }
    lastPressCounted = !stale.contains(scancode);
    if (lastPressCounted) {
        pressed.insert(scancode);
    }
    return lastPressCounted;
}

void KeyGate::release(int scancode) {
    stale.erase(scancode);
    pressed.erase(scancode);
}

void KeyGate::letGo(const std::vector<int>& up) {
    for (int scancode : up) {
        stale.erase(scancode);
    }
}
