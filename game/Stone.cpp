// Stone: the glowing and breaking pictures, the free-life roll and the rising text.
#include "game/Stone.h"

#include "app/Globals.h"
#include "app/Language.h"
#include "game/GameRandom.h"
#include "game/PlayField.h"
#include "game/StoneKinds.h"
#include "gfx/Font.h"
#include "gfx/Sprite.h"
#include "rooms/RGame.h"
#include "sound/Sound.h"

#include <windows.h>

#include <cstdio>

// The breaking strip: its frames, each of a stone's size, and their pace.
static constexpr std::uint32_t kStripFrames = 5;
static constexpr std::uint32_t kStripWidth = kStripFrames * kStoneWidth;
static constexpr std::uint32_t kTicksPerFrame = 2;

// Text colours without their alpha: the points in red, "Free life!" in yellow-green.
static constexpr D3DCOLOR kPointsColour = 0x00E53935;
static constexpr D3DCOLOR kFreeLifeColour = 0x00D8EE35;

Stone::Stone(std::uint32_t x, std::uint32_t y, StoneColour colour) : Object(x, y, nullptr) {
    const StoneKind& kind = stoneKindOfColour(colour);
    sprite = makeSprite(kind.glowing, kStoneWidth, kStoneHeight, 0);
    sprite->setCentre(kStoneWidth / 2.0f, kStoneHeight / 2.0f);
    points = kind.points;
    this->colour = colour;
    visible = true;
    active = true;
    solid = true;
    freeLife = false;
    textAlpha = 255;
    sprite->setPosition(static_cast<float>(x), static_cast<float>(y));
}

void Stone::rollFreeLife() {
    if (gameRandom().next() % 100 == 50) {
        freeLife = true;
    }
}

void Stone::startBreaking() {
    delete sprite;
    sprite =
        makeSprite(stoneKindOfColour(colour).breaking, kStripWidth, kStoneHeight, kStripFrames);
    sprite->setCentre(kStripWidth / 2.0f, kStoneHeight / 2.0f);
    sprite->setPosition(static_cast<float>(x), static_cast<float>(y));
    sprite->setLoop(false);
    sprite->setTicksPerFrame(kTicksPerFrame);
    textVisible = true;
    textY = static_cast<std::int32_t>(y);
    if (freeLife) {
        playSound(SoundEffect::FreeLife, panAt(x));
        if (RGame* room = getGameRoom()) {
            room->setLives(room->getLives() + 1);
        }
    }
}

void Stone::update() {
    if (!active) {
        return;
    }
    if (sprite != nullptr) {
        sprite->animate();
        if (sprite->isAnimated() && sprite->getCurrentFrame() >= sprite->getFrameCount()) {
            visible = false;
        }
    }
    if (textVisible) {
        // The text rises 2 pixels; a stone placed at the far top of the coordinate range wraps
        // round like every other position instead of overflowing.
        textY = static_cast<std::int32_t>(static_cast<std::uint32_t>(textY) - 2u);
        if (textAlpha > 0) {
            textAlpha -= 5;
        } else {
            textVisible = false;
        }
    }
}

std::int32_t Stone::getTextX() const {
    if (sprite == nullptr) {
        return static_cast<std::int32_t>(x);
    }
    // A strip that failed to load has no frames; it is placed as one frame.
    const std::uint32_t frames = sprite->getFrameCount() != 0 ? sprite->getFrameCount() : 1;
    return static_cast<std::int32_t>(x + sprite->getWidth() / frames / 2);
}

void Stone::draw() {
    if (textVisible && smallFont != nullptr) {
        const D3DCOLOR alpha = static_cast<D3DCOLOR>(textAlpha) << 24;
        if (freeLife) {
            smallFont->draw(tr(TextId::FreeLife), getTextX(), textY, alpha | kFreeLifeColour,
                            DT_CENTER, 0, 0);
        } else {
            char text[16];
            std::snprintf(text, sizeof text, "%d", points);
            smallFont->draw(text, getTextX(), textY, alpha | kPointsColour, DT_CENTER, 0, 0);
        }
    }
    if (visible && sprite != nullptr) {
        sprite->draw();
    }
}
