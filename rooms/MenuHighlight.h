// MenuHighlight: which of the menu's buttons is highlighted: moved by the keyboard and the
// gamepads, and following the mouse when it moves.
#pragma once

class MenuHighlight {
  public:
    // Over count buttons, none highlighted.
    explicit MenuHighlight(int count) : count(count) {}

    // The next button down, from the last back to the first; with none highlighted, the first.
    void next();
    // The next button up, from the first round to the last; with none highlighted, the first.
    void previous();
    // The mouse moved onto button index, or off every button (-1).
    void follow(int index) { current = index; }
    // The highlighted button's index, or -1 for none.
    int get() const { return current; }

  private:
    int count;
    int current = -1;
};
