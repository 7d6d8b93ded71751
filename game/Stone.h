// Stone: a breakable block of a level, its breaking animation and its rising points text.
#pragma once

#include "game/Object.h"

#include <cstdint>

// The three kinds of stone.
enum StoneColour : std::int32_t { Green = 0, Orange = 1, Purple = 2 };

class Stone final : public Object {
  public:
    // A solid glowing 64 x 32 stone of the colour at (x, y), worth 100 (green), 50 (orange) or
    // 10 (purple) points.
    Stone(std::uint32_t x, std::uint32_t y, StoneColour colour);

    // Animates the sprite, hides the stone once its breaking strip has played, and raises and
    // fades the text.
    void update() override;
    // The rising text, then the sprite while visible.
    void draw() override;

    std::int32_t getPoints() const { return points; }
    bool isSolid() const { return solid; }
    void setSolid(bool on) { solid = on; }
    // Marks about one stone in a hundred (rand() % 100 == 50) as giving a free life.
    void rollFreeLife();
    // Swaps the glowing picture for the breaking strip, starts the text and, with the free-life
    // mark, adds a life to the current game room.
    void startBreaking();

    StoneColour getColour() const { return colour; }
    bool hasFreeLife() const { return freeLife; }
    bool isVisible() const { return visible; }
    bool isTextVisible() const { return textVisible; }
    std::int32_t getTextY() const { return textY; }
    std::uint32_t getTextAlpha() const { return textAlpha; }
    // Where the text is centred: the stone's x plus half a frame of its sprite.
    std::int32_t getTextX() const;

  private:
    std::int32_t points = 0;
    bool solid = false;
    StoneColour colour = Green;
    bool textVisible = false;
    std::int32_t textY = 0;
    std::uint32_t textAlpha = 0;
    bool freeLife = false;

    friend struct GameTestAccess;
};
