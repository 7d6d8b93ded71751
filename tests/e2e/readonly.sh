#!/usr/bin/env bash
# A game started in a folder that holds data.zxp and a score table but takes no file (a read-only
# bind mount, which needs root; skipped otherwise): it reads the table beside the pack, keeps its
# own in the player's data folder ($XDG_DATA_HOME/zembrix, or %LOCALAPPDATA%\zembrix for the
# Windows program), leaves the folder as it was, and a second start reads the table from there.
# Usage: readonly.sh ZEMBRIX XCLOSE PACK
source "$(dirname "$0")/lib.sh"
game_arguments "$@"

# The table of one record, "Ola" with 500 points.
write_one() {
    { printf '\x01\x00\x00\x00Ola'; head -c 29 /dev/zero; printf '\xf4\x01\x00\x00'; } >"$1"
}

# Starts the game in the read-only folder, waits for its menu and closes it; exit code 0.
start_and_close() {
    start_game "$game" "$work/ro" "$work/$1"
    window=$(wait_window Zembrix 60 800x608) || die "no game window ($1)"
    poll 60 menu_shown "$window" || die "no menu ($1)"
    close_game
}

mkdir "$work/src" "$work/ro" "$work/first" "$work/second"
cp "$pack" "$work/src/data.zxp"
write_one "$work/src/scoreboard.zxs"
cp "$work/src/scoreboard.zxs" "$work/beside.zxs"
if ! mount --bind "$work/src" "$work/ro" 2>/dev/null; then
    echo "skipped: no bind mount here (needs root)"
    exit 77
fi
trap 'umount "$work/ro" 2>/dev/null || true; cleanup' EXIT
mount -o remount,ro,bind "$work/ro" || die "cannot make the bind mount read-only"

if [[ "$game" == *.exe ]]; then
    folder=$(wine_local_data)/zembrix || die "no AppData/Local folder in the Wine prefix"
    rm -rf "$folder"
else
    export XDG_DATA_HOME=$work/data
    folder=$XDG_DATA_HOME/zembrix
fi

start_x
start_and_close first
grep -qx 'num = 1' <(tr -d '\r' <"$work/first/stdout.log") ||
    die "the first start did not read the table beside the pack"
cmp -s "$folder/scoreboard.zxs" "$work/beside.zxs" ||
    die "the player's data folder does not hold the table ($folder)"
[[ "$(ls -A "$work/src")" == "$(printf 'data.zxp\nscoreboard.zxs')" ]] &&
    cmp -s "$work/src/scoreboard.zxs" "$work/beside.zxs" || die "the read-only folder changed"
echo "ok: the table beside the pack read, kept in $folder"

# An empty table beside the pack now: the second start reads the player's one all the same.
printf '\x00\x00\x00\x00' >"$work/src/scoreboard.zxs"
start_and_close second
grep -qx 'num = 1' <(tr -d '\r' <"$work/second/stdout.log") ||
    die "the second start did not read the table from $folder"
cmp -s "$folder/scoreboard.zxs" "$work/beside.zxs" || die "the second start changed the table"
echo "ok: the second start reads the table from the player's data folder"
