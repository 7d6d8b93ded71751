// RGame: the play screen, room 2: walls, bat, ball and the level's stones, lives and points,
// the level banner, the end of a level and of a run, the pause, and the run's score.
#pragma once

#include "rooms/FieldWalls.h"
#include "rooms/GamePause.h"
#include "rooms/Room.h"

#include <cstdint>

class Ball;
class Background;
class Font;
class Player;
class RunTape;
class Stone;
struct PackEntry;

// A level's bonus for the lives left: points * lives / 10, in single precision.
float levelBonus(std::uint32_t points, std::uint32_t lives);
// The points with their bonus added, truncated toward zero (saturating at the 32-bit limit).
std::uint32_t pointsWithBonus(std::uint32_t points, std::uint32_t lives);

class RGame final : public Room {
  public:
    // Pointers null, level 1, no banner; create loads everything.
    RGame();
    // Runs release.
    ~RGame() override;
    RGame(const RGame&) = delete;
    RGame& operator=(const RGame&) = delete;

    // Bat, stone strikes, ball, stones, level end, loss, banner; in this order. Nothing while
    // paused.
    void update() override;
    // Walls, bat, ball, stones, the state's text, lives and points, the banner; while paused
    // "Pauza" where the banner stands at its full, in its look, instead of the banner.
    void draw() override;
    // Passes the event to the ball and the bat; Space (a gamepad's A) launches, Escape (B or
    // Back) asks to leave, Enter (A) goes on after the end of a level or a run; P (Start)
    // pauses and goes on, as the pause rules say for the focus and clicks. Paused, only
    // Escape's question and the end of the pause are taken.
    void handleEvent(SDL_Event* event) override;
    // Fonts, walls and level 1. A missing or refused "Level1.zxm" shows "Invalid data!" and
    // returns to the menu, destroying this room.
    void create() override;
    // Deletes every owned object; safe at any point.
    void release() override;

    // Replaces the stones with those of level number (1-based) of the set in play and resets
    // the level's state, with the ball waiting. Returns false, changing nothing, when the set
    // has no such level or its bytes are shorter than their count says.
    bool loadLevel(int number);
    // Three lives, no points, the banner restarted, a new bat and ball.
    void resetLevel();

    std::uint32_t getLives() const { return lives; }
    void setLives(std::uint32_t count) { lives = count; }
    Player* getPlayer() const { return player; }
    Ball* getBall() const { return ball; }
    std::uint32_t getStoneCount() const { return stoneCount; }
    // The stone at index, or null past the end.
    Stone* getStone(std::uint32_t index) const;
    std::uint32_t getPoints() const { return points; }
    std::uint32_t getTotalScore() const { return totalScore; }
    std::int32_t getLevel() const { return level; }
    bool isBannerVisible() const { return bannerVisible; }
    std::uint32_t getBannerAlpha() const { return bannerAlpha; }
    std::uint32_t getBannerOffset() const { return bannerOffset; }
    bool isPaused() const { return pause.isPaused(); }
    // Whether the run is in play: the ball waits on the bat or flies.
    bool isInPlay() const;
    // A hash of the run's state (the rules' counters, the bat, the ball, the stones and the
    // random numbers), equal on every build for the same run.
    std::uint32_t checksum() const;

  private:
    // The ball against every solid stone: credit, break, and reverse one step.
    void strikeStones();
    // Updates the stones; true when none is solid.
    bool updateStones();
    // The level's end once, and the lost run's record once.
    void checkRunEnd(bool allBroken);
    void animateBanner();
    void drawTexts();
    // Space or A: launches a waiting ball. A: Enter's action in the other states.
    void pressLaunch(bool alsoEnter);
    // Escape's question; true when the room was left (and is gone).
    bool askToLeave();
    // Enter: a new run, or the bonus and the next level. True when the room is gone.
    bool pressEnter();
    // Loads the set's first level; on failure shows "Invalid data!" and returns to the menu,
    // which destroys this room. True when the level is loaded.
    bool loadFirstLevel();
    void deleteStones();
    // Hands a run's total to the score table, which asks for the player's name; the run's tape
    // records the answer, or gives it when the run plays back (the table is then left alone).
    static void recordScore(std::uint32_t total);
    // The tape of the game's runs, or null in the editor's test play, which is not recorded.
    static RunTape* runTape();

    Player* player = nullptr;
    Ball* ball = nullptr;
    Font* hudFont = nullptr;
    Font* bannerFont = nullptr;
    Stone** stones = nullptr;
    Background* walls[kFieldWallCount] = {};
    std::uint32_t stoneCount = 0;
    std::uint32_t lives = 0;
    std::uint32_t points = 0;
    std::uint32_t totalScore = 0;
    std::int32_t level = 0;
    bool bannerVisible = false;
    std::uint32_t bannerOffset = 0;
    std::uint32_t bannerAlpha = 0;
    std::int8_t bannerPhase = 0;
    bool lossRecorded = false;
    bool levelEndHandled = false;
    GamePause pause;

    friend struct GameTestAccess;
};

// The current room when it is the game room, else null. The ball and the stones reach their
// room's bat and lives through it.
RGame* getGameRoom();
