// GameTestAccess: lets the tests set up the fields of game objects and of the game room.
#pragma once

#include "game/Ball.h"
#include "game/Player.h"
#include "game/Stone.h"
#include "rooms/RGame.h"

#include <cstdint>

struct GameTestAccess {
    static void place(Object& object, std::uint32_t x, std::uint32_t y) {
        object.x = x;
        object.y = y;
    }
    static bool isVisible(const Object& object) { return object.visible; }
    // Puts the ball in flight at (x, y) with the steps.
    static void fly(Ball& ball, std::uint32_t x, std::uint32_t y, std::int32_t dx,
                    std::int32_t dy) {
        place(ball, x, y);
        ball.setDx(dx);
        ball.setDy(dy);
        ball.setState(Flying);
    }

    static void setSpeed(Player& player, std::int32_t speed) { player.speed = speed; }
    static Direction direction(const Player& player) { return player.direction; }

    static std::uint32_t hitTime(const Ball& ball) { return ball.hitTime; }
    static void setHitTime(Ball& ball, std::uint32_t time) { ball.hitTime = time; }

    static void setFreeLife(Stone& stone, bool on) { stone.freeLife = on; }

    static void setPoints(RGame& room, std::uint32_t points) { room.points = points; }
    static void setTotalScore(RGame& room, std::uint32_t total) { room.totalScore = total; }
    static void setLevel(RGame& room, std::int32_t level) { room.level = level; }
    static bool lossRecorded(const RGame& room) { return room.lossRecorded; }
    static bool levelEndHandled(const RGame& room) { return room.levelEndHandled; }
};
