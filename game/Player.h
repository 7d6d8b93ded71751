// Player: the bat, steered by the keys a and d (or the arrows, or a gamepad) with acceleration,
// top speed and wall limits.
#pragma once

#include "game/Object.h"

#include <cstdint>

// What the keys ask the bat to do.
enum Direction : std::int32_t { DirLeft = 0, DirRight = 1, DirNone = 2 };

class Player final : public Object {
  public:
    // A 96 x 16 bat ("bat_huge.png") at (x, y), at rest, its sprite placed there.
    Player(std::uint32_t x, std::uint32_t y);

    // Steering by 2 pixels per update up to the top speed, then the wall test and the step.
    void update() override;
    // Draws the sprite, whether visible or not.
    void draw() override;
    // Key down a or d (Left or Right, a gamepad's left or right) sets the direction; the
    // release of any of them clears it.
    void handleEvent(SDL_Event* event) override;

    // Horizontal step in pixels per update; negative moves left.
    std::int32_t getSpeed() const { return speed; }

  private:
    std::int32_t speed = 0;
    std::int32_t maxSpeed = 0;
    Direction direction = DirLeft;

    friend struct GameTestAccess;
};
