// LevelSet: a set of levels as one small text file (.zxl): a title, an author and the levels,
// each in the level text form; its strict reader, its writer and its hash.
//
//   # comments and blank lines anywhere
//   title TEXT      the set's name, the rest of the line (required, 1 to 40 characters)
//   author TEXT     who made it, the rest of the line (up to 40 characters)
//   level           starts a level; the level text (game/LevelText.h) follows up to the next
//                   "level" or the end
//
// The file is UTF-8 (a byte order mark is skipped) with LF or CRLF line ends, at most 256 KiB
// and 99 levels; every level holds at least one stone.
#pragma once

#include "game/LevelFormat.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct LevelSet {
    std::string title;
    std::string author;
    std::vector<std::vector<StoneRecord>> levels;
};

// Where and why a set was refused; line 0 when the file as a whole was.
struct LevelSetError {
    int line = 0;
    std::string message;
};

constexpr std::size_t kLevelSetMaxBytes = 256 * 1024;
constexpr std::size_t kLevelSetMaxLevels = 99;
constexpr std::size_t kLevelSetMaxText = 40; // characters of a title or an author

// Reads a set. Returns false with the line and the reason when the bytes are too many, not
// UTF-8, hold a control character, a statement out of place, a malformed level, no level, or a
// level without a stone; set is then unspecified.
bool parseLevelSet(std::string_view text, LevelSet& set, LevelSetError& error);

// The set as its canonical text, which parseLevelSet reads back as the same set. The title and
// the author are written as they are: a caller keeps them to one line of UTF-8.
std::string formatLevelSet(const LevelSet& set);

// The characters (UTF-8 code points) of a valid UTF-8 text.
std::size_t utf8Length(std::string_view text);

// A 64-bit FNV-1a hash of bytes: a set file's identity in replays and score tables.
std::uint64_t levelSetHash(std::string_view bytes);
