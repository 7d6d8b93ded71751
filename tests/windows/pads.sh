#!/usr/bin/env bash
# The gamepads under Wine: SDL2.dll's game controllers read by the game's pad translation, and
# Windows' own message boxes answered from a virtual pad (tests/windows/pads/PadCheck.cpp).
# Usage: pads.sh PADCHECK
check=$(realpath "$1")
source "$(dirname "$0")/../e2e/lib.sh"

start_x
wine_used=1
status=0
(cd "$work" && timeout 120 wine "$check") >"$work/pads.log" 2>"$work/pads.err" || status=$?
tr -d '\r' <"$work/pads.log"
((status == 0)) || { tail -n 20 "$work/pads.err" >&2; die "PadCheck ended with $status"; }
