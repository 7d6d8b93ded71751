// KeyGate: which key presses and typed text a dialog takes, so that a key already held down
// when it opened (the bat's key when the last life went, the Escape that asked the question)
// neither types into it nor answers it.
#pragma once

#include <set>
#include <vector>

class KeyGate {
  public:
    // held: the scancodes down when the dialog opened.
    explicit KeyGate(const std::vector<int>& held);

    // Whether a key press counts: one that begins while the dialog is open. A press of a key
    // held since before (or first seen as a repeat) does not count until that key is released.
    bool press(int scancode, bool repeat);
    // A release seen by the dialog: the key's next press counts.
    void release(int scancode);
    // Keys the display reports up: those held since before were let go where the dialog did not
    // see it, so their next press counts.
    void letGo(const std::vector<int>& up);
    // Whether some key held since before the dialog opened has not been seen released.
    bool holdsKeys() const { return !stale.empty(); }
    // Whether typed text counts: text comes right after the key press that made it, and counts
    // when that press did (text with no press before it, from an input method, counts).
    bool text() const { return lastPressCounted; }

  private:
    std::set<int> stale;   // held since before the dialog opened, not yet released
    std::set<int> pressed; // pressed while the dialog was open, not yet released
    bool lastPressCounted = true;
};
