#!/bin/bash
# Times a newcomer's first command: scripts/play.sh in a fresh clone of this repository, on a
# machine that already has the packages, from the command to the game's window on a private
# Xvfb display. Prints the seconds, the build steps ninja ran and whether any test was built.
#
#   bench/play-start.sh [COMMIT]      (default: HEAD)
#
# The clone fetches what any fresh clone fetches (the font; before play.sh built only the game,
# also SDL2's source package). Needs xvfb and xdotool; installs nothing. The game is closed once
# its window shows; the scratch folder goes at the end.
set -u

here=$(cd "$(dirname "$0")/.." && pwd)
commit=$(git -C "$here" rev-parse "${1:-HEAD}") || exit 2
for tool in Xvfb xdotool; do
    command -v "$tool" > /dev/null || { echo "needs $tool (apt-get install -y xvfb xdotool)" >&2; exit 2; }
done

work=$(mktemp -d /tmp/zembrix-play-start-XXXXXX)
xvfb_pid=""
play_pid=""
cleanup() {
    [ -n "$play_pid" ] && kill -- "-$play_pid" 2> /dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2> /dev/null
    wait 2> /dev/null
    rm -rf "$work"
}
trap cleanup EXIT

git clone -q --no-checkout "$here" "$work/clone" && git -C "$work/clone" checkout -q "$commit" ||
    exit 1

n=70
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do
    n=$((n + 1))
done
Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp > "$work/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=":$n"
for _ in $(seq 100); do
    [ -S "/tmp/.X11-unix/X$n" ] && break
    sleep 0.05
done

start=$(date +%s%N)
# In a process group of its own (set -m), so that the build and the game end together.
set -m
(cd "$work/clone" && exec env SDL_AUDIODRIVER=dummy HOME="$work/home" \
    XDG_CONFIG_HOME="$work/home/config" timeout 3600 scripts/play.sh) > "$work/play.log" 2>&1 &
play_pid=$!
set +m
shown=""
while kill -0 "$play_pid" 2> /dev/null; do
    if xdotool search --onlyvisible --name '^Zembrix$' > /dev/null 2>&1; then
        shown=$(date +%s%N)
        break
    fi
    sleep 0.1
done
if [ -z "$shown" ]; then
    echo "the game's window never showed; the end of play.sh's output:" >&2
    tail -n 20 "$work/play.log" >&2
    exit 1
fi
steps=$(grep -c '^\[[0-9]*/[0-9]*\]' "$work/play.log")
tests=$(grep -c 'Linking CXX executable tests/' "$work/play.log")
awk -v ms="$(((shown - start) / 1000000))" -v steps="$steps" -v tests="$tests" \
    -v commit="${commit:0:7}" 'BEGIN {
    printf "%s: window after %.1f s; %d build steps, %d test programs linked\n", commit, ms / 1000, steps, tests
}'
