#!/usr/bin/env bash
# Runs a check program of the Windows build under Wine and Xvfb, in a folder of its own beside
# SDL2.dll (and the pack, when given); passes when it ends with exit code 0. Its standard output
# is shown, and on a failure the end of its standard error.
# Usage: check.sh CHECK_EXE [PACK]
check=$(realpath "$1")
source "$(dirname "$0")/../e2e/lib.sh"

start_x
wine_used=1
game_dir=$work/run
mkdir "$game_dir"
cp "$check" "${check%/*}/SDL2.dll" "$game_dir/"
[[ -z "${2:-}" ]] || cp "$2" "$game_dir/data.zxp"
status=0
(cd "$game_dir" && env -u SDL_VIDEODRIVER timeout 240 wine "./${check##*/}") \
    >"$game_dir/stdout.log" 2>"$game_dir/stderr.log" || status=$?
tr -d '\r' <"$game_dir/stdout.log"
((status == 0)) || die "${check##*/} failed (exit code $status)"
