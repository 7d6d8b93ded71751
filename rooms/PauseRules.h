// PauseRules: when a run in play pauses and when it goes on: P or a gamepad's Start, the
// window losing the focus to another program, a click in the window; and how long a pause
// lasted, so that its time counts for nothing.
#pragma once

#include <cstdint>

class PauseRules {
  public:
    // P or Start at time now (milliseconds): pauses a run in play, or ends a pause of either
    // kind. Returns the length of the pause it ended, else 0.
    std::uint32_t toggle(bool inPlay, std::uint32_t now);
    // The window lost the focus at time `at`: pauses a run in play, unless the focus went to one
    // of the game's own boxes or dialogs (one closed at `at` or later).
    void focusLost(bool inPlay, std::uint32_t at);
    // One of the game's own boxes or dialogs closed at time now.
    void ownWindowClosed(std::uint32_t now);
    // A click in the window at time now: ends a pause the loss of the focus began (not one of
    // P or Start). Returns the length of the pause it ended, else 0.
    std::uint32_t click(std::uint32_t now);

    bool isPaused() const { return cause != Cause::None; }

  private:
    enum class Cause { None, Asked, FocusLost };

    std::uint32_t end(std::uint32_t now);

    Cause cause = Cause::None;
    std::uint32_t since = 0;
    bool ownClosed = false;
    std::uint32_t ownClosedAt = 0;
};
