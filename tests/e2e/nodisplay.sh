#!/usr/bin/env bash
# The real game started with no display and no video driver named: SDL falls back to a driver
# that shows nothing, which the game takes for a window it could not create, with the error on
# standard error and exit code 1, instead of running unseen. Then a display that refuses the
# first connections: the game tries again and opens its window.
# Usage: nodisplay.sh ZEMBRIX XCLOSE PACK
source "$(dirname "$0")/lib.sh"
game_arguments "$@"

cp "$pack" "$work/data.zxp"
game_dir=$work
status=0
(cd "$work" && exec env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout -k 5 60 "$game") \
    >"$work/stdout.log" 2>"$work/stderr.log" || status=$?
((status != 124 && status != 137)) || die "the game still ran after 60 s without a display"
[[ "$status" == 1 ]] || die "exit code $status without a display, expected 1"
grep -qE '^Error!: No display .*"(offscreen|dummy)" video driver' "$work/stderr.log" ||
    die "no window error on standard error"
! grep -q "DirectX initialized!" "$work/stdout.log" || die "a render device was made"
echo "ok: no display -> the window error on standard error, exit 1"

# DISPLAY names a display whose socket appears only a moment after the game started, so its
# first connections are refused as a busy X server refuses some: the game tries again and its
# window opens there.
start_x
server=${DISPLAY#:}
for ((n = 0; n < 8; n++)); do
    late=$((100 + ($$ * 11 + n * 89) % 800))
    [[ -e /tmp/.X$late-lock || -e /tmp/.X11-unix/X$late ]] || break
done
link=/tmp/.X11-unix/X$late
cleanup_link() { rm -f "$link"; }
trap 'cleanup_link; cleanup' EXIT
mkdir "$work/late"
cp "$pack" "$work/late/data.zxp"
DISPLAY=:$late start_game "$game" "$work/late"
sleep 0.3
ln -s "/tmp/.X11-unix/X$server" "$link"
window=$(wait_window Zembrix 30 800x608) || die "no window on the display that answered late"
grep -q "The display took the connection at attempt" "$work/late/stderr.log" ||
    die "the game did not have to try the display again"
echo "ok: a display refusing the first connections: the game tried again and opened its window"
