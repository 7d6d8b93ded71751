// PackEntries: the names of the entries the game reads from data.zxp, and their list in pack order.
//
// The game, the art tool and the pack tool all take the names from here, so that a picture is
// drawn, packed and looked up under one spelling.
#pragma once

#include "pack/PackFormat.h"

#include <array>
#include <cstddef>

// The window icon (BMP) and the menu's pictures and font.
inline constexpr const char kIconEntry[] = "icon.bmp";
inline constexpr const char kBackgroundEntry[] = "background.png";
inline constexpr const char kLogoEntry[] = "logo.png";
inline constexpr const char kButtonEntry[] = "button.png";
inline constexpr const char kFontEntry[] = "IndieFlower.ttf";

// The play field's walls: the plain blocks and the red bottom row.
inline constexpr const char kWallEntry[] = "wall_block.png";
inline constexpr const char kRedWallEntry[] = "wall_block_red.png";

// The ball and the bat.
inline constexpr const char kBallEntry[] = "ball_blue.png";
inline constexpr const char kBatEntry[] = "bat_huge.png";

// The stones: one glowing picture and one strip of breaking frames per colour.
inline constexpr const char kGreenStoneGlowEntry[] = "stone_glow_green.png";
inline constexpr const char kOrangeStoneGlowEntry[] = "stone_glow_orange.png";
inline constexpr const char kPurpleStoneGlowEntry[] = "stone_glow_purple.png";
inline constexpr const char kGreenStoneBreakingEntry[] = "stone_breaking_green.png";
inline constexpr const char kOrangeStoneBreakingEntry[] = "stone_breaking_orange.png";
inline constexpr const char kPurpleStoneBreakingEntry[] = "stone_breaking_purple.png";

// The entry name of level n, "Level<n>.zxm" (as "Level%d.zxm" prints it), zero-terminated;
// .data() gives the C string. Usable in constant expressions, so the list below holds it too.
using LevelEntryName = std::array<char, kPackNameSize>;
constexpr LevelEntryName levelEntryName(int level) {
    LevelEntryName name{'L', 'e', 'v', 'e', 'l'};
    std::size_t at = 5;
    // Digits from the lowest, then reversed in place; the magnitude as unsigned so that the
    // lowest int has one too.
    unsigned magnitude =
        level < 0 ? 0u - static_cast<unsigned>(level) : static_cast<unsigned>(level);
    if (level < 0)
        name[at++] = '-';
    const std::size_t first = at;
    do {
        name[at++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    for (std::size_t low = first, high = at - 1; low < high; ++low, --high) {
        const char digit = name[low];
        name[low] = name[high];
        name[high] = digit;
    }
    for (const char c : {'.', 'z', 'x', 'm'})
        name[at++] = c;
    return name;
}

inline constexpr LevelEntryName kLevelEntries[] = {levelEntryName(1), levelEntryName(2),
                                                   levelEntryName(3), levelEntryName(4),
                                                   levelEntryName(5), levelEntryName(6)};

// Every entry the game asks the pack for, in the order it first asks; data.zxp holds them in
// this order and nothing else.
inline constexpr const char* kGameEntries[] = {
    kIconEntry,
    kBackgroundEntry,
    kLogoEntry,
    kButtonEntry,
    kFontEntry,
    kWallEntry,
    kRedWallEntry,
    kLevelEntries[0].data(),
    kLevelEntries[1].data(),
    kLevelEntries[2].data(),
    kLevelEntries[3].data(),
    kLevelEntries[4].data(),
    kLevelEntries[5].data(),
    kBallEntry,
    kBatEntry,
    kGreenStoneGlowEntry,
    kOrangeStoneGlowEntry,
    kPurpleStoneGlowEntry,
    kGreenStoneBreakingEntry,
    kOrangeStoneBreakingEntry,
    kPurpleStoneBreakingEntry,
};
