#!/usr/bin/env bash
# Level sets in the real window: with sets in the data folder's levels/ the menu shows the set
# that "Graj" plays and Right changes it; a set of two one-stone levels is played through with
# real keys, the name typed in the dialog goes to that set's own table (scoreboard-duet.zxs),
# and scoreboard.zxs is never written. Random bytes and a set with an empty level are refused
# with their reasons on standard error, and the game still starts and ends with exit code 0.
# The second start, with the set named on the command line, shows the set's table.
# Usage: levelsets.sh ZEMBRIX XCLOSE PACK
source "$(dirname "$0")/lib.sh"
game_arguments "$@"

run=$work/run
mkdir -p "$run/levels"
# One stone straight above the waiting ball: launched from a bat at rest, the ball goes
# straight up and breaks it.
cat >"$run/levels/duet.zxl" <<'SET'
title Duet
author Tester
level
grid 368 96
G
level
grid 368 128
O
SET
head -c 700 /dev/urandom >"$run/levels/noise.zxl"
printf 'title Pusty\nlevel\ngrid 96 96\nPP\nlevel\n# no stone\n' >"$run/levels/empty.zxl"

start_x
start_at_menu "$run"
grep -q 'level set refused: ./levels/noise.zxl: the file is not UTF-8 text' "$run/stderr.log" ||
    die "random bytes were not refused: $(cat "$run/stderr.log")"
grep -q 'level set refused: ./levels/empty.zxl:6: level 2: the level holds no stones' \
    "$run/stderr.log" || die "the empty level was not refused: $(cat "$run/stderr.log")"
echo "ok: the refused sets are said with their lines and reasons"

# The line under the buttons shows the built-in set, then the player's after Right.
screenshot "$window" "$work/builtin.png"
key "$window" Right
sleep 0.5
screenshot "$window" "$work/duet.png"
(($(differing "$work/builtin.png" "$work/duet.png" 800x40+0+510 10) > 50)) ||
    die "Right did not change the set's line"
(($(differing "$work/builtin.png" "$work/duet.png" 800x490+0+0 10) == 0)) ||
    die "changing the set touched the buttons or the logo"
echo "ok: Right shows the other set in the line under the buttons, nothing else changes"

# Both levels: Space launches, Enter goes on after the first; the run ends in the name dialog.
start_playing
end=$((SECONDS + 60))
until dialog=$(dialog_window); do
    ((SECONDS < end)) || die "the set's two levels did not end in the name dialog"
    key "$window" space
    sleep 1.5
    dialog=$(dialog_window) && break
    key "$window" Return
    sleep 0.5
done
type_text "$dialog" "Ola"
key_closing "$dialog" Return
poll 20 window_gone "$dialog" || die "the name dialog did not close"
[[ -f "$run/scoreboard-duet.zxs" ]] || die "no table of the set after the run"
grep -aq "Ola" "$run/scoreboard-duet.zxs" || die "the set's table lacks the name"
[[ ! -e "$run/scoreboard.zxs" ]] || die "scoreboard.zxs was written by a run of another set"
leave_game
close_game
# The log goes out at the end: standard output is a file here, written in blocks.
grep -q 'Loaded level "duet.zxl:2"!' "$run/stdout.log" || die "the second level was not loaded"
echo "ok: both levels played; \"Ola\" in scoreboard-duet.zxs, scoreboard.zxs untouched"
[[ ! -e "$run/scoreboard.zxs" ]] || die "scoreboard.zxs was written at the end"

# Started with the set's file, the game plays it and its scoreboard shows its table.
start_at_menu "$run" levels/duet.zxl
look_at_scores "$work/scores.png"
(($(dark_count "$work/scores.png" 400x22+200+1) > 20)) || die "the scoreboard does not name the set"
quit_from_menu
[[ ! -e "$run/scoreboard.zxs" ]] || die "scoreboard.zxs was written after the second start"
echo "ok: the set named on the command line shows its own table; exit code 0"
