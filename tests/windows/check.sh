#!/usr/bin/env bash
# Runs a check program of the Windows build under Wine and Xvfb, in a folder of its own beside
# SDL2.dll (and the pack, when given); passes when it ends with exit code 0.
# Usage: check.sh CHECK_EXE [PACK]
check=$(realpath "$1")
source "$(dirname "$0")/../e2e/lib.sh"

start_x
wine_used=1
mkdir "$work/run"
cp "$check" "${check%/*}/SDL2.dll" "$work/run/"
[[ -z "${2:-}" ]] || cp "$2" "$work/run/data.zxp"
status=0
(cd "$work/run" && env -u SDL_VIDEODRIVER timeout 240 wine "./${check##*/}") \
    >"$work/run/stdout.log" 2>"$work/run/stderr.log" || status=$?
tr -d '\r' <"$work/run/stdout.log"
((status == 0)) || die "${check##*/} failed (exit code $status)"
