// Object: the game object base and the integer collision helpers.
#include "game/Object.h"

#include "app/Globals.h"
#include "gfx/RenderDevice.h"
#include "gfx/Sprite.h"
#include "pack/PackerReader.h"

Sprite* makeSprite(const char* name, std::uint32_t width, std::uint32_t height,
                   std::uint32_t frames) {
    PackerReader* reader = getPackerReader();
    PackEntry* entry = reader != nullptr ? reader->getEntry(name) : nullptr;
    return new Sprite(RenderDevice::getDevice(), entry, width, height, frames);
}

bool inRange(std::int32_t v, std::int32_t lo, std::int32_t hi) {
    return lo <= v && v <= hi;
}

// Unsigned 32-bit values, read as signed for the comparisons (wrapping, as the game relies on).
static std::int32_t asSigned(std::uint32_t v) {
    return static_cast<std::int32_t>(v);
}

bool centreInside(HitBox a, HitBox b) {
    const std::uint32_t cx = a.x + a.width / 2;
    const std::uint32_t cy = a.y + a.height / 2;
    return inRange(asSigned(cx), asSigned(b.x), asSigned(b.x + b.width)) &&
           inRange(asSigned(cy), asSigned(b.y), asSigned(b.y + b.height));
}

HitSide hitSide(HitBox a, HitBox b, std::uint32_t divisor) {
    const std::uint32_t cx = a.x + a.width / 2;
    const std::uint32_t cy = a.y + a.height / 2;
    const std::uint32_t mh = a.height / divisor;
    const std::uint32_t mw = a.width / divisor;
    if (inRange(asSigned(cx), asSigned(b.x), asSigned(b.x + b.width))) {
        if (inRange(asSigned(cy), asSigned(b.y - mh), asSigned(b.y + b.height / 2))) {
            return SideTop;
        }
        if (inRange(asSigned(cy), asSigned(b.y + b.height / 2), asSigned(b.y + b.height + mh))) {
            return SideBottom;
        }
        return SideNone;
    }
    if (inRange(asSigned(cy), asSigned(b.y), asSigned(b.y + b.height))) {
        if (inRange(asSigned(cx), asSigned(b.x - mw), asSigned(b.x + b.width / 2))) {
            return SideLeft;
        }
        if (inRange(asSigned(cx), asSigned(b.x + b.width / 2), asSigned(b.x + b.width + mw))) {
            return SideRight;
        }
    }
    return SideNone;
}

Object::Object(std::uint32_t x, std::uint32_t y, Sprite* sprite)
    : sprite(sprite), x(x), y(y), visible(true), active(true) {
    if (sprite != nullptr) {
        sprite->setPosition(static_cast<float>(x), static_cast<float>(y));
    }
}

Object::~Object() {
    delete sprite;
    sprite = nullptr;
}

void Object::update() {
    if (active && sprite != nullptr) {
        sprite->animate();
        sprite->setPosition(static_cast<float>(x), static_cast<float>(y));
    }
}

void Object::draw() {
    if (visible && sprite != nullptr) {
        sprite->draw();
    }
}

void Object::handleEvent(SDL_Event* /*event*/) {}

HitBox Object::getHitBox() const {
    HitBox box;
    box.x = x;
    box.width = sprite != nullptr ? sprite->getWidth() : 0;
    box.y = y;
    box.height = sprite != nullptr ? sprite->getHeight() : 0;
    return box;
}
