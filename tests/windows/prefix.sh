#!/usr/bin/env bash
# Makes the Wine prefix that the tests of the Windows program share ($WINEPREFIX), once: a fresh
# one takes Wine about ten seconds to set up, and a prefix already made is kept.
# Usage: prefix.sh
source "$(dirname "$0")/../e2e/lib.sh"

if [[ -f "$WINEPREFIX/system.reg" ]]; then
    echo "ok: the Wine prefix $WINEPREFIX is there"
    exit 0
fi
start_x
windows_game=1
mkdir -p "$WINEPREFIX"
timeout 300 wineboot -i >"$work/wineboot.log" 2>&1 || { cat "$work/wineboot.log"; die "wineboot failed"; }
timeout 120 wineserver -w || die "Wine did not settle after wineboot"
[[ -f "$WINEPREFIX/system.reg" ]] || die "wineboot made no prefix in $WINEPREFIX"
echo "ok: a Wine prefix in $WINEPREFIX"
