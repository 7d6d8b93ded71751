#!/usr/bin/env bash
# Makes the Wine prefix that the tests of the Windows program share ($WINEPREFIX), once: a fresh
# one takes Wine about ten seconds to set up, and a prefix already made is kept. The prefix
# stands in for a Windows with the fonts the game names.
# Usage: prefix.sh
source "$(dirname "$0")/../e2e/lib.sh"

if [[ -f "$WINEPREFIX/system.reg" ]]; then
    echo "ok: the Wine prefix $WINEPREFIX is there"
    exit 0
fi
start_x
wine_used=1
mkdir -p "$WINEPREFIX"
timeout 300 wineboot -i >"$work/wineboot.log" 2>&1 || { cat "$work/wineboot.log"; die "wineboot failed"; }
timeout 120 wineserver -w || die "Wine did not settle after wineboot"
[[ -f "$WINEPREFIX/system.reg" ]] || die "wineboot made no prefix in $WINEPREFIX"
# The faces the game names and Windows has, as the metric-compatible ones that the Linux build's
# fontconfig picks for them: without these Wine falls back to a wider face.
for pair in "Arial=Liberation Sans" "Calibri=Carlito"; do
    wine_setting 'HKCU\Software\Wine\Fonts\Replacements' /v "${pair%%=*}" /d "${pair#*=}"
done
echo "ok: a Wine prefix in $WINEPREFIX"
