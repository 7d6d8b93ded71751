#!/usr/bin/env bash
# Verifies every recorded run with one build of the game: zembrix --verify-replay must end with 0
# and print the points and the name each run was recorded with, whatever built the game (the
# runs were recorded by the Linux build; a .exe runs under Wine, on Xvfb).
#   verify.sh ZEMBRIX    (run in a folder where the game finds its pack)
set -uo pipefail
game=$1
here=$(dirname "$(realpath "$0")")
run=("$game")
# The Windows program draws with Direct3D even unseen: a hidden window on a display of its own.
[[ "$game" == *.exe ]] && run=(xvfb-run -a -s "-screen 0 1024x768x24" wine "$game")

# file, points, name: the table the runs were recorded with; then the player's level set the
# run played, named on the command line, for a run that did not play the built-in set.
runs=(
    "lost-on-level-1.zxr|10|Przegrana"
    "through-level-2.zxr|1689|Łucja Żak"
    "all-six-levels.zxr|19103|Autopilot"
    "player-set-duet.zxr|195|Duet|duet.zxl"
)
failed=0
for entry in "${runs[@]}"; do
    IFS='|' read -r file points name set <<<"$entry"
    out=$(timeout 300 "${run[@]}" --verify-replay "$here/$file" ${set:+"$here/$set"} 2>&1)
    code=$?
    out=${out//$'\r'/}
    if [[ $code -ne 0 ]] || ! grep -qx "points: $points" <<<"$out" ||
        ! grep -qx "name: $name" <<<"$out"; then
        echo "FAIL: $file: exit $code; expected points: $points, name: $name"
        grep -E '^(points|name|updates|differs)|zembrix:' <<<"$out"
        failed=1
    else
        echo "ok: $file: $points points for $name, $(grep '^updates' <<<"$out")"
    fi
done
exit $failed
