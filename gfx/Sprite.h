// Sprite: one picture from the pack in a texture of its own, drawn at a position with a tint,
// optionally played as a horizontal strip of animation frames.
#pragma once

#include <d3dx9.h>

#include <cstdint>
#include <string>

struct PackEntry;

class Sprite {
  public:
    // Loads the entry's picture at width x height; frames is the strip's frame count, 0 for a
    // still picture. A null entry shows "Invalid data!" and leaves an empty sprite.
    Sprite(IDirect3DDevice9* device, PackEntry* entry, std::uint32_t width, std::uint32_t height,
           std::uint32_t frames);
    ~Sprite();

    bool load(IDirect3DDevice9* device, PackEntry* entry, std::uint32_t width, std::uint32_t height,
              std::uint32_t frames);
    // Advances the animation by one tick; nothing for a still sprite.
    void animate();
    // Draws the current frame at the position with the colour; nothing for an empty sprite.
    void draw();

    void setPosition(float x, float y);
    void setCentre(float x, float y);
    void setColour(std::uint8_t a, std::uint8_t r, std::uint8_t g, std::uint8_t b);
    void setTicksPerFrame(std::uint32_t n) { ticksPerFrame = n; }
    void setLoop(bool on) { loop = on; }

    std::uint32_t getWidth() const { return width; }
    std::uint32_t getHeight() const { return height; }
    bool isAnimated() const { return animated; }
    std::uint32_t getFrameCount() const { return frameCount; }
    std::uint32_t getCurrentFrame() const { return currentFrame; }
    D3DXVECTOR2 getPosition() const { return position; }
    D3DXVECTOR2 getCentre() const { return centre; }
    D3DCOLOR getColour() const { return colour; }

  private:
    // Makes the texture of the pack's entry name at the sprite's size; false when it cannot.
    bool makeTexture(IDirect3DDevice9* device, PackEntry* entry, std::uint32_t width,
                     std::uint32_t height);
    // Frees the texture and the sprite interface, and forgets the reset's steps.
    void releaseObjects();

    IDirect3DTexture9* texture = nullptr; // in D3DPOOL_DEFAULT: made again after a reset
    ID3DXSprite* sprite = nullptr;
    std::uint32_t tick = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    float rotation = 0.0f;
    D3DXVECTOR2 position{0.0f, 0.0f};
    D3DXVECTOR2 centre{0.0f, 0.0f};
    D3DCOLOR colour = 0xFFFFFFFF;
    bool animated = false;
    bool loop = true;
    std::uint32_t frameWidth = 0;
    std::uint32_t frameCount = 0;
    std::uint32_t currentFrame = 0;
    std::uint32_t ticksPerFrame = 4;
    std::string entryName; // the picture's pack entry, read again after a reset
};
