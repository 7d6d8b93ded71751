// RScoreboard: the score table room, a snapshot of the ten places on a tinted panel under an
// outlined title; Escape (a gamepad's B or Back) released returns to the menu.
#pragma once

#include "rooms/Room.h"

#include <d3d9.h>

#include <cstdint>

class Font;
class Background;
class Line;

// One place of the table as it stood when the room was created.
struct ScoreRow {
    char name[32];
    std::uint32_t points;
};

// Positions of the table, recomputed from the screen size, the fonts and the line width.
struct ScoreboardLayout {
    std::uint32_t gap;   // free space between two rows
    std::uint32_t top;   // top of the first row's text
    std::uint32_t pitch; // distance between two rows
    float band;          // top edge of the panel; the separators sit on band + pitch * i
};

class RScoreboard : public Room {
  public:
    RScoreboard() = default;
    // Runs release.
    ~RScoreboard() override;
    RScoreboard(const RScoreboard&) = delete;
    RScoreboard& operator=(const RScoreboard&) = delete;

    // Nothing changes from turn to turn.
    void update() override;
    // Background, panel, ten rows with nine separators, then the title.
    void draw() override;
    // Escape or a gamepad's B released switches to the menu, which deletes this room.
    void handleEvent(SDL_Event* event) override;
    // Copies the table, creates the fonts, the line, the background and the panel.
    void create() override;
    // Frees everything owned; a second call does nothing.
    void release() override;

    // The row of a place (0 to 9), null for a place that was empty.
    const ScoreRow* getRow(std::uint32_t place) const { return place < 10 ? rows[place] : nullptr; }
    ScoreboardLayout computeLayout();

  private:
    void createPanel(const ScoreboardLayout& layout);
    void drawRow(std::uint32_t place, const ScoreboardLayout& layout);

    ScoreRow* rows[10] = {};
    Font* rowFont = nullptr;
    Font* titleFont = nullptr;
    Background* background = nullptr;
    IDirect3DVertexBuffer9* panel = nullptr;
    Line* line = nullptr;
};
