// MenuHighlight: moving the menu's highlight from button to button.
#include "rooms/MenuHighlight.h"

void MenuHighlight::next() {
    current = current < 0 ? 0 : (current + 1) % count;
}

void MenuHighlight::previous() {
    current = current < 0 ? 0 : (current + count - 1) % count;
}
