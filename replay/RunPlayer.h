// RunPlayer: a recorded run played back: its seed, its input update by update, its answers in
// place of the box and the dialog, and a check of its state against every recorded checksum.
// The first difference is kept; a run that plays back exactly ends as it was recorded.
#pragma once

#include "replay/RunTape.h"
#include "replay/Tape.h"

#include <SDL.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class RunPlayer final : public RunTape {
  public:
    explicit RunPlayer(Tape tape);

    // The game clock's update the run starts at (the clock is put there before the room).
    std::uint32_t startTime() const { return tape.startTime; }
    // The next recorded event of update, for window windowId, stamped in the game's time; none
    // once that update's events are all out, or when an answer comes first.
    std::optional<SDL_Event> nextEvent(std::uint32_t update, Uint32 windowId);
    // Update has run; checks the run's state where a checksum was recorded.
    void updated(std::uint32_t update, const std::function<std::uint32_t()>& checksum);

    std::uint32_t beginRun() override;
    bool answerLeave(const std::function<bool()>& ask) override;
    bool answerName(std::uint32_t points, std::string& name,
                    const std::function<bool(std::string&)>& ask) override;
    void leaveRun(std::uint32_t points) override;
    bool playsBack() const override { return true; }

    // Whether the run has ended (as recorded or not), and whether it played back exactly so far.
    bool ended() const { return finished; }
    bool exact() const { return difference.empty(); }
    // The first difference: the run's update and what differed; "" when none.
    const std::string& firstDifference() const { return difference; }
    std::uint32_t differenceUpdate() const { return differentAt; }
    // The end as played back: points, name and updates, as the tape says them.
    std::uint32_t points() const { return endPoints; }
    const std::string& name() const { return endName; }
    std::uint32_t updates() const { return endUpdates; }
    const Tape& recorded() const { return tape; }

  private:
    // The run's index of update.
    std::uint32_t index(std::uint32_t update) const { return update - tape.startTime; }
    // Keeps the first difference, at the run's index.
    void differ(std::uint32_t at, const std::string& what);
    // The next entry when it is an answer of kind at the current update, taken; else null.
    const TapeEntry* takeAnswer(TapeKind kind);
    void finish(RunEnd end, std::uint32_t points, const std::string& name);

    Tape tape;
    std::size_t next = 0;  // the next entry
    std::size_t check = 0; // the next checksum
    std::uint32_t current = 0;
    bool begun = false;
    bool finished = false;
    std::string difference;
    std::uint32_t differentAt = 0;
    std::uint32_t endPoints = 0;
    std::string endName;
    std::uint32_t endUpdates = 0;
};
