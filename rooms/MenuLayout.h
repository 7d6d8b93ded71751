// MenuLayout: where the main menu puts its background, logo and buttons, in pixels.
#pragma once

#include <cstdint>

// The background picture's tile, laid from the top-left corner (the scoreboard uses it too).
constexpr std::uint32_t kBackgroundTile = 200;
// The logo picture, horizontally centred this far below the top edge.
constexpr std::uint32_t kLogoWidth = 638;
constexpr std::uint32_t kLogoHeight = 158;
constexpr std::uint32_t kLogoTop = 16;
// The menu's buttons, stacked top to bottom.
constexpr std::uint32_t kButtonCount = 4;
// The button picture; its left edge is half this width left of its centre.
constexpr std::uint32_t kButtonWidth = 160;
constexpr std::uint32_t kButtonHeight = 48;
// The space between two buttons, and from one button's top to the next's (64).
constexpr std::uint32_t kButtonGap = 16;
constexpr std::uint32_t kButtonPitch = kButtonHeight + kButtonGap;
// The captions' height in the pack's "Indie Flower".
constexpr std::int32_t kCaptionHeight = 30;

// The logo's left edge on a screen of this width (81 on 800).
constexpr std::uint32_t logoLeft(std::uint32_t screenWidth) {
    return (screenWidth - kLogoWidth) / 2;
}
// The buttons' horizontal centre on a screen of this width (400 on 800).
constexpr std::uint32_t buttonCentre(std::uint32_t screenWidth) {
    return screenWidth >> 1;
}
// The top of button index on a screen of this height: the first stands a fifth of the height
// left under the logo below it (248, 312, 376 and 440 on 608).
constexpr std::uint32_t buttonTop(std::uint32_t screenHeight, std::uint32_t index) {
    return (screenHeight - kLogoHeight) / 5 + kLogoHeight + index * kButtonPitch;
}
