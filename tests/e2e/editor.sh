#!/usr/bin/env bash
# The level editor in the real window (zembrix --edit): clicks, a drag, the palette and the keys
# place and remove stones on two levels, undo brings one back; Escape and the window's close
# with unsaved changes ask first; T test-plays the level in the game room and Escape comes back
# with the set kept; F2 and F3 take a typed title and author; Ctrl+S writes the set beside the
# score table, where --check-levels accepts it with exactly the stones placed; Ctrl+C copies it,
# Ctrl+Delete removes a level and Ctrl+V pastes the copy back; Escape then goes to the menu.
# Usage: editor.sh ZEMBRIX XCLOSE PACK
source "$(dirname "$0")/lib.sh"
game_arguments "$@"

export XDG_DATA_HOME=$work/data

# Whether a stone's picture stands with its corner at ($2, $3) in PNG $1: the middle of it, inside
# the glow's pale edge, is clearly coloured.
stone_at() {
    saturated "$(mean_colour "$1" "40x14+$(($2 + 12))+$(($3 + 9))")"
}

# The stones of set file $1 as sorted "LEVEL LETTER X Y" lines, read off its grid blocks and
# stone lines.
stones_of() {
    awk '/^[ \t]*(#|$)/ { next }
        $1 == "title" || $1 == "author" { next }
        $1 == "level" { level++; grid = 0; next }
        $1 == "grid" { x0 = $2; y = $3; grid = 1; next }
        $1 == "stone" { print level, $2, $3, $4; next }
        grid { for (i = 1; i <= length($1); i++) {
                   c = substr($1, i, 1); if (c != ".") print level, c, x0 + 64 * (i - 1), y }
               y += 32 }' "$1" | sort
}

# True when --check-levels accepts the saved set ($set_file) with title Zamek and $1 levels.
saved_levels() {
    timeout 10 "$game" --check-levels "$set_file" 2>&1 | grep -qF '"Zamek", '"$1"' level(s)'
}

start_x
start_in "$work/run" --edit
window=$(wait_window Zembrix 60 800x608) || die "no game window"
poll 60 editor_shown "$window" || die "--edit did not show the editor's field"
echo "ok: --edit opens the editor: the walls, no bat"

# Level 1. The pointer at (80 + 32 c, 80 + 32 r) is the centre of the stone of cell (c, r),
# whose corner is (48 + 32 c, 64 + 32 r). Green (the first kind) at (0, 0); the palette's second
# entry, orange, at (4, 2); the keys: 3 purple, Down, Space at (4, 3).
click "$window" 80 80
click "$window" 192 440
click "$window" 208 144
key "$window" 3
key "$window" Down
key "$window" space
# 1 green, and a drag down column 10 over rows 6, 7 and 8: three stones, one change.
key "$window" 1
xdotool mousemove --window "$window" 400 272
sleep 0.2
xdotool mousedown 1
for y in 288 304 320 336; do
    sleep 0.2
    xdotool mousemove --window "$window" 400 "$y"
done
sleep 0.2
xdotool mouseup 1
sleep 0.3
# The right button removes the purple stone, Ctrl+Z brings it back; then removes the green one.
click "$window" 190 170 3
key "$window" ctrl+z
click "$window" 60 70 3
poll 10 editor_shown "$window" || die "the editor went away while level 1 was edited"
cp "$work/probe.png" "$work/level1.png"
for corner in "176 128" "176 160" "368 256" "368 288" "368 320"; do
    stone_at "$work/level1.png" $corner || die "no stone drawn at $corner on level 1"
done
! stone_at "$work/level1.png" 48 64 || die "the stone right-clicked at 48 64 is still drawn"
echo "ok: clicks, the palette, keys and a drag place stones; the right button removes; Ctrl+Z"

