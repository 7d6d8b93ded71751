#!/usr/bin/env bash
# The real game under Xvfb: refused without data.zxp; with a pack, a window titled "Zembrix" of
# 800 x 608, the start-up's log lines in their order, and a close button that ends the game with
# exit code 0 and writes the score table.
# Usage: startup.sh ZEMBRIX XCLOSE PACK
source "$(dirname "$0")/lib.sh"
game_arguments "$@"

start_x

# Without the pack: the message box, no game window, exit code 1.
mkdir "$work/empty"
start_game "$game" "$work/empty"
# The box has the system's default caption: "Error", or "Błąd" on a Polish Windows.
caption=Error
[[ "$game" == *.exe ]] && caption="Błąd"
box=$(wait_window "$caption" 30) || die "no message box \"$caption\" without data.zxp"
[[ -z "$(windows_named Zembrix)" ]] || die "a game window appeared without data.zxp"
key_closing "$box" Return
expect_exit 1 "after Enter on the box without data.zxp"
echo "ok: no pack -> box, exit 1"

# With the pack: the window, its size, then the close button.
start_in "$work/run"
window=$(wait_window Zembrix 30) || die "no window titled Zembrix"
geometry=$(size_of "$window")
[[ "$geometry" == "800x608" ]] || die "client area $geometry, expected 800x608"
sleep 1
screenshot "$window" "$work/frame.png"
close_game
check_lines "$work/run/stdout.log" 'DirectX initialized!' "${menu_log[@]}" \
    'Intialized in [0-9]+ ms' || die "the log lines of the start differ"
[[ -f "$work/run/scoreboard.zxs" ]] || die "scoreboard.zxs was not written"
echo "ok: window 800x608 titled Zembrix, the log lines in order, closed with exit 0, scoreboard.zxs written"
