// Ball: waiting on the bat, launch, flight with the wall and bat bounces, and the loss of a life.
#include "game/Ball.h"

#include "app/Globals.h"
#include "game/Player.h"
#include "gfx/Sprite.h"
#include "rooms/RGame.h"

#include <windows.h>

#include <cstdlib>

// The ball picture's size, the walls' width, and the bat's highlight, in pixels and ms.
static constexpr std::uint32_t kBallSize = 16;
static constexpr std::uint32_t kWallWidth = 32;
static constexpr std::uint32_t kHighlightMs = 200;

Ball::Ball(std::uint32_t x, std::uint32_t y) : Object(x, y, nullptr) {
    highlightTime = kHighlightMs;
    sprite = makeSprite("ball_blue.png", kBallSize, kBallSize, 0);
    sprite->setCentre(8.0f, 8.0f);
    // Placed now, so that a frame drawn before the first update shows the ball on the bat.
    sprite->setPosition(static_cast<float>(x), static_cast<float>(y));
}

// Width and height of an object's sprite; 0 without one.
static std::uint32_t widthOf(const Object* object) {
    return object->getSprite() != nullptr ? object->getSprite()->getWidth() : 0;
}
static std::uint32_t heightOf(const Object* object) {
    return object->getSprite() != nullptr ? object->getSprite()->getHeight() : 0;
}

void Ball::update() {
    RGame* room = getGameRoom();
    Player* bat = room != nullptr ? room->getPlayer() : nullptr;
    if (bat == nullptr) {
        return; // a ball lives only in the game room, beside its bat
    }
    switch (state) {
    case Waiting:
        visible = true;
        x = bat->getX() + widthOf(bat) / 2 - widthOf(this) / 2;
        break;
    case Launch:
        visible = true;
        dx = bat->getSpeed();
        dy = -(std::rand() % 3 + 6);
        state = Flying;
        break;
    case Flying:
        if (!fly(room, bat)) {
            return;
        }
        break;
    default:
        visible = false;
        break;
    }
    if (sprite != nullptr) {
        sprite->setPosition(static_cast<float>(x), static_cast<float>(y));
    }
}

bool Ball::fly(RGame* room, Player* bat) {
    visible = true;
    // Sides: the left test looks after the step, the right one at the current position.
    if (x + static_cast<std::uint32_t>(dx) < kWallWidth) {
        dx = -dx;
    } else if (x > getScreenWidth() - kWallWidth - widthOf(this)) {
        dx = -dx;
    }
    // Top wall, or below the bat's top edge: a life is lost.
    if (y + static_cast<std::uint32_t>(dy) < kWallWidth) {
        dy = -dy;
    } else if (y > getScreenHeight() - kWallWidth - heightOf(this)) {
        state = Waiting;
        if (room->getLives() == 1) {
            state = Lost;
            return false;
        }
        room->setLives(room->getLives() - 1);
        y = bat->getY() - heightOf(bat) / 2 - heightOf(this);
    }
    touchBat(bat);
    x += static_cast<std::uint32_t>(dx);
    y += static_cast<std::uint32_t>(dy);
    return true;
}

void Ball::touchBat(Player* bat) {
    const HitBox ballBox = getHitBox();
    const HitBox batBox = bat->getHitBox();
    const HitSide side = hitSide(ballBox, batBox, 1);
    HitBox nextBall = ballBox;
    nextBall.x += static_cast<std::uint32_t>(dx);
    nextBall.y += static_cast<std::uint32_t>(dy);
    HitBox nextBat = batBox;
    nextBat.x += static_cast<std::uint32_t>(bat->getSpeed());
    Sprite* batSprite = bat->getSprite();
    if (!centreInside(nextBall, nextBat)) {
        if (GetTickCount() - hitTime >= highlightTime && batSprite != nullptr) {
            batSprite->setColour(255, 255, 255, 255);
        }
        return;
    }
    if (side == SideNone) {
        return;
    }
    if (side == SideLeft || side == SideRight) {
        dx = bat->getSpeed();
    } else {
        dy = -dy;
        dx += bat->getSpeed() / 2;
        if (dx > 11) {
            dx = 10;
        }
        if (dx < -11) {
            dx = -10;
        }
    }
    if (batSprite != nullptr) {
        batSprite->setColour(100, 255, 255, 255);
    }
    hitTime = GetTickCount();
}

void Ball::draw() {
    if (visible && sprite != nullptr) {
        sprite->draw();
    }
}