# Escape with unsaved changes asks; No (Tab, Enter) stays in the editor.
key "$window" Escape
question=$(poll 20 dialog_window) || die "Escape with unsaved changes asked nothing"
key "$question" Tab
key_closing "$question" Return
poll 20 window_gone "$question" || die "No did not close the question"
poll 20 editor_shown "$window" || die "No left the editor"
# So does the window's close button; No keeps the game running.
"$xclose" "$window"
question=$(poll 20 dialog_window) || die "closing the window with unsaved changes asked nothing"
key "$question" Tab
key_closing "$question" Return
poll 20 window_gone "$question" || die "No did not close the question"
game_alive || die "No to the close's question ended the game"
poll 20 editor_shown "$window" || die "No to the close's question left the editor"
echo "ok: Escape or the window's close with unsaved changes asks; No stays"

# Level 2 after it: orange at (3, 0) and (3, 1) from the keys (the cursor stands at (0, 0)).
key "$window" ctrl+n
key "$window" 2
for _ in 1 2 3; do
    key "$window" Right
done
key "$window" space
key "$window" Down
key "$window" space

# T plays level 2 in the game room (the bat shows); Escape comes straight back to the editor.
key "$window" t
poll 30 field_shown "$window" || die "T did not start the test play"
stone_at "$work/probe.png" 144 64 || die "the test play does not show level 2's stone at 144 64"
key "$window" Escape
poll 30 editor_shown "$window" || die "Escape did not bring the test play back to the editor"
stone_at "$work/probe.png" 144 96 || die "back from the test play, level 2 lost its stones"
echo "ok: T test-plays the level; Escape returns to the editor with the set kept"

# The title typed over the new set's "Nowy zestaw" (eleven letters), and the author.
key "$window" F2
for _ in $(seq 11); do
    key "$window" BackSpace
done
type_text "$window" "Zamek"
key "$window" Return
key "$window" F3
type_text "$window" "Ala"
key "$window" Return
key "$window" ctrl+s

# Saved beside the score table this start uses, named after the title.
scores=$(cd "$work/run" && timeout 10 "$game" --help | sed -n 's/^ *tabela wyników *//p')
[[ -n "$scores" ]] || die "--help names no score table"
[[ "$scores" == /* ]] || scores=$work/run/$scores
set_file=$(dirname "$scores")/levels/Zamek.zxl
poll 20 test -s "$set_file" || die "Ctrl+S wrote no $set_file: $(find "$work" -name '*.zxl')"
poll 10 saved_levels 2 || die "--check-levels: $(timeout 10 "$game" --check-levels "$set_file" 2>&1)"
grep -qx 'author Ala' "$set_file" || die "the author is not Ala in $set_file"
expected="1 G 368 256
1 G 368 288
1 G 368 320
1 O 176 128
1 P 176 160
2 O 144 64
2 O 144 96"
[[ "$(stones_of "$set_file")" == "$expected" ]] ||
    die "the saved stones differ: $(stones_of "$set_file" | tr '\n' ';')"
echo "ok: Ctrl+S saved Zamek.zxl by Ala, 2 levels, with exactly the stones placed"

# Ctrl+C copies the set; Ctrl+Delete removes level 2, saved so; Ctrl+V brings the copy back.
key "$window" ctrl+c
key "$window" ctrl+Delete
key "$window" ctrl+s
poll 10 saved_levels 1 || die "Ctrl+Delete and Ctrl+S did not save one level"
key "$window" ctrl+v
key "$window" ctrl+s
poll 10 saved_levels 2 || die "Ctrl+V and Ctrl+S did not save the two levels copied"
[[ "$(stones_of "$set_file")" == "$expected" ]] ||
    die "the pasted stones differ: $(stones_of "$set_file" | tr '\n' ';')"
echo "ok: Ctrl+C copies the set, Ctrl+Delete removes a level, Ctrl+V pastes the copy back"

# Saved, Escape goes to the menu without a question.
key "$window" Escape
poll 30 menu_shown "$window" || die "Escape after saving did not go to the menu"
[[ -z "$(dialog_window)" ]] || die "Escape after saving asked a question"
quit_from_menu
echo "PASS: editor"
