// EditorSession: what the level editor keeps while its room comes and goes (a test play
// deletes the room): the document, the file it is saved as, the cursor, the chosen kind and
// the status line's message.
#pragma once

#include "rooms/EditorDocument.h"

#include <string>

class EditorSession {
  public:
    // A new set (the catalogue's title for it), saved under a name made from its title.
    void startNew();
    // The set file at path (UTF-8); when it cannot be read, a new set named after the file, and
    // the message says why.
    void open(const std::string& path);

    // Writes the set to the folder of the player's sets and says in the message what happened.
    // A set that could not be played (a level without a stone, no title) is not written.
    bool save();

    // Whether startNew or open has run in this run of the game.
    bool started = false;
    EditorDocument document;
    // The file's name without ".zxl", once it has one; "" for a new set not yet saved.
    std::string name;
    // The cursor's cell and the chosen kind (an index of kStoneKinds).
    int column = 0;
    int row = 0;
    int kind = 0;
    // The status line's last message, in Windows-1250.
    std::string message;
};

// The session of this run of the game.
EditorSession& editorSession();

// A file name (no extension) for a set's title: ASCII letters and digits kept, every other
// character one '-' (a run of them one), none at the ends; "zestaw" when nothing is left.
std::string fileNameForTitle(const std::string& title);

// A catalogue text (Windows-1250) with its %d, when it has one, and its %s, likewise, filled in
// (in either order, as each language puts them).
std::string fillText(const char* text, int number, const std::string& detail);
