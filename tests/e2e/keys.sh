#!/usr/bin/env bash
# The keyboard everywhere, in the real window: Down then Enter in the menu opens the game; the
# arrows move the bat; P freezes the frame with "Pauza" over the field, and P again goes on.
# Keys are real ones (XTEST) to the window with the focus. Under a window manager, another program
# taking the focus pauses the run and a click goes on.
# Usage: keys.sh ZEMBRIX XCLOSE PACK
source "$(dirname "$0")/lib.sh"
game_arguments "$@"

start_x
start_at_menu "$work/run"
rest_pointer
sleep 0.5
screenshot "$window" "$work/plain.png"

key "$window" Down
screenshot "$window" "$work/highlight.png"
[[ "$(pixel "$work/highlight.png" 330 260)" != "$(pixel "$work/plain.png" 330 260)" ]] ||
    die "Down did not highlight Graj"
key "$window" Return
poll 30 field_shown "$window" || die "Down then Enter did not open the game"
echo "ok: Down highlights Graj and Enter opens the game"

# Once the level's banner is gone, the bat stands at 352; Right held moves it right, Left back.
poll 60 still "$window" || die "the field never stood still"
[[ "$(bat_x "$work/b.png")" == 352 ]] || die "the bat is not at 352 ($(bat_x "$work/b.png"))"
hold_key "$window" Right 0.6
poll 20 still "$window" || die "the bat did not stop after Right"
right=$(bat_x "$work/b.png")
((right >= 392)) || die "Right did not move the bat right (bat at $right)"
hold_key "$window" Left 0.3
poll 20 still "$window" || die "the bat did not stop after Left"
left=$(bat_x "$work/b.png")
((left < right)) || die "Left did not move the bat left (bat at $left, was $right)"
echo "ok: Right moves the bat to $right, Left back to $left"

# Launched, the ball flies; P freezes the frame with "Pauza" in the banner's place.
key "$window" space
key "$window" p
poll 10 still "$window" || die "P did not freeze the frame"
cp "$work/b.png" "$work/paused.png"
sleep 1
screenshot "$window" "$work/paused2.png"
(($(differing "$work/paused.png" "$work/paused2.png" 800x608+0+0) == 0)) ||
    die "the paused frame changed"
pauza=$(dark_count "$work/paused.png" 300x68+250+262)
((pauza > 100)) || die "no \"Pauza\" over the field ($pauza dark pixels)"
echo "ok: P freezes the frame with \"Pauza\" over the field ($pauza dark pixels)"

key "$window" p
moving() { ! still "$window"; }
poll 10 moving || die "P again did not go on"
screenshot "$window" "$work/after.png"
after=$(dark_count "$work/after.png" 300x68+250+262)
((after < pauza / 4)) || die "\"Pauza\" stayed after the pause ($after dark pixels)"
echo "ok: P again goes on"

# Under a window manager: another program taking the focus pauses the run, and a click in the
# game's window goes on.
if [[ -n "$wm" ]]; then
    xmessage -title Other "another program" &
    other_pid=$!
    other=$(wait_window Other 20) || die "the other program's window did not show"
    xdotool windowactivate --sync "$other"
    paused_again() {
        still "$window" && (($(dark_count "$work/b.png" 300x68+250+262) > 100))
    }
    poll 10 paused_again || die "the run did not pause when the focus went to another program"
    kill "$other_pid"
    click "$window" 700 580
    resumed() {
        screenshot "$window" "$work/probe.png"
        (($(dark_count "$work/probe.png" 300x68+250+262) < pauza / 4))
    }
    poll 10 resumed || die "a click in the window did not go on"
    echo "ok: the focus lost to another program pauses the run; a click in the window goes on"
fi

close_game
