// Player: the bat's keys, acceleration and wall limits.
#include "game/Player.h"

#include "app/Globals.h"
#include "game/PlayField.h"
#include "gfx/Sprite.h"

Player::Player(std::uint32_t x, std::uint32_t y) : Object(x, y, nullptr) {
    maxSpeed = 9; // tested before each step of 2, so the speed tops out at 10 on purpose
    sprite = makeSprite("bat_huge.png", kBatWidth, kBatHeight, 0);
    sprite->setCentre(kBatWidth / 2.0f, kBatHeight / 2.0f);
    // Placed now, so that a frame drawn before the first update shows the bat where it stands.
    sprite->setPosition(static_cast<float>(x), static_cast<float>(y));
    direction = DirNone;
}

void Player::update() {
    if (direction == DirLeft && speed > -maxSpeed) {
        speed -= 2;
    } else if (direction == DirRight && speed < maxSpeed) {
        speed += 2;
    } else if (direction == DirNone) {
        speed = 0;
    }
    // A step that would enter a side wall is cancelled whole.
    const std::uint32_t width = sprite != nullptr ? sprite->getWidth() : 0;
    const std::uint32_t next = x + static_cast<std::uint32_t>(speed);
    if (next < kWallWidth || next > (getScreenWidth() - kWallWidth) - width) {
        speed = 0;
    }
    x += static_cast<std::uint32_t>(speed);
    if (sprite != nullptr) {
        sprite->setPosition(static_cast<float>(x), static_cast<float>(y));
    }
}

void Player::draw() {
    if (sprite != nullptr) {
        sprite->draw();
    }
}

void Player::handleEvent(SDL_Event* event) {
    if (event->type == SDL_KEYDOWN) {
        if (event->key.keysym.sym == SDLK_a) {
            direction = DirLeft;
        } else if (event->key.keysym.sym == SDLK_d) {
            direction = DirRight;
        }
    } else if (event->type == SDL_KEYUP) {
        if (event->key.keysym.sym == SDLK_a || event->key.keysym.sym == SDLK_d) {
            direction = DirNone;
        }
    }
}
