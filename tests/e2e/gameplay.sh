#!/usr/bin/env bash
# The play field in the real window: "Graj" shows walls, stones, bat, waiting ball and the level
# banner; held keys move the bat and the ball with it; Space launches the ball; Escape asks
# first: No keeps the run, Yes returns to the menu; the window's close button then ends the game
# with exit code 0.
# Usage: gameplay.sh ZEMBRIX XCLOSE PACK
source "$(dirname "$0")/lib.sh"
game_arguments "$@"

start_x
start_at_menu "$work/run"

# "Graj": the field with its walls and the bat, the banner fading in over it. The banner lasts
# only some seconds: screenshots are taken back to back first and looked at afterwards.
click "$window" 400 272
for ((shot = 0; shot < 20; shot++)); do
    screenshot "$window" "$work/early$shot.png"
    sleep 0.1
done
poll 30 field_shown "$window" || die "Graj did not show the play field"
echo "ok: Graj shows grey walls left, top and right and the red line along the bottom"

# The banner moves down one pixel per update and is gone after 150 updates; wait until two
# screenshots half a second apart agree, then compare with the first one.
poll 60 still "$window" || die "the field never stood still"
cp "$work/b.png" "$work/field.png"
# The early screenshot that differs most from the still field, among those showing the field.
banner=0
for ((shot = 0; shot < 20; shot++)); do
    greyish "$(mean_colour "$work/early$shot.png" 32x608+0+0)" || continue
    count=$(differing "$work/early$shot.png" "$work/field.png" 600x260+100+140 10)
    if ((count > banner)); then
        banner=$count
        cp "$work/early$shot.png" "$work/early.png"
    fi
done
((banner > 300)) || die "no level banner over the field ($banner pixels differ)"
box=$(convert "$work/early.png" "$work/field.png" -compose difference -composite -crop 600x260+100+140 \
    +repage -threshold 10% -trim -format "%w %h %X %Y" info:)
read -r bw bh bx by <<<"$box"
centre=$((100 + ${bx#+} + bw / 2))
((centre >= 390 && centre <= 410)) || die "the banner is centred at x $centre, expected 400 ($box)"
((bw >= 150 && bh >= 30)) || die "the banner's ink is only $bw x $bh"
echo "ok: banner \"Poziom 1\" shown centred at x $centre ($bw x $bh) and gone after its time"

# Every stone of level 1 stands; the bat at x 352..447; the ball waiting at (392, 543).
while read -r cell; do
    saturated "$(mean_colour "$work/field.png" "$cell")" || die "no stone at $cell"
done < <(stone_cells)
span=$(ink_span "$work/field.png" 567 32 767)
[[ "$span" == "352 447" ]] || die "bat spans x $span on row 567, expected 352 447"
ball_on_bat "$work/field.png" 352 || die "the ball does not wait at (392, 543)"
[[ "$(ink_span "$work/field.png" 550 32 767)" == "392 407" ]] || die "more than the ball on row 550"
echo "ok: 27 stones, the bat at 352..447, the ball waiting on it at 392"

# "d" held moves the bat right, "a" held moves it left; the waiting ball follows it.
hold_key "$window" d 0.6
moved_right() {
    screenshot "$window" "$work/right.png"
    right=$(bat_x "$work/right.png")
    [[ -n "$right" ]] && ((right >= 352 + 40))
}
poll 20 moved_right || die "d did not move the bat right (bat at ${right:-none})"
sleep 0.5
screenshot "$window" "$work/right.png"
right=$(bat_x "$work/right.png")
ball_on_bat "$work/right.png" "$right" || die "the ball did not follow the bat to $right"
hold_key "$window" a 0.15
moved_left() {
    screenshot "$window" "$work/left.png"
    left=$(bat_x "$work/left.png")
    [[ -n "$left" ]] && ((left < right))
}
poll 20 moved_left || die "a did not move the bat left (bat at ${left:-none})"
sleep 0.5
screenshot "$window" "$work/left.png"
left=$(bat_x "$work/left.png")
ball_on_bat "$work/left.png" "$left" || die "the ball did not follow the bat to $left"
echo "ok: d moves the bat right to $right, a back left to $left, the ball rides on it"

# Space launches the ball: it leaves the bat and the waiting text goes.
waiting_text=$(dark_count "$work/left.png" 500x40+150+262)
((waiting_text > 500)) || die "no waiting text over the waiting ball ($waiting_text dark pixels)"
key "$window" space
launched() {
    screenshot "$window" "$work/flying.png"
    ! ball_on_bat "$work/flying.png" "$left" &&
        (($(dark_count "$work/flying.png" 500x40+150+262) < waiting_text / 10))
}
poll 20 launched || die "Space did not launch the ball"
# Between the waiting text and the bat the field is empty but for the flying ball.
ball_between() {
    screenshot "$window" "$work/flying.png"
    (($(colour_count "$work/flying.png" 736x220+32+320) > 1))
}
poll 20 ball_between || die "no ball seen flying after Space"
echo "ok: Space launched the ball off the bat at $left; it flies over the field"

# The run goes on as it was: the field without the waiting text of a new start, and the ball
# still moving from one screenshot to the next.
run_goes_on() {
    sleep 1
    field_shown "$window" || return 1
    cp "$work/probe.png" "$work/on1.png"
    (($(dark_count "$work/on1.png" 500x40+150+262) < waiting_text / 10)) || return 1
    sleep 0.3
    screenshot "$window" "$work/on2.png"
    (($(differing "$work/on1.png" "$work/on2.png" 736x544+32+32) > 0))
}

# Escape asks; the question has no way out but its buttons, so Escape in it does nothing.
# "Nie" (Tab, then Return) keeps the run, and so does clicking "Nie".
ask_question
geometry=$(windows_named Zembrix | awk -v id="$question" '$1 == id {print $2}')
key "$question" Escape
sleep 0.5
! window_gone "$question" || die "Escape closed the Yes/No question"
key "$question" Tab
key_closing "$question" Return
poll 20 window_gone "$question" ||
    die "the question stayed after Tab and Return"
run_goes_on || die "No (Tab, Return) did not keep the run"
echo "ok: Escape asks ($geometry box), Escape in it does nothing, No with Tab and Return: the run goes on"

ask_question
screenshot "$question" "$work/question.png"
(($(colour_count "$work/question.png" 10000x10000+0+0) > 2)) || die "the question box is blank"
# The buttons stand at the bottom right corner of the box, "Tak" left of "Nie": 75 x 22 pixels
# each, 8 apart, 11 from the right and bottom edges.
width=$(identify -format %w "$work/question.png")
height=$(identify -format %h "$work/question.png")
xdotool mousemove --window "$question" $((width - 11 - 37)) $((height - 22)) click 1 2>/dev/null || true
poll 20 window_gone "$question" ||
    die "the question stayed after clicking No"
run_goes_on || die "No (clicked) did not keep the run"
echo "ok: answered No with the mouse: the run goes on"

# Yes (Return, the default button) returns to the menu.
leave_game
echo "ok: answered Yes: the menu is back"

# The window's close button ends the game cleanly.
close_game
grep -q 'Loaded level "Level1.zxm"!' "$work/run/stdout.log" || die "no level load logged"
echo "ok: closed with exit code 0"
