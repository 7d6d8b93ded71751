// SetChooser: the menu's choice of the level set that "Graj" plays: the built-in set and the
// player's sets, shown in one line under the buttons and changed with the mouse, the Left and
// Right keys or a gamepad's left and right. With no sets of the player's own it shows nothing.
#pragma once

#include "game/LevelSetFile.h"

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

class Font;

class SetChooser {
  public:
    SetChooser() = default;
    ~SetChooser();
    SetChooser(const SetChooser&) = delete;
    SetChooser& operator=(const SetChooser&) = delete;

    // Looks for the player's sets (the levels folder and the set of the command line) and, when
    // there are any, makes the line's font.
    void create();
    // Whether the line is shown: the player has sets, played or refused.
    bool shown() const { return sets.size() > 1 || !refused.empty(); }
    // Left and Right (a pad's left and right) choose the previous and the next set; a click on
    // the line's left or right half does the same once update sees where it was.
    void handleEvent(const SDL_Event& event);
    // The mouse in the picture at (x, y): a click since the last update acts there.
    void update(int x, int y);
    void draw();

  private:
    // Makes the set at index the one played, with its score table.
    void choose(std::size_t index);

    std::vector<FoundSet> sets; // the built-in set (an empty file) first, then the valid ones
    std::vector<FoundSet> refused;
    std::size_t current = 0;
    bool clicked = false;
    Font* font = nullptr;
};

// The score table's file for the set in play: "scoreboard.zxs" for the built-in set, else
// "scoreboard-NAME.zxs" (NAME the set file's name without ".zxl") in the same folder.
std::string scoreFileOfSetInPlay(const std::string& builtInFile);
// Loads the table of the set in play into the process's score table.
void useScoreTableOfSetInPlay();

// The set file named on the command line, offered in the menu beside the levels folder's.
void offerSetFile(const std::string& file);
