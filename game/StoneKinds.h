// StoneKinds: the one table of stone kinds: the code a level file gives, the letter of level
// texts, the colour, the points, the pictures and the sound of each kind.
#pragma once

#include "game/Stone.h"
#include "pack/PackEntries.h"
#include "sound/SoundEffect.h"

#include <cstdint>

struct StoneKind {
    std::int32_t code;    // the kind in a level file's record
    char letter;          // the stone in a level text's rows
    StoneColour colour;   // the colour the game gives it (its place in kStoneKinds)
    std::int32_t points;  // what breaking it gives
    const char* glowing;  // the pack's picture of the whole stone
    const char* breaking; // the pack's five-frame strip of it breaking
    SoundEffect sound;    // what it sounds like breaking
    const char* name;     // the colour's name in the art tool's and the tests' words
};

// Indexed by StoneColour; the order of the pack's stone pictures.
inline constexpr StoneKind kStoneKinds[] = {
    {3, 'G', Green, 100, kGreenStoneGlowEntry, kGreenStoneBreakingEntry, SoundEffect::StoneGreen,
     "green"},
    {2, 'O', Orange, 50, kOrangeStoneGlowEntry, kOrangeStoneBreakingEntry, SoundEffect::StoneOrange,
     "orange"},
    {1, 'P', Purple, 10, kPurpleStoneGlowEntry, kPurpleStoneBreakingEntry, SoundEffect::StonePurple,
     "purple"},
};

inline constexpr int kStoneKindCount = sizeof kStoneKinds / sizeof kStoneKinds[0];

// The kind of a colour; a value outside the table counts as green.
inline const StoneKind& stoneKindOfColour(StoneColour colour) {
    return colour >= 0 && colour < kStoneKindCount ? kStoneKinds[colour] : kStoneKinds[Green];
}

// The kind a level file's code makes: every code outside the table makes a green stone.
inline const StoneKind& stoneKindOfCode(std::int32_t code) {
    for (const StoneKind& kind : kStoneKinds) {
        if (kind.code == code) {
            return kind;
        }
    }
    return kStoneKinds[Green];
}

// The kind of a level text's letter, or null for a character that names none.
inline const StoneKind* stoneKindOfLetter(char letter) {
    for (const StoneKind& kind : kStoneKinds) {
        if (kind.letter == letter) {
            return &kind;
        }
    }
    return nullptr;
}

// The letter of a level file's code, or 0 for a code outside the table.
inline char stoneLetterOfCode(std::int32_t code) {
    for (const StoneKind& kind : kStoneKinds) {
        if (kind.code == code) {
            return kind.letter;
        }
    }
    return 0;
}
