// LevelText: the readable text form of a level (grid blocks of stone letters) and its parser.
//
// A level text is a list of statements, one a line; '#' starts a comment, blank lines are
// skipped:
//   grid X Y      starts a block of rows: the row lines below it lie one under the other, the
//                 first with its top at y = Y, each next one 32 pixels lower; each character is
//                 one 64-pixel column from x = X: a stone kind's letter (game/StoneKinds.h: P
//                 purple, O orange, G green) or '.' for no stone. A row of dots alone is an empty
//                 row.
//   stone K X Y   one stone of kind K (P, O or G) with its top-left corner at (X, Y).
// Stones are kept in reading order. Every stone lies inside the play field (x 32 to 704, y 64
// to 368) and none overlaps another.
#pragma once

#include "game/LevelFile.h"

#include <string>
#include <string_view>
#include <vector>

// Where and why a level text was refused.
struct LevelError {
    int line = 0; // 1-based line number
    std::string message;
};

// Parses a level text into stones in reading order. Returns false with the offending line
// (counted from firstLine) and a message if a statement is malformed, a stone leaves the play
// field or overlaps an earlier one, or the level holds no stones.
bool parseLevelText(std::string_view text, std::vector<StoneRecord>& stones, LevelError& error,
                    int firstLine = 1);

// Writes stones as canonical level text: a header that explains the notation, then grid blocks
// (and stone lines for stones no grid can hold: other kinds, fractional or odd positions), in
// the stones' order. Parsing the text gives back the same stones in the same order, and a
// canonical text formats back to itself.
std::string formatLevelText(const std::vector<StoneRecord>& stones);
// formatLevelText without the header: the blocks, each after an empty line.
std::string formatLevelBody(const std::vector<StoneRecord>& stones);
