// RGame: the play screen and the rules of a run.
#include "rooms/RGame.h"

#include "app/GameClock.h"
#include "app/Globals.h"
#include "app/Language.h"
#include "app/platform/WideText.h"
#include "game/Ball.h"
#include "game/GameRandom.h"
#include "game/Level.h"
#include "game/PlayField.h"
#include "game/Player.h"
#include "game/SetInPlay.h"
#include "game/Stone.h"
#include "game/StoneKinds.h"
#include "gfx/Background.h"
#include "gfx/Font.h"
#include "gfx/Sprite.h"
#include "pack/PackEntries.h"
#include "pack/PackerReader.h"
#include "replay/RunTape.h"
#include "rooms/FieldWalls.h"
#include "rooms/GameCommand.h"
#include "rooms/RoomManager.h"
#include "sound/Sound.h"

#include <windows.h>

#include <cstdio>
#include <ctime>
#include <vector>

namespace {

// The lives and points counters stand this far in from the side edges, with this top.
constexpr std::int32_t kCounterInset = 48;
constexpr std::int32_t kCounterTop = 40;
// "Powtórka" stands this far above the field's bottom edge, below the stones and above the bat.
constexpr std::int32_t kReplayBottom = 200;

// Opaque black for the status text, opaque blue for lives and points.
constexpr D3DCOLOR kStatusColour = 0xFF000000;
constexpr D3DCOLOR kCounterColour = 0xFF2196F3;

// The status text of a state, or null for none.
const char* statusText(BallState state) {
    switch (state) {
    case Waiting:
        return tr(TextId::StatusWaiting);
    case Lost:
        return tr(TextId::StatusLost);
    case LevelCleared:
        return tr(TextId::StatusCleared);
    case GameCompleted:
        return tr(TextId::StatusCompleted);
    default:
        return nullptr;
    }
}

} // namespace

float levelBonus(std::uint32_t points, std::uint32_t lives) {
    return static_cast<float>(points) * static_cast<float>(lives) / 10.0f;
}

std::uint32_t pointsWithBonus(std::uint32_t points, std::uint32_t lives) {
    const float total = static_cast<float>(points) + levelBonus(points, lives);
    // 2^32 is the first value an unsigned 32-bit integer cannot hold.
    if (total >= 4294967296.0f) {
        return 0xFFFFFFFFu;
    }
    return static_cast<std::uint32_t>(total);
}

RGame* getGameRoom() {
    RoomManager* manager = getRoomManager();
    return manager != nullptr ? dynamic_cast<RGame*>(manager->getCurrentRoom()) : nullptr;
}

RGame::RGame() {
    level = 1;
    bannerVisible = false;
}

RGame::~RGame() {
    release();
}

void RGame::create() {
    hudFont = new Font();
    hudFont->create("Calibri", 42);
    bannerFont = new Font();
    bannerFont->create("Arial", 72);
    makeFieldWalls(walls);
    loadFirstLevel(); // on failure the room is gone; nothing follows
}

void RGame::release() {
    // A run in progress ends with its room.
    if (RunTape* tape = runTape(); tape != nullptr && ball != nullptr) {
        tape->leaveRun(totalScore + points);
    }
    GamePause::silence(false);
    delete player;
    player = nullptr;
    delete ball;
    ball = nullptr;
    for (Background*& wall : walls) {
        delete wall;
        wall = nullptr;
    }
    delete hudFont;
    hudFont = nullptr;
    delete bannerFont;
    bannerFont = nullptr;
    deleteStones();
}

void RGame::deleteStones() {
    if (stones == nullptr) {
        return;
    }
    for (std::uint32_t i = 0; i < stoneCount; ++i) {
        delete stones[i];
        stones[i] = nullptr;
    }
    delete[] stones;
    stones = nullptr;
    stoneCount = 0;
}

RunTape* RGame::runTape() {
    return setInPlay().testPlay ? nullptr : getRunTape();
}

bool RGame::loadLevel(int number) {
    std::string name;
    std::vector<std::uint8_t> bytes;
    if (!setLevelBytes(number, name, bytes)) {
        return false;
    }
    std::printf("Loading level \"%s\"...\n", name.c_str());
    std::vector<StoneRecord> records;
    if (!parseLevel(bytes.data(), bytes.size(), records)) {
        return false;
    }
    deleteStones();
    stoneCount = static_cast<std::uint32_t>(records.size());
    stones = new Stone*[stoneCount];
    for (std::uint32_t i = 0; i < stoneCount; ++i) {
        const StoneRecord& record = records[i];
        stones[i] = new Stone(static_cast<std::uint32_t>(levelCoordinate(record.x)),
                              static_cast<std::uint32_t>(levelCoordinate(record.y)),
                              stoneColourOfKind(record.kind));
    }
    resetLevel();
    ball->setState(Waiting);
    std::printf("Loaded level \"%s\"!\n", name.c_str());
    return true;
}

