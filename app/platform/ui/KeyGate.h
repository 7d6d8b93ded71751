// KeyGate: which key presses and typed text a dialog takes, so that a key already held down
// when it opened (the bat's key when the last life went, the Escape that asked the question)
// neither types into it nor answers it.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <vector>

class KeyGate {
  public:
    // A held key repeats faster than this (a keyboard's repeat delay is at most a second): a
    // key held since before that stays silent longer was let go where the dialog did not see it
    // (while the window manager handed the focus over).
    static constexpr std::uint32_t kLetGoAfterMs = 1100;

    // held: the scancodes down when the dialog opened, at openedAt (milliseconds).
    KeyGate(const std::vector<int>& held, std::uint32_t openedAt);

    // Whether a key press at `at` counts: one that begins while the dialog is open. A press of a
    // key held since before (or first seen as a repeat) does not count until that key is
    // released, or stays silent for kLetGoAfterMs.
    bool press(int scancode, bool repeat, std::uint32_t at);
    // A release seen by the dialog: the key's next press counts.
    void release(int scancode);
    // Whether typed text counts: text comes right after the key press that made it, and counts
    // when that press did (text with no press before it, from an input method, counts).
    bool text() const { return lastPressCounted; }

  private:
    std::map<int, std::uint32_t> stale; // held since before the dialog opened: last seen at
    std::set<int> pressed;              // pressed while the dialog was open, not yet released
    bool lastPressCounted = true;
};
