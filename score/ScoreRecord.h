// ScoreRecord: one place of the score table, a player's name and the points of a run.
#pragma once

#include <cstdint>

struct ScoreRecord {
    char name[32] = {}; // zero-terminated, at most 31 bytes of Windows-1250 text
    uint32_t points = 0;
};
