#!/usr/bin/env bash
# A gamepad whose stick never rests still (the game's own test hook, ZEMBRIX_JITTER_PAD: a
# virtual controller moved between -300 and +300 every turn) takes no click from the menu: real
# clicks on "Graj", "Tabela wyników" and "Info" each work at the first try.
# Usage: jitter.sh ZEMBRIX XCLOSE PACK
source "$(dirname "$0")/lib.sh"
game_arguments "$@"
export ZEMBRIX_JITTER_PAD=1

start_x
start_at_menu "$work/run"
grep -q "jittering test pad is plugged in" "$work/run/stderr.log" ||
    die "the jittering pad was not plugged in: $(cat "$work/run/stderr.log")"

start_playing
echo "ok: Graj shows the play field"
leave_game
look_at_scores "$work/scores.png"
echo "ok: Tabela wyników shows the score table"
click "$window" 400 400
info=$(wait_window Info 10) || die "Info showed no box"
key_closing "$info" Return
poll 20 window_gone "$info" || die "Return did not close the Info box"
poll 30 menu_shown "$window" || die "no menu after the Info box"
echo "ok: Info shows its box"
quit_from_menu
echo "ok: Wyjście ends the game"
