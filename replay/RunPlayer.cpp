// RunPlayer: playing a tape back and comparing the run with it.
#include "replay/RunPlayer.h"

#include "app/GameClock.h"
#include "replay/TapeEvents.h"

#include <utility>

RunPlayer::RunPlayer(Tape recorded) : tape(std::move(recorded)) {}

void RunPlayer::differ(std::uint32_t at, const std::string& what) {
    if (difference.empty()) {
        difference = what;
        differentAt = at;
    }
}

std::optional<SDL_Event> RunPlayer::nextEvent(std::uint32_t update, Uint32 windowId) {
    current = index(update);
    if (!begun || finished || next >= tape.entries.size() || tape.entries[next].update != current) {
        return std::nullopt;
    }
    // An answer waits for the question, which the room asks later in this update (or
    // updated() finds it never did).
    const TapeEntry& entry = tape.entries[next];
    const Uint32 at = gameClock::millisecondsAt(update - entry.age);
    std::optional<SDL_Event> event = eventOfEntry(entry, windowId, at);
    if (event) {
        ++next;
    }
    return event;
}

void RunPlayer::updated(std::uint32_t update, const std::function<std::uint32_t()>& checksum) {
    current = index(update);
    if (!begun || finished) {
        return;
    }
    // Entries still waiting at an update that is over were not taken when they should have been.
    if (next < tape.entries.size() && tape.entries[next].update <= current) {
        differ(current, "the run did not ask what the recording answers");
        ++next;
    }
    while (check < tape.checks.size() && tape.checks[check].update < current) {
        ++check;
    }
    if (check < tape.checks.size() && tape.checks[check].update == current) {
        if (checksum() != tape.checks[check].sum) {
            differ(current, "the state differs from the recording's");
        }
        ++check;
    }
    if (current + 1 > tape.updates) {
        differ(current, "the run goes on past the recording's end");
        finish(RunEnd::Left, 0, "");
    }
}

std::uint32_t RunPlayer::beginRun() {
    if (begun) {
        differ(current, "a second run begins where the recording has one");
        finish(RunEnd::Left, 0, "");
    }
    begun = true;
    return tape.seed;
}

const TapeEntry* RunPlayer::takeAnswer(TapeKind kind) {
    if (next < tape.entries.size() && tape.entries[next].kind == kind &&
        tape.entries[next].update == current) {
        return &tape.entries[next++];
    }
    differ(current, "the run asks what the recording does not answer");
    return nullptr;
}

bool RunPlayer::answerLeave(const std::function<bool()>& /*ask*/) {
    const TapeEntry* answer = takeAnswer(TapeKind::Leave);
    return answer != nullptr && answer->a != 0;
}

bool RunPlayer::answerName(std::uint32_t points, std::string& name,
                           const std::function<bool(std::string&)>& /*ask*/) {
    const TapeEntry* answer = takeAnswer(TapeKind::Name);
    const bool accepted = answer != nullptr && answer->a != 0;
    name = accepted ? answer->text : "";
    finish(accepted ? RunEnd::Named : RunEnd::Unnamed, points, name);
    return accepted;
}

void RunPlayer::leaveRun(std::uint32_t points) {
    finish(RunEnd::Left, points, "");
}

void RunPlayer::finish(RunEnd end, std::uint32_t points, const std::string& name) {
    if (finished) {
        return;
    }
    finished = true;
    endPoints = points;
    endName = name;
    endUpdates = current + 1;
    if (end != tape.end || points != tape.points || name != tape.name) {
        differ(current, "the run ends otherwise than the recording");
    } else if (endUpdates != tape.updates) {
        differ(current, "the run ends at another update than the recording");
    }
}
