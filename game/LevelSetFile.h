// LevelSetFile: level-set files on disk: one read whole and checked, and the sets of a folder.
#pragma once

#include "game/LevelSet.h"

#include <cstdint>
#include <string>
#include <vector>

// A set file as found: its levels when valid, else why it was refused.
struct FoundSet {
    std::string file; // its path
    LevelSet set;
    std::uint64_t hash = 0; // levelSetHash of its bytes
    bool valid = false;
    LevelSetError error; // line 0 for the file as a whole (unreadable, too large, ...)
};

// Reads and checks the set file at path (a UTF-8 path).
FoundSet readLevelSetFile(const std::string& path);

// Every "*.zxl" file of folder, valid or not, by file name; none when the folder is missing.
std::vector<FoundSet> findLevelSets(const std::string& folder);

// "file:line: message", or "file: message" for the file as a whole.
std::string describeRefusal(const FoundSet& found);
