#!/usr/bin/env bash
# The page in Debian's Chromium (or firefox-esr, with ZEMBRIX_BROWSER=firefox), headless, driven
# through puppeteer-core (page.js): the Linux build's menu frame is taken first under Xvfb for
# the comparison; the site is served from 127.0.0.1 by a server this script starts and stops,
# beside a copy whose data.zxp is damaged.
# Usage: browser.sh SITE ZEMBRIX PACK NODE_MODULES
site=$(realpath "$1")
game=$(realpath "$2")
pack=$(realpath "$3")
modules=$(realpath "$4")
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../e2e/lib.sh"

server_pid=
stop_server() {
    if [[ -n "$server_pid" ]]; then
        kill "$server_pid" 2>/dev/null || true
        wait "$server_pid" 2>/dev/null || true
    fi
    cleanup
}
trap stop_server EXIT

# The Linux build's menu, the mouse away from the buttons: in Polish, and in German and English
# for the page in a German and a French browser.
start_x
for language in pl de en; do
    start_at_menu "$work/linux-$language" --lang "$language"
    xdotool mousemove --window "$window" 790 600
    sleep 1
    screenshot "$window" "$work/linux-menu-$language.png"
    kill "$game_pid"
    wait "$game_pid" 2>/dev/null || true
    game_pid=
done

# The recorded runs as the Linux build verifies them, for the page to give the same; a run named
# player-set-NAME.zxr played the set NAME.zxl beside it.
recorded=$here/../recorded
for file in "$recorded"/*.zxr; do
    levels=()
    [[ "${file##*/}" =~ ^player-set-(.+)\.zxr$ ]] && levels=("$recorded/${BASH_REMATCH[1]}.zxl")
    out=$(cd "$(dirname "$pack")" && "$game" --verify-replay "$file" "${levels[@]}" 2>/dev/null)
    printf '%s\t%s\n' "${file##*/}" \
        "$(grep -E '^(points|name|updates|differs)' <<<"$out" | sed -z 's/\n/\\n/g; s/\\n$//')"
done >"$work/linux-replays.txt"

# The site, and the same site with a pack whose every byte after the first 16 is flipped.
mkdir -p "$work/root/damaged"
ln -s "$site" "$work/root/game"
ln -s "$(realpath "$recorded")" "$work/root/recorded"
for file in "$site"/*; do
    [[ "${file##*/}" == data.zxp ]] || ln -s "$file" "$work/root/damaged/"
done
python3 -c 'import sys
data = bytearray(open(sys.argv[1], "rb").read())
data[16:] = bytes(b ^ 0xFF for b in data[16:])
open(sys.argv[2], "wb").write(data)' "$pack" "$work/root/damaged/data.zxp"

# A port of its own for the server, bound to 127.0.0.1 only.
port=$((20000 + $$ % 20000))
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$work/root" \
    >"$work/server.log" 2>&1 &
server_pid=$!
poll_server() { curl -s -o /dev/null "http://127.0.0.1:$port/game/index.html"; }
for ((i = 0; i < 50; i++)); do
    poll_server && break
    sleep 0.2
done
poll_server || die "the server did not start"

mkdir -p "$work/chromium"
XDG_CONFIG_HOME=$work/chromium XDG_CACHE_HOME=$work/chromium TMPDIR=$work/chromium \
    NODE_PATH=$modules timeout 600 node "$here/page.js" "http://127.0.0.1:$port" \
    "$work/linux-menu-pl.png" "$work" "$work/linux-replays.txt" || die "the page's test failed"
