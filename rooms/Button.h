// Button: a menu button with a picture and a caption that tints while highlighted (under the
// mouse, or chosen with the keys) and runs its action on a left-button release over it.
#pragma once

#include <SDL.h>

class Sprite;
class Font;

class Button {
  public:
    // The action a click runs; no arguments, no result.
    using Action = void (*)();

    // A 160 x 48 button centred on centreX with its top at top; the caption (Windows-1250, at
    // most 31 bytes kept) is written in the pack's "Indie Flower" at height 30.
    Button(float centreX, float top, const char* caption, Action action);
    ~Button();
    Button(const Button&) = delete;
    Button& operator=(const Button&) = delete;

    // Tints the button while highlighted and, when the last event was a left-button release
    // and the mouse is over it, runs the action. True when the action ran; the action may have
    // deleted the room that owns this button, so the caller must then touch nothing of it.
    bool update(bool highlighted, bool mouseOver);
    // Runs the action, as a click would; the same care applies afterwards. False without one.
    bool choose();
    // Whether the point (x, y) is over the button, both edges counted.
    bool contains(int x, int y) const;
    // Draws the picture and the centred caption.
    void draw();
    // Remembers whether this event was a release of the left mouse button.
    void handleEvent(SDL_Event* event);

    float getX() const { return x; }
    float getY() const { return y; }
    const char* getCaption() const { return caption; }
    Sprite* getSprite() const { return sprite; }
    bool isPressed() const { return pressed; }
    // Replaces the caption (Windows-1250, at most 31 bytes kept).
    void setCaption(const char* text);

  private:
    Sprite* sprite = nullptr;
    Font* font = nullptr;
    float x = 0.0f;
    float y = 0.0f;
    char caption[32] = {};
    Action action = nullptr;
    bool pressed = false;
};
