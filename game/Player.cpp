// Player: the bat's keys, acceleration and wall limits.
#include "game/Player.h"

#include "app/Globals.h"
#include "app/platform/PadEvent.h"
#include "game/PlayField.h"
#include "gfx/Sprite.h"
#include "pack/PackEntries.h"

namespace {

// The direction a key or pad button steers (DirNone for any other event), and in down whether
// it went down: a and the Left arrow or a gamepad's left, d and the Right arrow or its right.
Direction steeringOf(const SDL_Event& event, bool& down) {
    if (event.type == SDL_KEYDOWN || event.type == SDL_KEYUP) {
        down = event.type == SDL_KEYDOWN;
        switch (event.key.keysym.sym) {
        case SDLK_a:
        case SDLK_LEFT:
            return DirLeft;
        case SDLK_d:
        case SDLK_RIGHT:
            return DirRight;
        default:
            return DirNone;
        }
    }
    if (const std::optional<PadPress> press = padPressOf(event)) {
        down = press->down;
        if (press->button == PadButton::Left) {
            return DirLeft;
        }
        if (press->button == PadButton::Right) {
            return DirRight;
        }
    }
    return DirNone;
}

} // namespace

Player::Player(std::uint32_t x, std::uint32_t y) : Object(x, y, nullptr) {
    maxSpeed = 9; // tested before each step of 2, so the speed tops out at 10 on purpose
    sprite = makeSprite(kBatEntry, kBatWidth, kBatHeight, 0);
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
    bool down = false;
    const Direction steering = steeringOf(*event, down);
    if (steering != DirNone) {
        direction = down ? steering : DirNone;
    }
}
