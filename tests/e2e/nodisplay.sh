#!/usr/bin/env bash
# The real game started with no display and no video driver named: SDL falls back to a driver
# that shows nothing, which the game takes for a window it could not create, with the error on
# standard error and exit code 1, instead of running unseen.
# Usage: nodisplay.sh ZEMBRIX XCLOSE PACK
game=$(realpath "$1")
pack=$(realpath "$3")
source "$(dirname "$0")/lib.sh"

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
