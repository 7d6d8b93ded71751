// DialogButtons: a dialog's push buttons: where they stand, which has the focus, and clicks.
#pragma once

#include "app/platform/ui/DialogPainter.h"

#include <SDL.h>

#include <string>
#include <vector>

class DialogButtons {
  public:
    // Appends a button; the first one added is the default button.
    void add(const SDL_Rect& rect, const std::string& label);
    int count() const { return static_cast<int>(buttons.size()); }

    // The focused button's index, or -1 when another control (an edit field) has the focus.
    int getFocus() const { return focus; }
    void setFocus(int index) { focus = index; }

    // A left button press or release at (x, y). Returns the index of the button clicked (pressed
    // and released on it), or -1. A press on a button gives it the focus.
    int mouse(Uint32 type, int x, int y);

    // Draws every button; the default one is highlighted while no other button has the focus.
    void draw(DialogPainter& painter) const;

  private:
    int at(int x, int y) const;

    struct Button {
        SDL_Rect rect;
        std::string label;
    };
    std::vector<Button> buttons;
    int focus = 0;
    int pressed = -1;
};
