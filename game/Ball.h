// Ball: the one projectile of a run; its state is also the state of the run.
#pragma once

#include "game/Object.h"

#include <cstdint>

class Player;
class RGame;

// The state of the ball and of the run.
enum BallState : std::int32_t {
    Waiting = 0,      // rests on the bat until Space
    Launch = 1,       // its next update gives it its steps
    Flying = 2,       // moves and bounces
    Lost = 3,         // the last life was lost
    LevelCleared = 4, // every stone of a level 1 to 5 is broken
    GameCompleted = 5 // every stone of level 6 is broken
};

class Ball final : public Object {
  public:
    // A 16 x 16 ball ("ball_blue.png") at (x, y), waiting, without steps, its sprite placed.
    Ball(std::uint32_t x, std::uint32_t y);

    // One step by the state: follow the bat, launch, or fly (walls, loss of a life, bat contact,
    // step). Reaches the bat and the lives through the current game room.
    void update() override;
    // Draws the sprite while visible.
    void draw() override;

    // Moves the time of the last bat contact on by ms, so that a pause of that length counts
    // nothing toward the bat's highlight.
    void shiftClock(std::uint32_t ms) { hitTime += ms; }

    BallState getState() const { return state; }
    void setState(BallState newState) { state = newState; }
    std::int32_t getDx() const { return dx; }
    void setDx(std::int32_t step) { dx = step; }
    std::int32_t getDy() const { return dy; }
    void setDy(std::int32_t step) { dy = step; }

  private:
    // The x of a ball resting centred on the bat.
    std::uint32_t restingX(const Player* bat) const;
    // The Flying step; false when the last life went and the update ends at once.
    bool fly(RGame* room, Player* bat);
    // Bounces off the bat when the next steps of both meet; clears the bat's highlight after
    // highlightTime milliseconds without contact.
    void touchBat(Player* bat);

    std::int32_t dx = 0;
    std::int32_t dy = 0;
    BallState state = Waiting;
    std::uint32_t hitTime = 0;
    std::uint32_t highlightTime = 0;

    friend struct GameTestAccess;
};