void RGame::resetLevel() {
    lives = 3;
    points = 0;
    lossRecorded = false;
    levelEndHandled = false;
    bannerVisible = true;
    bannerOffset = 0;
    bannerAlpha = 0;
    bannerPhase = 1;
    delete player;
    player = nullptr;
    delete ball;
    ball = nullptr;
    player = new Player(getScreenWidth() / 2 - kBatWidth / 2,
                        getScreenHeight() - kWallWidth - kBatHeight);
    const Sprite* bat = player->getSprite();
    const std::uint32_t batWidth = bat != nullptr ? bat->getWidth() : 0;
    const std::uint32_t batHeight = bat != nullptr ? bat->getHeight() : 0;
    // The ball rests centred on the bat, one pixel above it.
    ball = new Ball(player->getX() + batWidth / 2 - kBallSize / 2, player->getY() - batHeight - 1);
}

Stone* RGame::getStone(std::uint32_t index) const {
    return stones != nullptr && index < stoneCount ? stones[index] : nullptr;
}

void RGame::update() {
    if (pause.isPaused()) {
        return;
    }
    if (player != nullptr) {
        player->update();
    }
    if (ball != nullptr) {
        strikeStones();
        ball->update();
    }
    const bool allBroken = updateStones();
    checkRunEnd(allBroken);
    animateBanner();
}

void RGame::strikeStones() {
    // On purpose each stone reads the steps as earlier ones left them: two may reverse one twice.
    for (std::uint32_t i = 0; i < stoneCount; ++i) {
        Stone* stone = stones[i];
        if (stone == nullptr || !stone->isSolid()) {
            continue;
        }
        const HitBox ballBox = ball->getHitBox();
        const HitBox stoneBox = stone->getHitBox();
        const HitSide side = hitSide(ballBox, stoneBox, 1);
        HitBox next = ballBox;
        next.x += static_cast<std::uint32_t>(ball->getDx());
        next.y += static_cast<std::uint32_t>(ball->getDy());
        if (!centreInside(next, stoneBox) || side == SideNone) {
            continue;
        }
        points += static_cast<std::uint32_t>(stone->getPoints());
        playSound(stoneKindOfColour(stone->getColour()).sound, panAt(stone->getX()));
        stone->setSolid(false);
        stone->rollFreeLife();
        stone->startBreaking();
        if (side == SideTop || side == SideBottom) {
            ball->setDy(-ball->getDy());
        } else {
            ball->setDx(-ball->getDx());
        }
    }
}

bool RGame::updateStones() {
    std::uint32_t broken = 0;
    for (std::uint32_t i = 0; i < stoneCount; ++i) {
        if (stones[i] == nullptr) {
            continue;
        }
        stones[i]->update();
        if (!stones[i]->isSolid()) {
            ++broken;
        }
    }
    return broken == stoneCount;
}

void RGame::checkRunEnd(bool allBroken) {
    if (ball == nullptr) {
        return;
    }
    if (allBroken && !levelEndHandled) {
        if (level >= setLevelCount()) {
            playSound(SoundEffect::RunCompleted);
            points = pointsWithBonus(points, lives);
            totalScore += points;
            recordScore(totalScore);
            pause.ownWindowClosed(gameClock::milliseconds()); // the name dialog took the focus
            ball->setState(GameCompleted);
        } else {
            playSound(SoundEffect::LevelCleared);
            ball->setState(LevelCleared); // the bonus waits for Enter
        }
        levelEndHandled = true;
    }
    if (ball->getState() == Lost && !lossRecorded) {
        totalScore += points;
        recordScore(totalScore);
        pause.ownWindowClosed(gameClock::milliseconds());
        lossRecorded = true;
    }
}

void RGame::animateBanner() {
    if (!bannerVisible) {
        return;
    }
    if (bannerPhase == 1) {
        if (bannerAlpha < 255) {
            bannerAlpha += 5;
        }
        if (bannerOffset < 200) {
            bannerOffset += 1;
        }
        if (bannerAlpha == 255 && bannerOffset == 100) {
            bannerPhase = 2;
        }
    }
    if (bannerPhase == 2) {
        if (bannerAlpha > 1) {
            bannerAlpha -= 5;
        }
        if (bannerOffset < 400) {
            bannerOffset += 1;
        }
        if (bannerAlpha == 0) {
            bannerVisible = false;
        }
    }
}

void RGame::draw() {
    for (Background* wall : walls) {
        if (wall != nullptr) {
            wall->draw();
        }
    }
    if (player != nullptr) {
        player->draw();
    }
    if (ball != nullptr) {
        ball->draw();
    }
    for (std::uint32_t i = 0; i < stoneCount; ++i) {
        if (stones[i] != nullptr) {
            stones[i]->draw();
        }
    }
    drawTexts();
}

