// RobustPlay: the short scripted visit of every room.
#include "tests/robust/RobustPlay.h"

#include "game/PlayField.h"
#include "game/SetInPlay.h"
#include "rooms/MenuLayout.h"
#include "rooms/RGame.h"
#include "score/NameDialog.h"
#include "tests/game/GameTestAccess.h"

#include <gtest/gtest.h>

namespace robust {

using zxtest::currentPlace;
using zxtest::Place;

namespace {

// The Escape question's style and caption, told apart from "Invalid data!" boxes.
bool isLeaveQuestion(const MessageBoxCall& call) {
    return (call.type & 0xF) == MB_YESNO && call.caption == "Zembrix";
}

// Installs a name dialog answerer for its lifetime, so a failed assertion never leaves one behind.
struct ScopedNameAnswerer {
    explicit ScopedNameAnswerer(NameDialogAnswerer answerer) {
        setNameDialogAnswerer(std::move(answerer));
    }
    ~ScopedNameAnswerer() { setNameDialogAnswerer({}); }
    ScopedNameAnswerer(const ScopedNameAnswerer&) = delete;
    ScopedNameAnswerer& operator=(const ScopedNameAnswerer&) = delete;
};

} // namespace

void clickMenuButton(zxtest::GameHarness& harness, int index) {
    const int left = static_cast<int>(buttonCentre(kScreenWidth) - kButtonWidth / 2);
    const int top = static_cast<int>(buttonTop(kScreenHeight, static_cast<std::uint32_t>(index)));
    harness.mouseMove(left, top);
    harness.mouseUp(left, top);
    harness.turn();
}

void tapKey(zxtest::GameHarness& harness, SDL_Keycode key) {
    harness.keyDown(key);
    harness.turn();
    harness.keyUp(key);
    harness.turn();
}

void breakAllStones(zxtest::GameHarness& harness) {
    RGame* room = getGameRoom();
    if (room == nullptr) {
        return;
    }
    for (std::uint32_t i = 0; i < room->getStoneCount(); ++i) {
        Stone* stone = room->getStone(i);
        if (stone == nullptr || !stone->isSolid()) {
            continue;
        }
        GameTestAccess::setPoints(*room, room->getPoints() +
                                             static_cast<std::uint32_t>(stone->getPoints()));
        stone->setSolid(false);
        stone->startBreaking();
    }
    harness.turn(12); // five frames of two turns each, and the level's end
}

PlayLog playALittle(zxtest::GameHarness& harness) {
    PlayLog log;
    ScopedNameAnswerer names([&log](const std::string&) {
        ++log.namesAsked;
        return NameDialogAnswer{true, "Robust"};
    });
    harness.turn(2);
    EXPECT_EQ(currentPlace(), Place::Menu);
    clickMenuButton(harness, 1);
    if (currentPlace() == Place::Scoreboard) {
        log.sawScoreboard = true;
        harness.turn(2);
        harness.keyUp(SDLK_ESCAPE);
        harness.turn();
    }
    EXPECT_EQ(currentPlace(), Place::Menu);
    clickMenuButton(harness, 0);
    if (currentPlace() != Place::Game) {
        log.backInMenu = currentPlace() == Place::Menu;
        return log;
    }
    log.sawGame = true;
    tapKey(harness, SDLK_SPACE);
    for (SDL_Keycode key : {SDLK_d, SDLK_a}) {
        harness.keyDown(key);
        harness.turn(20);
        harness.keyUp(key);
        harness.turn();
    }
    // Every level in turn, with Enter after each, until the run ends; a level of no stones ends
    // at once, a refused next level ends the run as lost.
    for (int round = 0; round < 2 * kBuiltInLevelCount; ++round) {
        RGame* room = getGameRoom();
        if (room == nullptr || room->getBall() == nullptr) {
            break;
        }
        const BallState state = room->getBall()->getState();
        if (state == Lost || state == GameCompleted) {
            break;
        }
        breakAllStones(harness);
        if (room->getBall()->getState() == LevelCleared) {
            tapKey(harness, SDLK_RETURN);
        }
    }
    if (RGame* room = getGameRoom(); room != nullptr && room->getBall() != nullptr) {
        log.lastLevel = room->getLevel();
        log.endState = room->getBall()->getState();
    }
    harness.answers.push_back(IDYES);
    harness.keyDown(SDLK_ESCAPE);
    harness.turn();
    log.backInMenu = currentPlace() == Place::Menu;
    return log;
}

std::vector<std::string> unexpectedBoxes(const zxtest::GameHarness& harness) {
    std::vector<std::string> texts;
    for (const MessageBoxCall& call : harness.boxes) {
        if (call.text != "Invalid data!" && !isLeaveQuestion(call)) {
            texts.push_back(call.text);
        }
    }
    return texts;
}

int invalidDataBoxes(const zxtest::GameHarness& harness) {
    int count = 0;
    for (const MessageBoxCall& call : harness.boxes) {
        count += call.text == "Invalid data!" ? 1 : 0;
    }
    return count;
}

} // namespace robust
