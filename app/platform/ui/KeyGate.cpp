// KeyGate: key presses that began before a dialog opened are kept from it.
#include "app/platform/ui/KeyGate.h"

KeyGate::KeyGate(const std::vector<int>& held, std::uint32_t openedAt) {
    for (int scancode : held) {
        stale[scancode] = openedAt;
    }
}

bool KeyGate::press(int scancode, bool repeat, std::uint32_t at) {
    const auto found = stale.find(scancode);
    if (found != stale.end() && !repeat && at - found->second > kLetGoAfterMs) {
        stale.erase(found); // a fresh press of a key whose release went elsewhere
    } else if (found != stale.end() || (repeat && !pressed.contains(scancode))) {
        stale[scancode] = at;
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
