// DialogButtons: focus, mouse clicks and drawing of a dialog's push buttons.
#include "app/platform/ui/DialogButtons.h"

void DialogButtons::add(const SDL_Rect& rect, const std::string& label) {
    buttons.push_back({rect, label});
}

int DialogButtons::at(int x, int y) const {
    const SDL_Point point{x, y};
    for (int i = 0; i < count(); ++i) {
        if (SDL_PointInRect(&point, &buttons[static_cast<std::size_t>(i)].rect)) {
            return i;
        }
    }
    return -1;
}

int DialogButtons::mouse(Uint32 type, int x, int y) {
    const int under = at(x, y);
    if (type == SDL_MOUSEBUTTONDOWN) {
        pressed = under;
        if (under >= 0) {
            focus = under;
        }
        return -1;
    }
    const int clicked = pressed >= 0 && pressed == under ? under : -1;
    pressed = -1;
    return clicked;
}

void DialogButtons::draw(DialogPainter& painter) const {
    for (int i = 0; i < count(); ++i) {
        DialogPainter::ButtonState state;
        state.focused = focus == i;
        state.highlighted = i == 0 && focus <= 0;
        state.pressed = pressed == i;
        const Button& button = buttons[static_cast<std::size_t>(i)];
        painter.button(button.rect, button.label, state);
    }
}
