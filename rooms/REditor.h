// REditor: the level editor, room 3: the play field with the set's stones as the game shows
// them, a palette of the stone kinds, the cursor and a status line; the mouse and the keys edit
// the set that EditorSession keeps while the room comes and goes.
#pragma once

#include "game/StoneKinds.h"
#include "rooms/FieldWalls.h"
#include "rooms/Room.h"
#include "rooms/TextField.h"

#include <cstdint>

class Background;
class Font;
class Line;
class Sprite;
class EditorSession;

class REditor final : public Room {
  public:
    REditor();
    ~REditor() override;
    REditor(const REditor&) = delete;
    REditor& operator=(const REditor&) = delete;

    void update() override {}
    // The walls, the stones, the field's lower edge, the cursor, the palette and the texts.
    void draw() override;
    // Left button: places the chosen kind at the cell under the pointer (held: paints), or
    // chooses a palette entry; right button: removes the stone under it (held: erases). The keys
    // are listed in the README; while the title or author is typed, keys go to that field.
    void handleEvent(SDL_Event* event) override;
    // Fonts, walls, one sprite per kind, lines; a session not yet started starts a new set.
    void create() override;
    void release() override;
    // Asks before unsaved changes are lost.
    bool mayClose() override;

  private:
    // What the player is typing: nothing, the title or the author.
    enum class Typing { None, Title, Author };

    void drawStones();
    void drawPalette();
    void drawTexts();
    void drawBox(Line& line, float x, float y, float w, float h);

    // Input; those returning true have left the room, which is then gone.
    void pressKey(const SDL_KeyboardEvent& key);
    void pressTypingKey(const SDL_KeyboardEvent& key);
    void pressButton(const SDL_MouseButtonEvent& button);
    void movePointer(const SDL_MouseMotionEvent& motion);
    // The left button paints, the right one erases, at the picture point (x, y).
    void paintAt(int x, int y, bool erase);
    bool leave();
    bool testPlay();
    void startTyping(Typing what);
    void endTyping(bool keep);
    void paste();
    void copy();
    void say(const char* text);
    // Whether the unsaved changes may go (none, or the player said so).
    bool mayDiscard();

    EditorSession& session;
    Background* walls[kFieldWallCount] = {};
    Sprite* stones[kStoneKindCount] = {};
    Font* textFont = nullptr;
    Font* smallTextFont = nullptr;
    Line* cursorLine = nullptr;
    Line* chosenLine = nullptr;
    Line* edgeLine = nullptr;
    Typing typing = Typing::None;
    TextField field;
    // The button held down over the field (SDL_BUTTON_LEFT or RIGHT), 0 for none.
    std::uint8_t heldButton = 0;
};

// Where the palette's entry i stands (its stone's top-left corner).
constexpr int kPaletteTop = 424;
constexpr int paletteLeft(int i) {
    return 48 + 112 * i;
}