void RGame::drawTexts() {
    const std::int32_t w = static_cast<std::int32_t>(getScreenWidth());
    const std::int32_t h = static_cast<std::int32_t>(getScreenHeight());
    if (hudFont != nullptr) {
        const char* status = ball != nullptr ? statusText(ball->getState()) : nullptr;
        if (status != nullptr) {
            hudFont->draw(status, w / 2, h / 2 - hudFont->getHeight(), kStatusColour, DT_CENTER, 0,
                          0);
        }
        char text[64];
        std::snprintf(text, sizeof text, tr(TextId::LivesCounter), static_cast<int>(lives));
        hudFont->draw(text, kCounterInset, kCounterTop, kCounterColour, 0, 0, 0);
        std::snprintf(text, sizeof text, tr(TextId::PointsCounter), static_cast<int>(points));
        hudFont->draw(text, w - kCounterInset, kCounterTop, kCounterColour, DT_RIGHT, 0, 0);
    }
    if (bannerFont != nullptr && runTape() != nullptr && runTape()->playsBack()) {
        bannerFont->draw(tr(TextId::ReplayBanner), w / 2, h - kReplayBottom, 0xC0FFFFFF, DT_CENTER,
                         1, 0xC0000000);
    }
    if (bannerFont != nullptr && pause.isPaused()) {
        GamePause::drawText(*bannerFont, w, h);
        return;
    }
    // A banner of alpha 0 is not drawn: its outline colour 0 would come out opaque black.
    if (bannerVisible && bannerAlpha > 0 && bannerFont != nullptr) {
        char text[32];
        std::snprintf(text, sizeof text, tr(TextId::LevelBanner), static_cast<int>(level));
        const D3DCOLOR alpha = static_cast<D3DCOLOR>(bannerAlpha) << 24;
        bannerFont->draw(text, w / 2, h / 4 + static_cast<std::int32_t>(bannerOffset),
                         alpha | 0x00FFFFFF, DT_CENTER, 1, alpha);
    }
}

void RGame::handleEvent(SDL_Event* event) {
    if (ball != nullptr) {
        ball->handleEvent(event);
    }
    if (player != nullptr) {
        player->handleEvent(event);
    }
    if (pause.handleEvent(*event, isInPlay(), ball)) {
        return;
    }
    switch (gameCommandOf(*event)) {
    case GameCommand::Leave:
        askToLeave(); // when it returns true the room is gone: touch nothing
        break;
    case GameCommand::Launch:
        pressLaunch(false);
        break;
    case GameCommand::LaunchOrEnter:
        pressLaunch(true); // likewise
        break;
    case GameCommand::Enter:
        if (!pause.isPaused()) {
            pressEnter(); // likewise
        }
        break;
    default:
        break;
    }
}

bool RGame::isInPlay() const {
    if (ball == nullptr) {
        return false;
    }
    const BallState state = ball->getState();
    return state == Waiting || state == Launch || state == Flying;
}

void RGame::pressLaunch(bool alsoEnter) {
    if (pause.isPaused() || ball == nullptr) {
        return;
    }
    if (ball->getState() == Waiting) {
        ball->setState(Launch);
    } else if (alsoEnter) {
        pressEnter(); // may delete this room
    }
}

bool RGame::askToLeave() {
    if (setInPlay().testPlay) {
        // A test play goes straight back to the editor, which still holds the level.
        getRoomManager()->changeRoom(RoomEditor);
        return true;
    }
    const auto ask = [] {
        return showMessageBox(GetActiveWindow(), tr(TextId::LeaveQuestion), "Zembrix",
                              MB_YESNO | MB_ICONQUESTION) == IDYES;
    };
    RunTape* tape = runTape();
    if (!(tape != nullptr ? tape->answerLeave(ask) : ask())) {
        pause.ownWindowClosed(gameClock::milliseconds()); // the box's own focus pauses nothing
        return false;
    }
    getRoomManager()->changeRoom(RoomMenu);
    return true;
}

bool RGame::pressEnter() {
    if (ball == nullptr) {
        return false;
    }
    const BallState state = ball->getState();
    if (state == Lost || state == GameCompleted) {
        if (!loadFirstLevel()) {
            return true;
        }
        level = 1;
        totalScore = 0;
        return false;
    }
    if (state != LevelCleared) {
        return false;
    }
    const float bonus = levelBonus(points, lives);
    points = pointsWithBonus(points, lives);
    std::printf("dodatkowo %f\n", static_cast<double>(bonus));
    totalScore += points;
    level += 1;
    if (!loadLevel(level)) {
        // The finished level's points are in the total already; the loss must not add them again.
        points = 0;
        ball->setState(Lost);
    }
    return false;
}

bool RGame::loadFirstLevel() {
    if (loadLevel(1)) {
        // Each run draws its numbers from a seed of its own, which its tape keeps.
        RunTape* tape = runTape();
        gameRandom().seed(tape != nullptr ? tape->beginRun()
                                          : static_cast<std::uint32_t>(std::time(nullptr)));
        return true;
    }
    showMessageBox(nullptr, tr(TextId::ErrorData), nullptr, MB_ICONERROR);
    getRoomManager()->changeRoom(RoomMenu);
    return false;
}
