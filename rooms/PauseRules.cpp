// PauseRules: the pause's causes, its ends and its length.
#include "rooms/PauseRules.h"

std::uint32_t PauseRules::toggle(bool inPlay, std::uint32_t now) {
    if (isPaused()) {
        return end(now);
    }
    if (inPlay) {
        cause = Cause::Asked;
        since = now;
    }
    return 0;
}

void PauseRules::focusLost(bool inPlay, std::uint32_t at) {
    // The times wrap after 49 days: compared by their difference.
    const bool toOwnWindow = ownClosed && static_cast<std::int32_t>(at - ownClosedAt) <= 0;
    if (isPaused() || !inPlay || toOwnWindow) {
        return;
    }
    cause = Cause::FocusLost;
    since = at;
}

void PauseRules::ownWindowClosed(std::uint32_t now) {
    ownClosed = true;
    ownClosedAt = now;
}

std::uint32_t PauseRules::click(std::uint32_t now) {
    return cause == Cause::FocusLost ? end(now) : 0;
}

std::uint32_t PauseRules::end(std::uint32_t now) {
    cause = Cause::None;
    return now - since;
}
