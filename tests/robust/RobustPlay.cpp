// RobustPlay: packs made from the built one and the short scripted visit of every room.
#include "tests/robust/RobustPlay.h"

#include "game/PlayField.h"
#include "pack/PackerReader.h"
#include "rooms/MenuLayout.h"
#include "rooms/RGame.h"
#include "rooms/RMenu.h"
#include "rooms/RScoreboard.h"
#include "rooms/RoomManager.h"
#include "score/NameDialog.h"
#include "tests/game/GameTestAccess.h"

#include <gtest/gtest.h>

namespace robust {

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

std::vector<PackFile> builtPackFiles() {
    std::vector<PackFile> files;
    PackerReader reader;
    EXPECT_TRUE(reader.open(zxtest::builtPackPath().c_str())) << reader.getError();
    for (std::uint32_t i = 0; i < reader.getEntryCount(); ++i) {
        const std::string name = reader.getRecord(i)->name;
        PackEntry* entry = reader.getEntry(name.c_str());
        EXPECT_NE(entry, nullptr) << name;
        if (entry != nullptr) {
            files.push_back(PackFile{name, {entry->data, entry->data + entry->size}});
            entry->freeData();
        }
    }
    return files;
}

std::vector<PackFile> without(const std::vector<PackFile>& files, const std::string& name) {
    std::vector<PackFile> kept;
    for (const PackFile& file : files) {
        if (file.name != name) {
            kept.push_back(file);
        }
    }
    return kept;
}

std::vector<std::uint8_t>* bytesOf(std::vector<PackFile>& files, const std::string& name) {
    for (PackFile& file : files) {
        if (file.name == name) {
            return &file.bytes;
        }
    }
    return nullptr;
}

std::string writePackIn(const zxtest::TempDir& dir, const std::vector<PackFile>& files) {
    const std::string path = dir.file("data.zxp");
    EXPECT_TRUE(writePack(path, files));
    return path;
}

Place currentPlace() {
    RoomManager* manager = getRoomManager();
    Room* room = manager != nullptr ? manager->getCurrentRoom() : nullptr;
    if (dynamic_cast<RMenu*>(room) != nullptr) {
        return Place::Menu;
    }
    if (dynamic_cast<RScoreboard*>(room) != nullptr) {
        return Place::Scoreboard;
    }
    if (dynamic_cast<RGame*>(room) != nullptr) {
        return Place::Game;
    }
    return Place::None;
}

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
    for (int round = 0; round < 2 * kLevelCount; ++round) {
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
