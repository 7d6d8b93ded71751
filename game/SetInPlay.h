// SetInPlay: the level set the game room plays: the pack's six levels (the built-in set), a
// player's set read from its file, or the one level the editor hands over for a test play.
#pragma once

#include "game/LevelSet.h"

#include <cstdint>
#include <string>
#include <vector>

// How many levels the built-in set holds: "Level1.zxm" to "Level6.zxm" of the pack.
constexpr int kBuiltInLevelCount = 6;

struct SetInPlay {
    std::string file;       // the player's set file; "" for the built-in set and a test play
    LevelSet set;           // a player's levels, title and author; empty for the built-in set
    std::uint64_t hash = 0; // a player's set: levelSetHash of its file's bytes
    bool testPlay = false;  // the editor's test play: no table, no replay, Escape goes back
    bool builtIn() const { return file.empty() && !testPlay; }
};

// The set the next run plays; the built-in set until another is chosen.
const SetInPlay& setInPlay();
void playBuiltInSet();
void playSet(std::string file, LevelSet set, std::uint64_t hash);
// A one-level set for the editor's test play.
void playTestLevel(std::vector<StoneRecord> level);

// The number of levels of the set in play.
int setLevelCount();

// The name and the level file's bytes (game/LevelFormat.h) of level n (1-based) of the set in
// play: the pack's "Level<n>.zxm", or a player's level encoded. False when it has none.
bool setLevelBytes(int n, std::string& name, std::vector<std::uint8_t>& bytes);

// The set's title for replays, scoreboards and the menu, and its identity: for the built-in set
// a hash of the pack's six level entries, else the set's own hash.
std::string setTitle();
std::uint64_t setIdentity();

// The folder of the player's own sets ("levels" beside the score table); "" until set.
const std::string& levelsFolder();
void setLevelsFolder(std::string folder);
