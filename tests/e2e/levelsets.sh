#!/usr/bin/env bash
# Level sets in the real window, from the editor to the score table: a set of two one-stone
# levels made in the editor with clicks and keys, test-played and saved; the next start shows
# the set "Graj" plays in a line under the menu's buttons and Right changes it; the set is played
# through with real keys, the name typed in the dialog goes to that set's own table
# (scoreboard-Duet.zxs), and scoreboard.zxs is left as it was. Random bytes and a set with an empty
# level are refused with their reasons on standard error, and the game still starts and ends with
# exit code 0. A start with the set named on the command line shows the set's table.
# Usage: levelsets.sh ZEMBRIX XCLOSE PACK
source "$(dirname "$0")/lib.sh"
game_arguments "$@"

run=$work/run
mkdir -p "$run/levels"
head -c 700 /dev/urandom >"$run/levels/noise.zxl"
printf 'title Pusty\nlevel\ngrid 96 96\nPP\nlevel\n# no stone\n' >"$run/levels/empty.zxl"

start_x
# The editor: the pointer at (80 + 32 c, 80 + 32 r) is the middle of the stone of cell (c, r),
# whose corner is (48 + 32 c, 64 + 32 r). One green stone (the first kind) at (368, 96), straight
# above the waiting ball, so that a launch from a bat at rest breaks it; a second level with one
# orange stone (2) at (368, 128); T plays it and Escape comes back; the title, then Ctrl+S.
start_in "$run" --edit
window=$(wait_window Zembrix 60 800x608) || die "no editor window"
poll 60 editor_shown "$window" || die "--edit did not show the editor"
click "$window" 400 112
key "$window" ctrl+n
key "$window" 2
click "$window" 400 144
key "$window" t
poll 30 field_shown "$window" || die "T did not start the test play"
key "$window" Escape
poll 30 editor_shown "$window" || die "Escape did not bring the test play back to the editor"
key "$window" F2
for _ in $(seq 11); do # "Nowy zestaw"
    key "$window" BackSpace
done
type_text "$window" "Duet"
key "$window" Return
key "$window" ctrl+s
poll 10 test -f "$run/levels/Duet.zxl" || die "Ctrl+S saved no levels/Duet.zxl"
key "$window" Escape
poll 30 menu_shown "$window" || die "Escape after saving did not go to the menu"
close_game
(cd "$run" && timeout 10 "$game" --check-levels levels/Duet.zxl) | grep -qF '"Duet", 2 level(s)' ||
    die "the saved set is not Duet's two levels: $(cat "$run/levels/Duet.zxl")"
echo "ok: a set of two levels made in the editor, test-played and saved as levels/Duet.zxl"
# The built-in set's table as the editor's start left it (an orderly end writes it): no run of
# another set may change it.
builtin_table() { md5sum <"$run/scoreboard.zxs" 2>/dev/null || echo none; }
table_before=$(builtin_table)

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
[[ -f "$run/scoreboard-Duet.zxs" ]] || die "no table of the set after the run"
grep -aq "Ola" "$run/scoreboard-Duet.zxs" || die "the set's table lacks the name"
[[ "$(builtin_table)" == "$table_before" ]] || die "scoreboard.zxs was changed by a run of another set"
leave_game
close_game
# The log goes out at the end: standard output is a file here, written in blocks.
grep -q 'Loaded level "Duet.zxl:2"!' "$run/stdout.log" || die "the second level was not loaded"
echo "ok: both levels played; \"Ola\" in scoreboard-Duet.zxs, scoreboard.zxs untouched"
[[ "$(builtin_table)" == "$table_before" ]] || die "scoreboard.zxs was changed at the end"

# Started with the set's file, the game plays it and its scoreboard shows its table.
start_at_menu "$run" levels/Duet.zxl
look_at_scores "$work/scores.png"
(($(dark_count "$work/scores.png" 400x22+200+1) > 20)) || die "the scoreboard does not name the set"
quit_from_menu
[[ "$(builtin_table)" == "$table_before" ]] || die "scoreboard.zxs was changed by the second start"
echo "ok: the set named on the command line shows its own table; exit code 0"
