// The names of every entry the game asks its data pack for.
#pragma once

namespace zxtest {

inline constexpr const char* kGameEntries[] = {
    "icon.bmp",
    "background.png",
    "logo.png",
    "button.png",
    "IndieFlower.ttf",
    "wall_block.png",
    "wall_block_red.png",
    "Level1.zxm",
    "Level2.zxm",
    "Level3.zxm",
    "Level4.zxm",
    "Level5.zxm",
    "Level6.zxm",
    "ball_blue.png",
    "bat_huge.png",
    "stone_glow_green.png",
    "stone_glow_orange.png",
    "stone_glow_purple.png",
    "stone_breaking_green.png",
    "stone_breaking_orange.png",
    "stone_breaking_purple.png",
};

} // namespace zxtest
