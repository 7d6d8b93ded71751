#!/usr/bin/env bash
# The Windows program with the player's level sets in %LOCALAPPDATA%\zembrix\levels: installed
# as the zip puts it (the program and its pack in one folder) and started from another folder,
# it keeps its data in the local application data folder, finds the set there, and verifies the
# run recorded with that set to its points and name; a damaged set beside it stops nothing.
# Usage: levels.sh ZEMBRIX_EXE RECORDED_FOLDER
game=$(realpath "$1")
recorded=$(realpath "$2")
pack=${game%/*}/data.zxp # the build's pack beside it
source "$(dirname "$0")/../e2e/lib.sh"

start_x
mkdir -p "$work/program" "$work/elsewhere"
cp "$game" "${game%/*}/SDL2.dll" "$pack" "$work/program/"
wine_used=1
local_data=$(wine_local_data) || die "the Wine prefix has no local application data folder"
levels=$local_data/zembrix/levels
rm -rf "$levels"
mkdir -p "$levels"
trap 'rm -rf "$levels"; cleanup' EXIT
cp "$recorded/duet.zxl" "$levels/duet.zxl"
head -c 300 /dev/urandom >"$levels/broken.zxl"

out=$(cd "$work/elsewhere" && timeout 300 env -u SDL_VIDEODRIVER wine "$work/program/zembrix.exe" \
    --verify-replay "$(winepath -w "$recorded/player-set-duet.zxr" 2>/dev/null)" 2>&1)
code=$?
out=${out//$'\r'/}
[[ $code -eq 0 ]] || die "the replay of the set did not verify (exit $code): $(grep -E '^(points|name|updates|differs)|zembrix' <<<"$out")"
grep -qx "points: 195" <<<"$out" && grep -qx "name: Duet" <<<"$out" ||
    die "the set's run gives $(grep -E '^(points|name)' <<<"$out" | tr '\n' ' ')"
grep -q 'Loaded level "duet.zxl:2"!' <<<"$out" || die "the set's second level was not played"
echo "ok: the set in %LOCALAPPDATA%\\zembrix\\levels is played: 195 points for Duet"
