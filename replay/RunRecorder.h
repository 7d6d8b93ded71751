// RunRecorder: the live tape: every run the player plays is recorded, from its seed to its end,
// and written as a replay file when it ends; the folder keeps the runs in the score table and the
// last kKept.
#pragma once

#include "replay/RunTape.h"
#include "replay/Tape.h"

#include <SDL.h>

#include <cstdint>
#include <functional>
#include <string>

class RunRecorder final : public RunTape {
  public:
    // Runs recorded by game version; their files go to folder (made when first needed), none
    // when it is "".
    RunRecorder(std::string folder, std::string version);

    // The main loop's steps, so that the recorder knows where a run stands: the rooms are about
    // to be handed the events of update (updating false), or that update runs (true).
    void step(std::uint32_t update, bool updating);
    // An event the rooms are handed, which happened age updates before the current one.
    void noteEvent(const SDL_Event& event, std::uint8_t age);
    // The current update has run; checksum gives the run's state (asked every kCheckEvery).
    void updated(const std::function<std::uint32_t()>& checksum);

    std::uint32_t beginRun() override;
    bool answerLeave(const std::function<bool()>& ask) override;
    bool answerName(std::uint32_t points, std::string& name,
                    const std::function<bool(std::string&)>& ask) override;
    void leaveRun(std::uint32_t points) override;
    bool playsBack() const override { return false; }

    bool recording() const { return active; }
    // The file the last run went to; "" when none was written.
    const std::string& lastFile() const { return written; }

    static constexpr std::uint32_t kCheckEvery = 120;
    static constexpr std::size_t kKept = 20;

  private:
    // The run's index of the current update.
    std::uint32_t index() const { return update - first; }
    void finish(RunEnd end, std::uint32_t points, const std::string& name);
    // Deletes the files past the last kKept whose runs are not in the score table.
    void prune() const;

    std::string folder;
    std::string version;
    std::uint32_t update = 0;
    bool updating = false;
    bool active = false;
    std::uint32_t first = 0;
    Tape tape;
    std::string written;
};
