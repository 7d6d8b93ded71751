# Shared steps of the end-to-end tests: a private Xvfb display, waiting for windows, screenshots.
# Sourced by the test scripts; each test runs in its own temporary folder.

set -euo pipefail

work=$(mktemp -d)
xvfb_pid=
game_pid=

cleanup() {
    [[ -n "$game_pid" ]] && kill "$game_pid" 2>/dev/null || true
    [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

die() {
    echo "FAIL: $*" >&2
    exit 1
}

# Starts Xvfb on a free display and exports DISPLAY.
start_x() {
    local fifo=$work/display
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    local number
    read -r -t 20 number <"$fifo" || die "Xvfb did not start"
    export DISPLAY=":$number"
    unset SDL_VIDEODRIVER SDL_RENDER_DRIVER
}

# Lists the mapped top-level windows named exactly $1 as "id widthxheight" lines. (xdotool's
# search misses windows without a class, such as SDL's message boxes.)
windows_named() {
    xwininfo -root -children 2>/dev/null | awk -v want="\"$1\":" '$2 == want {print $1, $(NF-1)}' |
        while read -r id geometry; do
            if xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable'; then
                echo "$id ${geometry%%+*}"
            fi
        done
}

# Prints the id of the first mapped window named exactly $1 (and, when $3 is given, of size $3),
# waiting up to $2 seconds.
wait_window() {
    local name=$1 seconds=${2:-20} size=${3:-} id
    for ((i = 0; i < seconds * 10; i++)); do
        if [[ -n "$size" ]]; then
            id=$(windows_named "$name" | awk -v s="$size" '$2 == s {print $1; exit}')
        else
            id=$(windows_named "$name" | awk '{print $1; exit}')
        fi
        if [[ -n "$id" ]]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# Waits up to $2 seconds for the game (game_pid) to end; sets exit_code and clears game_pid.
# False when it is still running.
wait_game_exit() {
    local seconds=${1:-20}
    for ((i = 0; i < seconds * 10; i++)); do
        if ! kill -0 "$game_pid" 2>/dev/null; then
            exit_code=0
            wait "$game_pid" || exit_code=$?
            game_pid=
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# Writes a PNG of window $1 to $2.
screenshot() {
    import -window "$1" "$2"
}

# Prints the colour of pixel ($2, $3) of PNG $1 as rrggbb.
pixel() {
    convert "$1" -format "%[hex:p{$2,$3}]" info: | tail -c 6
}

# Starts the game in folder $2 (which must hold data.zxp) with the binary $1 and sets game_pid;
# its output goes to stdout.log and stderr.log there. Then wait for its window with
# `wait_window Zembrix 30 800x608`.
start_game() {
    (cd "$2" && exec "$1") >"$2/stdout.log" 2>"$2/stderr.log" &
    game_pid=$!
}

# Moves the mouse to ($2, $3) inside window $1 and clicks the left button.
click() {
    xdotool mousemove --window "$1" "$2" "$3"
    sleep 0.2
    xdotool click --window "$1" 1
    sleep 0.3
}

# Presses and releases key $2 in window $1.
key() {
    xdotool key --window "$1" "$2"
    sleep 0.3
}

# True when colours $1 and $2 (rrggbb) differ by at most $3 in every channel.
near() {
    local a=$1 b=$2 tolerance=$3
    for i in 0 2 4; do
        local x=$((16#${a:$i:2})) y=$((16#${b:$i:2}))
        local d=$((x > y ? x - y : y - x))
        ((d <= tolerance)) || return 1
    done
}
