// Object: the base of the bat, the ball and the stones, and the integer collision helpers
// (HitBox, HitSide, inRange, centreInside, hitSide) they and the menu share.
#pragma once

#include <SDL.h>

#include <cstdint>

class Sprite;

// A sprite of the pack picture name at width x height (frames > 0 for a strip), made on the
// render device's device. A picture the pack lacks gives an empty sprite after "Invalid data!".
Sprite* makeSprite(const char* name, std::uint32_t width, std::uint32_t height,
                   std::uint32_t frames);

// A rectangle for the collision helpers, in this field order: left, width, top, height.
struct HitBox {
    std::uint32_t x = 0;
    std::uint32_t width = 0;
    std::uint32_t y = 0;
    std::uint32_t height = 0;
};

// The face of a box on which another box's centre lies. Left and right count alike (a vertical
// face), top and bottom alike (a horizontal face).
enum HitSide : std::int32_t {
    SideLeft = 0,
    SideTop = 1,
    SideRight = 2,
    SideBottom = 3,
    SideNone = 4
};

// True when lo <= v <= hi, compared signed, both ends included.
bool inRange(std::int32_t v, std::int32_t lo, std::int32_t hi);

// True when the centre of a lies inside b, edges included. Sums wrap at 32 bits and are
// compared signed.
bool centreInside(HitBox a, HitBox b);

// The side of b on which the centre of a lies, within a band one size of a (divided by divisor,
// which must not be 0) beyond b's edges. b's horizontal span is tested first, so a centre inside
// b gives SideTop or SideBottom.
HitSide hitSide(HitBox a, HitBox b, std::uint32_t divisor);

// A thing on the play screen: a position (top-left corner, pixels), one owned sprite and the
// visible and active flags. The destructor is not virtual: owners delete each object through its
// concrete class, and those classes are final.
class Object {
  public:
    // Stores the position and the sprite (may be null), sets visible and active, and places the
    // sprite at the position.
    Object(std::uint32_t x, std::uint32_t y, Sprite* sprite);
    // Deletes the sprite.
    ~Object();
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    // While active: advances the sprite's animation and places it at the position.
    virtual void update();
    // While visible: draws the sprite.
    virtual void draw();
    // Ignores the event.
    virtual void handleEvent(SDL_Event* event);

    std::uint32_t getX() const { return x; }
    std::uint32_t getY() const { return y; }
    Sprite* getSprite() const { return sprite; }
    // The box (x, sprite width, y, sprite height); a missing sprite gives a size of 0.
    HitBox getHitBox() const;

  protected:
    Sprite* sprite = nullptr;
    std::uint32_t x = 0;
    std::uint32_t y = 0;
    bool visible = false;
    bool active = false;

    // Tests set positions and flags through this.
    friend struct GameTestAccess;
};
