#!/usr/bin/env bash
# The Windows program on a display scaled to 150 % (Wine's LogPixels 144, in a copy of the
# shared prefix): the window opens at 1200 x 912, the 800 x 608 picture scaled to fill it, and a
# click on the scaled "Graj" opens the game; widened, the window shows the picture with its
# shape kept between black bars.
# Usage: dpi.sh ZEMBRIX_EXE XCLOSE PACK
# A screen that holds the whole window.
ZX_E2E_SCREEN=1600x1200
source "$(dirname "$0")/../e2e/lib.sh"
game_arguments "$@"

# Takes a screenshot of window $1 and tells whether it shows the menu at 3/2: the logo and the
# "Graj" button at their scaled places, each with its colours.
scaled_menu_shown() {
    screenshot "$1" "$work/probe.png" 2>/dev/null || return 1
    (($(colour_count "$work/probe.png" 240x72+480+372) > 20)) &&
        (($(colour_count "$work/probe.png" 957x237+121+24) > 50))
}

# ... and whether it shows black bars 100 pixels wide beside the picture.
bars_shown() {
    screenshot "$1" "$work/probe.png" 2>/dev/null || return 1
    [[ "$(mean_colour "$work/probe.png" 100x912+0+0)" == 000000 ]] &&
        [[ "$(mean_colour "$work/probe.png" 100x912+1300+0)" == 000000 ]]
}

cp -a "$WINEPREFIX" "$work/prefix"
export WINEPREFIX=$work/prefix
start_x
wine_setting 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144

start_in "$work/run"
window=$(wait_window Zembrix 60 1200x912) ||
    die "no window of 1200x912 at 144 dpi (windows: $(windows_named Zembrix))"
xdotool mousemove --window "$window" 1100 870
poll 20 scaled_menu_shown "$window" || die "the menu is not scaled to the window"
echo "ok: at 144 dpi the window is 1200x912 and shows the menu scaled"

# "Graj" (picture 320..480 x 248..296) is drawn around (600, 408).
click "$window" 600 408
poll 30 scaled_field_shown "$window" 3/2 0 0 || die "a click on the scaled Graj did not open the game"
echo "ok: a click on the scaled Graj opens the game"

# 1400 x 912: the same picture from x 100, black bars on both sides.
xdotool windowsize "$window" 1400 912
poll 20 scaled_field_shown "$window" 3/2 100 0 || die "the widened window does not show the field at x 100"
poll 20 bars_shown "$window" || die "no black bars beside the picture"
close_game
echo "ok: widened to 1400x912, the picture keeps its shape between black bars"
