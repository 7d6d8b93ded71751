// Ball: waiting on the bat, launch, flight with the wall and bat bounces, and the loss of a life.
#include "game/Ball.h"

#include "app/GameClock.h"
#include "app/Globals.h"
#include "game/GameRandom.h"
#include "game/PlayField.h"
#include "game/Player.h"
#include "gfx/Sprite.h"
#include "pack/PackEntries.h"
#include "rooms/RGame.h"
#include "sound/Sound.h"

#include <windows.h>

#include <algorithm>
#include <cmath>

// How long the bat stays translucent after a contact, in milliseconds.
static constexpr std::uint32_t kHighlightMs = 200;

Ball::Ball(std::uint32_t x, std::uint32_t y) : Object(x, y, nullptr) {
    highlightTime = kHighlightMs;
    sprite = makeSprite(kBallEntry, kBallSize, kBallSize, 0);
    sprite->setCentre(kBallSize / 2.0f, kBallSize / 2.0f);
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

std::uint32_t Ball::restingX(const Player* bat) const {
    return bat->getX() + widthOf(bat) / 2 - widthOf(this) / 2;
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
        x = restingX(bat);
        break;
    case Launch:
        visible = true;
        dx = bat->getSpeed();
        dy = -(gameRandom().next() % 3 + 6);
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
    // Sides: the left test looks after the step, the right one at the current position (on
    // purpose: the ball enters the right wall by up to one step before it turns).
    if (x + static_cast<std::uint32_t>(dx) < kWallWidth) {
        dx = -dx;
        playSound(SoundEffect::WallBounce, panAt(x));
    } else if (dx > 0 && x > getScreenWidth() - kWallWidth - widthOf(this)) {
        dx = -dx; // only while moving right: a turned ball slowed by the bat would flip for ever
        playSound(SoundEffect::WallBounce, panAt(x));
    }
    // Top wall, or below the bat's top edge: a life is lost.
    if (y + static_cast<std::uint32_t>(dy) < kWallWidth) {
        dy = -dy;
        playSound(SoundEffect::WallBounce, panAt(x));
    } else if (y > getScreenHeight() - kWallWidth - heightOf(this)) {
        state = Waiting;
        if (room->getLives() == 1) {
            state = Lost;
            playSound(SoundEffect::RunLost);
            return false;
        }
        playSound(SoundEffect::LifeLost, panAt(x));
        room->setLives(room->getLives() - 1);
        // Back on the bat at once, so that a Space in the very next turn launches from there.
        x = restingX(bat);
        y = bat->getY() - heightOf(bat) - 1;
        return true;
    }
    touchBat(bat);
    x += static_cast<std::uint32_t>(dx);
    y += static_cast<std::uint32_t>(dy);
    return true;
}

void Ball::touchBat(Player* bat) {
    const HitBox ballBox = getHitBox();
    const HitBox batBox = bat->getHitBox();
    // On purpose the side comes from the bat where it stands, the contact from it one step on.
    const HitSide side = hitSide(ballBox, batBox, 1);
    HitBox nextBall = ballBox;
    nextBall.x += static_cast<std::uint32_t>(dx);
    nextBall.y += static_cast<std::uint32_t>(dy);
    HitBox nextBat = batBox;
    nextBat.x += static_cast<std::uint32_t>(bat->getSpeed());
    Sprite* batSprite = bat->getSprite();
    if (!centreInside(nextBall, nextBat)) {
        if (gameClock::milliseconds() - hitTime >= highlightTime && batSprite != nullptr) {
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
        // Lopsided on purpose: 12 and more fall back to 10, while 11 itself is kept.
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
    hitTime = gameClock::milliseconds();
    // The knock rises towards the bat's ends, in twenty steps of 1/80, to a quarter higher
    // where the ball's centre meets an end.
    const float half = static_cast<float>(batBox.width > 0 ? batBox.width : 2) / 2.0f;
    const float off = (static_cast<float>(ballBox.x) + static_cast<float>(ballBox.width) / 2.0f -
                       static_cast<float>(batBox.x) - half) /
                      half;
    const float step = std::round(20.0f * std::min(std::fabs(off), 1.0f));
    playSound(SoundEffect::BatBounce, panAt(x), 1.0f + step / 80.0f);
}

void Ball::draw() {
    if (visible && sprite != nullptr) {
        sprite->draw();
    }
}
