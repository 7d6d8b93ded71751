// RunTape: what the game room asks of the tape its runs go on: the seed a run starts with, the
// answers of the question whether to leave and of the name dialog, and where a run ends. Live,
// the player answers and the tape records (RunRecorder); in a replay, the tape answers
// (RunPlayer).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

class RunTape {
  public:
    virtual ~RunTape() = default;

    // A run begins now; returns the seed of its random numbers.
    virtual std::uint32_t beginRun() = 0;
    // The answer whether to leave the run: true for yes. ask asks the player.
    virtual bool answerLeave(const std::function<bool()>& ask) = 0;
    // The run ends with points: true, with its name, when it goes to the table. ask shows the
    // name dialog, which puts the run in the table, and gives the name typed.
    virtual bool answerName(std::uint32_t points, std::string& name,
                            const std::function<bool(std::string&)>& ask) = 0;
    // The run ends before its end (left for the menu, or the game closes) with points.
    virtual void leaveRun(std::uint32_t points) = 0;
    // Whether the run shows a recording rather than the player's play.
    virtual bool playsBack() const = 0;
};

// The tape of the game's runs; null when none (the room then asks the player and records
// nothing).
RunTape* getRunTape();
void setRunTape(RunTape* tape);

// The title and the hash of the level set a run is played with (game/SetInPlay.h).
struct PlayedSet {
    std::string title;
    std::uint64_t hash = 0;
};
PlayedSet playedSet();
