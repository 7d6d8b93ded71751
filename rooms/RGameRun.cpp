// RGame and its run's tape: the run's total handed to the score table through the tape, and the
// checksum of the run's state, which the replay keeps every few seconds so that a replay that
// drifts says where.
#include "app/Globals.h"
#include "game/Ball.h"
#include "game/GameRandom.h"
#include "game/Player.h"
#include "game/SetInPlay.h"
#include "game/Stone.h"
#include "replay/RunTape.h"
#include "rooms/RGame.h"
#include "score/NameDialog.h"
#include "score/ScoreTable.h"

#include <cstdint>
#include <initializer_list>
#include <string>

namespace {

// Mixes a value into an FNV-1a hash.
void mix(std::uint32_t& hash, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        hash = (hash ^ ((value >> (8 * i)) & 0xFFu)) * 16777619u;
    }
}

} // namespace

void RGame::recordScore(std::uint32_t total) {
    if (setInPlay().testPlay) {
        return; // a test play has no table
    }
    const auto ask = [total](std::string& name) {
        ScoreTable* table = getScoreTable();
        if (table == nullptr || !table->submitScore(total)) {
            return false;
        }
        name = lastName;
        return true;
    };
    std::string name;
    if (RunTape* tape = runTape()) {
        tape->answerName(total, name, ask);
    } else {
        ask(name);
    }
}

std::uint32_t RGame::checksum() const {
    std::uint32_t hash = 2166136261u;
    for (std::uint32_t value :
         {static_cast<std::uint32_t>(level), lives, points, totalScore, bannerOffset, bannerAlpha,
          static_cast<std::uint32_t>(bannerPhase), static_cast<std::uint32_t>(bannerVisible),
          static_cast<std::uint32_t>(lossRecorded), static_cast<std::uint32_t>(levelEndHandled),
          static_cast<std::uint32_t>(pause.isPaused()), gameRandom().getState(), stoneCount}) {
        mix(hash, value);
    }
    if (player != nullptr) {
        mix(hash, player->getX());
        mix(hash, player->getY());
        mix(hash, static_cast<std::uint32_t>(player->getSpeed()));
    }
    if (ball != nullptr) {
        mix(hash, ball->getX());
        mix(hash, ball->getY());
        mix(hash, static_cast<std::uint32_t>(ball->getDx()));
        mix(hash, static_cast<std::uint32_t>(ball->getDy()));
        mix(hash, static_cast<std::uint32_t>(ball->getState()));
    }
    for (std::uint32_t i = 0; i < stoneCount; ++i) {
        const Stone* stone = stones[i];
        if (stone != nullptr) {
            mix(hash, stone->getX());
            mix(hash, stone->getY());
            mix(hash, static_cast<std::uint32_t>(stone->isSolid()) |
                          static_cast<std::uint32_t>(stone->isVisible()) << 1 |
                          static_cast<std::uint32_t>(stone->isTextVisible()) << 2);
            mix(hash, stone->getTextAlpha());
        }
    }
    return hash;
}
