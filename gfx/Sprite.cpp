// Sprite: one picture from the pack in a texture of its own, drawn at a position with a tint,
// optionally played as a horizontal strip of animation frames.
#include "gfx/Sprite.h"

#include "app/Globals.h"
#include "app/Language.h"
#include "app/platform/WideText.h"
#include "gfx/DeviceReset.h"
#include "pack/PackEntry.h"
#include "pack/PackerReader.h"

#include <windows.h>

#include <cstdio>

Sprite::Sprite(IDirect3DDevice9* device, PackEntry* entry, std::uint32_t width,
               std::uint32_t height, std::uint32_t frames) {
    if (entry == nullptr) {
        showMessageBox(nullptr, tr(TextId::ErrorData), nullptr, MB_ICONERROR);
    } else {
        load(device, entry, width, height, frames);
    }
    centre = D3DXVECTOR2(static_cast<float>(width) / 2.0f, static_cast<float>(height) / 2.0f);
}

Sprite::~Sprite() {
    releaseObjects();
}

void Sprite::releaseObjects() {
    forgetThroughReset(this);
    if (sprite != nullptr) {
        sprite->Release();
        sprite = nullptr;
    }
    if (texture != nullptr) {
        texture->Release();
        texture = nullptr;
    }
}

bool Sprite::makeTexture(IDirect3DDevice9* device, PackEntry* entry, std::uint32_t width,
                         std::uint32_t height) {
    if (FAILED(D3DXCreateTextureFromFileInMemoryEx(
            device, entry->data, entry->size, width, height, D3DX_DEFAULT, 0, D3DFMT_UNKNOWN,
            D3DPOOL_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, 0, nullptr, nullptr, &texture))) {
        texture = nullptr;
        return false;
    }
    return true;
}

// Decodes the entry at width x height and creates the sprite interface; on success the entry's
// bytes are freed. A failure leaves width and height at 0 and the entry's bytes loaded.
bool Sprite::load(IDirect3DDevice9* device, PackEntry* entry, std::uint32_t width,
                  std::uint32_t height, std::uint32_t frames) {
    if (entry == nullptr) {
        return false;
    }
    releaseObjects();
    if (!makeTexture(device, entry, width, height)) {
        std::printf("Cannot load texture from packed file %s\n", entry->name);
        return false;
    }
    if (FAILED(D3DXCreateSprite(device, &sprite))) {
        sprite = nullptr;
        std::printf("Cannot create sprite.\n");
        return false;
    }
    this->width = width;
    this->height = height;
    if (frames != 0) {
        animated = true;
        frameCount = frames;
        frameWidth = width / frames;
    }
    // The texture lives in the device's own memory: a reset gives it up and it is read again
    // from the pack after; the sprite interface is told of both.
    entryName = entry->name;
    keepThroughReset(
        this,
        [this] {
            sprite->OnLostDevice();
            if (texture != nullptr) {
                texture->Release();
                texture = nullptr;
            }
        },
        [this, device] {
            PackEntry* again = getPackerReader()->getEntry(entryName.c_str());
            if (again != nullptr) {
                makeTexture(device, again, this->width, this->height);
                again->freeData();
            }
            sprite->OnResetDevice();
        });
    entry->freeData();
    return true;
}

// A strip that does not loop counts on past its last frame (its owner stops drawing it there);
// a looping strip shows frames 0 to N - 1 for ticksPerFrame ticks each, over and over.
void Sprite::animate() {
    if (!animated) {
        return;
    }
    if (loop) {
        if (currentFrame >= frameCount) {
            currentFrame = 0;
        }
        if (++tick >= ticksPerFrame) {
            tick = 0;
            currentFrame = (currentFrame + 1) % frameCount;
        }
        return;
    }
    if (tick > currentFrame * ticksPerFrame) {
        ++currentFrame;
    }
    if (tick > frameCount * ticksPerFrame) {
        tick = 0;
    }
    ++tick;
}

void Sprite::draw() {
    if (texture == nullptr || sprite == nullptr) {
        return;
    }
    sprite->Begin(D3DXSPRITE_ALPHABLEND);
    const float angle = 6.2831855f * rotation / 360.0f;
    if (animated) {
        centre.x = static_cast<float>(frameWidth) / 2.0f;
    }
    D3DXMATRIX transform;
    D3DXMatrixTransformation2D(&transform, nullptr, 0.0f, nullptr, &centre, angle, &position);
    sprite->SetTransform(&transform);
    if (animated) {
        const RECT frame{static_cast<LONG>(frameWidth * currentFrame), 0,
                         static_cast<LONG>(frameWidth * (currentFrame + 1)),
                         static_cast<LONG>(height)};
        sprite->Draw(texture, &frame, nullptr, nullptr, colour);
    } else {
        sprite->Draw(texture, nullptr, nullptr, nullptr, colour);
    }
    sprite->End();
}

void Sprite::setPosition(float x, float y) {
    position = D3DXVECTOR2(x, y);
}

void Sprite::setCentre(float x, float y) {
    centre = D3DXVECTOR2(x, y);
}

void Sprite::setColour(std::uint8_t a, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    colour = D3DCOLOR_ARGB(a, r, g, b);
}
