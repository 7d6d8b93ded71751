// Button: picture, caption, highlight tint and click detection of a menu button.
#include "rooms/Button.h"

#include "app/Globals.h"
#include "game/Object.h"
#include "gfx/Font.h"
#include "gfx/RenderDevice.h"
#include "gfx/Sprite.h"
#include "pack/PackEntries.h"
#include "pack/PackerReader.h"
#include "rooms/MenuLayout.h"
#include "sound/Sound.h"

#include <windows.h>

#include <cstring>

Button::Button(float centreX, float top, const char* caption, Action action) {
    sprite = new Sprite(RenderDevice::getDevice(), getPackerReader()->getEntry(kButtonEntry),
                        kButtonWidth, kButtonHeight, 0);
    // Half the nominal width, not the loaded picture's: a missing picture moves nothing.
    float left = centreX - static_cast<float>(kButtonWidth / 2);
    sprite->setPosition(left, top);
    x = left;
    y = top;
    setCaption(caption);
    this->action = action;
    font = new Font();
    font->createFromPack(getPackerReader()->getEntry(kFontEntry), "Indie Flower", kCaptionHeight);
    pressed = false;
}

void Button::setCaption(const char* text) {
    // Longer captions are cut so that the terminator always fits.
    std::strncpy(caption, text, sizeof(caption) - 1);
    caption[sizeof(caption) - 1] = '\0';
}

Button::~Button() {
    if (sprite) {
        delete sprite;
        sprite = nullptr;
    }
    if (font) {
        delete font;
        font = nullptr;
    }
}

bool Button::update(bool highlighted, bool mouseOver) {
    if (!sprite) {
        return false;
    }
    if (highlighted) {
        sprite->setColour(255, 200, 200, 200);
    } else {
        sprite->setColour(255, 255, 255, 255);
    }
    if (!pressed || !mouseOver) {
        return false;
    }
    return choose();
}

bool Button::choose() {
    if (!action) {
        return false;
    }
    playSound(SoundEffect::MenuChoice);
    action();
    return true;
}

bool Button::contains(int mx, int my) const {
    if (!sprite) {
        return false;
    }
    // Both edges count as over the button; the size is added as floats, then truncated.
    return inRange(mx, static_cast<std::int32_t>(x),
                   static_cast<std::int32_t>(x + static_cast<float>(sprite->getWidth()))) &&
           inRange(my, static_cast<std::int32_t>(y),
                   static_cast<std::int32_t>(y + static_cast<float>(sprite->getHeight())));
}

void Button::draw() {
    if (sprite) {
        sprite->draw();
    }
    if (!sprite || !font) {
        return;
    }
    std::int32_t textX = static_cast<std::int32_t>(static_cast<float>(sprite->getWidth() / 2) + x);
    std::int32_t textY = static_cast<std::int32_t>(static_cast<float>(sprite->getHeight() / 2) + y -
                                                   static_cast<float>(font->getHeight() / 2));
    font->draw(caption, textX, textY, 0xFF000000, DT_CENTER, 0, 0);
}

void Button::handleEvent(SDL_Event* event) {
    pressed = event->type == SDL_MOUSEBUTTONUP && event->button.button == SDL_BUTTON_LEFT;
}
