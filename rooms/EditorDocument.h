// EditorDocument: the level set being edited: its stones on the editor's grid, the current
// level, the level list, the title and author, undo and redo, and whether it differs from the
// last save. No window is needed: the editor room only draws it and hands it the player's input.
#pragma once

#include "game/LevelFile.h"
#include "game/LevelSet.h"

#include <cstdint>
#include <string>
#include <vector>

// The placement grid: half a stone wide and one stone high, so that stones stand where the
// built-in levels put them (x = 48 + 32 k, y = 64 + 32 r) and inside the play field.
constexpr int kGridColumns = 21;
constexpr int kGridRows = 10;
constexpr float kGridLeft = 48;
constexpr float kGridTop = kFieldTop;
constexpr float kGridStep = kStoneW / 2;

// Why a set cannot be saved: the first level without a stone (0-based), or no title.
struct SaveRefusal {
    enum Kind { None, EmptyLevel, NoTitle } kind = None;
    int level = -1;
};

class EditorDocument {
  public:
    // A set with the title and one empty level; nothing to undo, nothing unsaved.
    explicit EditorDocument(std::string title = "");

    // Takes the set as it is (read from its file): level 1 current, no history, nothing unsaved.
    void load(LevelSet set);

    const LevelSet& set() const { return state.set; }
    // The current level (0-based) and its stones in reading order (by y, then x).
    int level() const { return state.level; }
    int levelCount() const { return static_cast<int>(state.set.levels.size()); }
    const std::vector<StoneRecord>& stones() const { return state.set.levels[state.level]; }

    // The stone a kind would be at a grid cell (column 0..20, row 0..9).
    static StoneRecord cellStone(std::int32_t kind, int column, int row);

    // Puts a stone of kind at the cell, removing the stones it would overlap. False when the
    // cell is outside the grid or already holds that very stone (nothing changes).
    bool place(std::int32_t kind, int column, int row);
    // Removes the stones that overlap a stone at the cell. False when there are none.
    bool eraseCell(int column, int row);
    // Removes the stone that covers the point (x, y). False when none does.
    bool eraseAt(float x, float y);

    // Between these, every change made counts as one for undo (a stroke of the mouse).
    void beginStroke();
    void endStroke();

    // Levels: a new empty one after the current one, which it becomes (false at the most a set
    // may hold); the current one removed (false for the last one left); the current one moved
    // one place earlier (-1) or later (+1) (false at the ends); another one made current.
    bool addLevel();
    bool removeLevel();
    bool moveLevel(int by);
    bool goToLevel(int level);

    // The title and author as given (UTF-8); false when they are the same already.
    bool setTitle(const std::string& title);
    bool setAuthor(const std::string& author);
    // Replaces the whole set (a pasted one), as one change; its first level becomes current.
    void replaceSet(LevelSet set);

    // Undoes the last change, or redoes the last undone one; false when there is none.
    bool undo();
    bool redo();

    // Whether the set differs from the last one saved (or loaded); undoing back to it clears it.
    bool dirty() const { return state.revision != savedRevision; }
    void markSaved() { savedRevision = state.revision; }

    // Why the set could not be played from a file, or kind None when it can.
    SaveRefusal saveRefusal() const;

  private:
    struct State {
        LevelSet set;
        int level = 0;
        std::uint64_t revision = 0;
    };
    // Keeps the state as it is for undo before a change (once per stroke) and drops the redo.
    void remember();
    // Sets the title or the author as one change; false when it is the same already.
    bool setText(std::string LevelSet::*text, const std::string& value);
    // Inserts the stone where reading order puts it.
    static void insertInOrder(std::vector<StoneRecord>& stones, const StoneRecord& stone);
    std::vector<StoneRecord>& current() { return state.set.levels[state.level]; }

    State state;
    std::vector<State> done;
    std::vector<State> undone;
    std::uint64_t savedRevision = 0;
    std::uint64_t nextRevision = 0;
    bool inStroke = false;
    bool strokeRemembered = false;
};
