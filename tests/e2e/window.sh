#!/usr/bin/env bash
# The window at any size, under openbox as on a player's desktop: resized, it shows the menu
# scaled to fit between black bars, and a click where "Graj" is drawn opens the game; F11 fills
# the screen (1024 x 768 here) and the next start keeps it; Alt+Enter goes back to the window of
# the size it had; the settings file holds both.
# Usage: window.sh ZEMBRIX XCLOSE PACK
ZX_E2E_WM=openbox
source "$(dirname "$0")/lib.sh"
game_arguments "$@"

# True when window $1 is $2 (WIDTHxHEIGHT).
has_size() {
    [[ "$(size_of "$1")" == "$2" ]]
}

start_x
settings=$XDG_CONFIG_HOME/zembrix/settings.ini
start_at_menu "$work/run"
rest_pointer
sleep 1
screenshot "$window" "$work/plain.png"

# 960 x 700: the picture at 9/8 (900 x 684) from (30, 8), black beside it.
xdotool windowsize "$window" 960 700
poll 10 has_size "$window" 960x700 || die "the window is $(size_of "$window"), not 960x700"
sleep 1
screenshot "$window" "$work/scaled.png"
for spot in "15 350" "945 350" "480 3" "480 696"; do
    [[ "$(pixel "$work/scaled.png" $spot)" == 000000 ]] || die "no black bar at $spot"
done
# The picture scaled back to 800 x 608 is the unscaled one, but for the filter's softening.
convert "$work/scaled.png" -crop 900x684+30+8 +repage -resize '800x608!' "$work/back.png"
changed=$(differing "$work/plain.png" "$work/back.png" 800x608+0+0 12)
((changed < 800 * 608 / 20)) || die "the scaled picture differs from the menu in $changed pixels"
echo "ok: resized to 960x700, the menu scaled between black bars ($changed pixels softened)"

# "Graj" (picture 320..480 x 248..296) is drawn around (480, 314).
click "$window" 480 314
poll 10 scaled_field_shown "$window" 9/8 30 8 ||
    die "a click on the scaled Graj did not open the game"
echo "ok: a click on the scaled Graj opens the game"

# F11: the whole screen, the picture at 5/4 (1000 x 760) from (12, 4).
key "$window" F11
poll 10 has_size "$window" 1024x768 || die "F11 left the window at $(size_of "$window")"
sleep 1
screenshot "$window" "$work/full.png"
[[ "$(pixel "$work/full.png" 5 400)" == 000000 ]] || die "no bar left of the full-screen picture"
field=$(mean_colour "$work/full.png" 40x700+20+40)
greyish "$field" || die "the left wall is not at its scaled place ($field)"
grep -qx 'fullscreen = on' "$settings" || die "the full screen was not kept: $(cat "$settings")"
close_game
echo "ok: F11 fills the screen and is kept"

# The next start opens in full screen; Alt+Enter gives back the 960 x 700 window.
start_game "$game" "$work/run"
window=$(wait_window Zembrix 30 1024x768) || die "the next start is not in full screen"
sleep 1
key "$window" alt+Return
poll 10 has_size "$window" 960x700 || die "Alt+Enter left the window at $(size_of "$window")"
poll 10 grep -qx 'fullscreen = off' "$settings" || die "the window was not kept"
close_game
grep -qx 'window = 960x700' "$settings" || die "the window's size was not kept: $(cat "$settings")"
# A machine without a sound card says so in one line; any other line is a complaint.
! grep -v '^zembrix: no sound: ' "$work/run/stderr.log" | grep -q 'zembrix:' ||
    die "complaints: $(cat "$work/run/stderr.log")"
echo "ok: the next start keeps the full screen, Alt+Enter goes back to the 960x700 window"
