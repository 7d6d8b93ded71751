# Shared steps of the end-to-end tests: a private Xvfb display, waiting for windows, screenshots.
# Sourced by the test scripts; each test runs in its own temporary folder. Every wait is bounded:
# X clients run under `timeout`, and the waits give up as soon as the game has ended. A game
# path ending in ".exe" is the Windows program, run through Wine in the prefix $WINEPREFIX.
#
# Window manager: with ZX_E2E_WM=openbox or xfwm4 (the ctest registration sets it for the copy of
# a test named e2e_<name>_<wm>) start_x also runs that window manager on the display, as on a
# player's desktop, and waits until it manages windows; otherwise the display has no window
# manager. Tests read `$wm` (empty, "openbox" or "xfwm4") where they differ.
#
# Input goes as a player's does: real key presses and clicks through the X test extension
# (xdotool without --window) to the window that has the keyboard focus, every release matching
# its press. key, hold_key, type_text and click first give the named window the focus (a player
# clicks it or the window manager hands it over) and wait until it has it.

set -euo pipefail

# Reading the screen: screenshots turned into colours and recognised pictures.
source "$(dirname "${BASH_SOURCE[0]}")/screen.sh"
# The game's own steps: started in a folder, the menu, the play field, the question, the end.
source "$(dirname "${BASH_SOURCE[0]}")/steps.sh"

# The script's standard error, for die to report on even where a step's own is discarded.
exec 9>&2

work=$(mktemp -d)
# The game keeps its settings in the test's own folder, never in the tester's home.
export XDG_CONFIG_HOME=$work/config
# A system that names no language (C, in UTF-8 so that the X tools read the boxes' Polish
# captions): the game speaks Polish, whatever the tester's own language.
export LANG=C.UTF-8
unset LANGUAGE LC_ALL LC_MESSAGES
xvfb_pid=
game_pid=
game_program= # the game started last and its folder, named when a test fails
game_dir=
windows_game= # the game started last is the Windows program
wine_used=
wm=${ZX_E2E_WM:-}
wm_pid=
bus_pid= # the private session bus that xfwm4 keeps its settings through
keeper_pid= # a client that keeps the server from resetting its keyboard (polish_keyboard)
held_keys=() # keys pressed and not yet released, released at the end

cleanup() {
    if [[ -n "$game_pid" ]] && kill "$game_pid" 2>/dev/null; then
        # SDL turns the signal into a quit event, which waits while a dialog is open.
        ends_within "$game_pid" 2 || kill -9 "$game_pid" 2>/dev/null || true
    fi
    if [[ -n "$wine_used" ]]; then
        timeout 20 wineserver -k 2>/dev/null || true
    fi
    local held
    for held in "${held_keys[@]}"; do
        timeout 10 command xdotool keyup "$held" 2>/dev/null || true
    done
    if [[ -n "$keeper_pid" ]]; then
        kill "$keeper_pid" 2>/dev/null || true
    fi
    if [[ -n "$wm_pid" ]]; then
        kill -CONT "$wm_pid" 2>/dev/null || true # a test may have held it still
        kill "$wm_pid" 2>/dev/null || true
        wait "$wm_pid" 2>/dev/null || true
    fi
    if [[ -n "$bus_pid" ]]; then
        kill "$bus_pid" 2>/dev/null || true
    fi
    if [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null; then
        # Wait for the server to go: one still shutting down removes the lock and socket of its
        # display number, which the next test's server may already have taken, and that test's
        # clients then find no display.
        ends_within "$xvfb_pid" 5 || true
    fi
    # ZX_E2E_KEEP names a folder that receives the screenshots and logs, for a look afterwards.
    if [[ -n "${ZX_E2E_KEEP:-}" ]]; then
        mkdir -p "$ZX_E2E_KEEP" && cp -r "$work/." "$ZX_E2E_KEEP/" || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# Waits up to $2 seconds for process $1 to end; false when it still runs.
ends_within() {
    local i
    for ((i = 0; i < $2 * 10; i++)); do
        kill -0 "$1" 2>/dev/null || return 0
        sleep 0.1
    done
    return 1
}

die() {
    echo "FAIL (after ${SECONDS} s): $*" >&9
    if [[ -n "$xvfb_pid" ]] && ! kill -0 "$xvfb_pid" 2>/dev/null; then
        echo "-- the X server (Xvfb) has ended; its log:" >&9
        tail -n 20 "$work/xvfb.log" >&9 2>/dev/null || true
    fi
    if [[ -n "$game_program" ]]; then
        echo "-- the game started last: $game_program in $game_dir" >&9
    fi
    if [[ -n "${game_dir:-}" && -s "$game_dir/stderr.log" ]]; then
        echo "-- the game's standard error (last lines):" >&9
        tail -n 20 "$game_dir/stderr.log" >&9
    fi
    exit 1
}

# Runs X client "$@" within 10 seconds (the server may stop answering). Now and then, with
# several displays busy, a client is refused its connection ("Can't open display") while the
# server runs on; such a client is started again, up to three times in all.
x_client() {
    local attempt status
    for attempt in 1 2 3; do
        timeout 10 "$@" 2>"$work/x-client.err" && status=0 || status=$?
        if ((status != 0 && attempt < 3)) && grep -qi "open display" "$work/x-client.err" &&
            kill -0 "$xvfb_pid" 2>/dev/null; then
            sleep 0.5
            continue
        fi
        break
    done
    cat "$work/x-client.err" >&2
    return "$status"
}
xdotool() { x_client xdotool "$@"; }
xwininfo() { x_client xwininfo "$@"; }
xprop() { x_client xprop "$@"; }

# Takes the arguments every end-to-end test is given first (tests/e2e/CMakeLists.txt): the game,
# the close helper and the pack, as $game, $xclose and $pack with absolute paths.
game_arguments() {
    game=$(realpath "$1")
    xclose=$(realpath "$2")
    pack=$(realpath "$3")
}

# True while the game started last (game_pid) runs, or when none was started.
game_alive() {
    [[ -z "$game_pid" ]] || kill -0 "$game_pid" 2>/dev/null
}

# Ends the test when the game has ended while it was waited on.
require_game() {
    game_alive || die "the game ended unexpectedly"
}

# True once window $1 is gone or no longer mapped.
window_gone() {
    ! xwininfo -id "$1" 2>/dev/null | grep -q IsViewable
}

# Starts Xvfb on a free display (a screen of $ZX_E2E_SCREEN, 1024x768 unless the test sets it)
# and exports DISPLAY. The number is picked from a wide range by
# the test's process id rather than the lowest free one: a server of an earlier test that is
# still shutting down removes the socket of its number, which the lowest-free choice would hand
# straight to the next test, whose clients then find no display.
start_x() {
    local number= attempt candidate fifo
    for ((attempt = 0; attempt < 8; attempt++)); do
        candidate=$((100 + ($$ * 7 + attempt * 97) % 800))
        [[ -e /tmp/.X$candidate-lock || -e /tmp/.X11-unix/X$candidate ]] && continue
        fifo=$work/display-$attempt
        mkfifo "$fifo"
        Xvfb ":$candidate" -displayfd 3 -screen 0 "${ZX_E2E_SCREEN:-1024x768}x24" -nolisten tcp 3>"$fifo" \
            2>"$work/xvfb.log" &
        xvfb_pid=$!
        # A server that cannot take the number exits, closing the pipe: the read then fails.
        if read -r -t 20 number <"$fifo"; then
            break
        fi
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=
        number=
    done
    [[ -n "$number" ]] || die "Xvfb did not start"
    export DISPLAY=":$number"
    # The game draws into a real window of this display. Left to choose, SDL now and then (about
    # one start in eighty with several displays busy) ended up without a connection to the X server
    # and ran the game in no window at all, so the X11 driver is named. SDL_RENDER_DRIVER, when the
    # test sets it, chooses the renderer.
    export SDL_VIDEODRIVER=x11
    case "$wm" in
    "") ;;
    openbox) start_wm Openbox openbox --sm-disable ;;
    xfwm4)
        session_bus
        NO_AT_BRIDGE=1 start_wm Xfwm4 xfwm4 --compositor=off --sm-client-disable
        ;;
    *) die "unknown window manager ZX_E2E_WM=$wm" ;;
    esac
}

# Starts a private D-Bus session bus for the test (xfwm4 reads its settings through one, and ends
# without them); cleanup ends it.
session_bus() {
    local out
    out=$(timeout 10 dbus-daemon --session --fork --print-address=1 --print-pid=1 \
        </dev/null 2>"$work/bus.log") || die "no session bus: $(cat "$work/bus.log")"
    DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p <<<"$out")
    export DBUS_SESSION_BUS_ADDRESS
    bus_pid=$(sed -n 2p <<<"$out")
}

# Runs window manager $2... on the display with its stock settings (it keeps its files in the
# test's folder) and waits up to 20 seconds until it manages windows: it then names itself ($1) on
# the window that the root window's _NET_SUPPORTING_WM_CHECK points to. One refused its connection
# (see x_client) is started again, up to three times in all.
start_wm() {
    local name=$1 check attempt
    shift
    mkdir -p "$work/wm"
    for attempt in 1 2 3; do
        XDG_CONFIG_HOME=$work/wm XDG_CACHE_HOME=$work/wm "$@" >"$work/wm.log" 2>&1 &
        wm_pid=$!
        for ((i = 0; i < 200; i++)); do
            kill -0 "$wm_pid" 2>/dev/null || break
            check=$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | awk '/window id/ {print $NF}')
            if [[ -n "$check" ]] && xprop -id "$check" _NET_WM_NAME 2>/dev/null | grep -q "$name"; then
                return 0
            fi
            sleep 0.1
        done
        kill -0 "$wm_pid" 2>/dev/null && die "$name did not take the display within 20 s"
        wait "$wm_pid" 2>/dev/null || true
        wm_pid=
        grep -q "open the display\|open display" "$work/wm.log" || break
        sleep 0.5
    done
    die "$name ended at its start: $(cat "$work/wm.log")"
}

# Switches the display's keyboard to the Polish layout, whose AltGr level holds the Polish
# letters. xdotool then types them with keys of the layout; without them it rebinds a spare key
# for each letter and back, and a letter the game reads after the key was rebound is lost. The
# server sets its keyboard back to the default layout whenever its last client leaves (before the
# game starts, without a window manager), so a client that watches the root window stays
# connected until the end of the test, and the layout is checked afterwards.
polish_keyboard() {
    local attempt i
    for attempt in 1 2 3; do
        command xprop -root -spy >"$work/keeper.log" 2>&1 &
        keeper_pid=$!
        for ((i = 0; i < 100; i++)); do
            [[ -s "$work/keeper.log" ]] && break
            sleep 0.1
        done
        kill -0 "$keeper_pid" 2>/dev/null && break
    done
    setxkbmap -display "$DISPLAY" pl
    [[ "$(setxkbmap -display "$DISPLAY" -query | awk '$1 == "layout:" {print $2}')" == pl ]] ||
        die "the Polish keyboard layout did not hold"
}

# Types the UTF-8 text $2 into window $1, at a typist's pace: at xdotool's own (12 ms a key)
# SDL under load loses now and then a letter typed with AltGr. xdotool reads the text in a UTF-8
# locale whatever the test's own.
type_text() {
    focus_window "$1"
    LC_ALL=C.UTF-8 xdotool type --delay 100 "$2"
}

# Lists the mapped windows named exactly $1 as "id widthxheight" lines: the top-level ones, or
# under a window manager those in its frames. (xdotool's search misses windows without a class,
# such as SDL's message boxes.)
windows_named() {
    xwininfo -root -tree 2>/dev/null | awk -v want="\"$1\":" '$2 == want {print $1, $(NF-1)}' |
        while read -r id geometry; do
            if xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable'; then
                echo "$id ${geometry%%+*}"
            fi
        done
}

# Prints the id of the first mapped window named exactly $1 (and, when $3 is given, of size $3),
# waiting up to $2 seconds; false at once when the game has ended.
wait_window() {
    local name=$1 seconds=${2:-20} size=${3:-} id
    for ((i = 0; i < seconds * 10; i++)); do
        game_alive || return 1
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
    ends_within "$game_pid" "${1:-20}" || return 1
    exit_code=0
    wait "$game_pid" || exit_code=$?
    game_pid=
}

# Writes a PNG of window $1 to $2, within 10 seconds; ends the test when the game has ended.
screenshot() {
    require_game
    timeout 10 import -window "$1" "$2"
}

# Starts the game in folder $2 (which must hold data.zxp) with the binary $1 and sets game_pid;
# its output goes to stdout.log and stderr.log there (or in folder $3 when given); options for
# the game follow in $4 and after. Then wait for its window with
# `wait_window Zembrix 30 800x608`. The Windows program runs as on a Polish Windows, or in the
# locale $wine_locale when set (Wine takes the code page for programs without Unicode and the
# language of its boxes from it); SDL for Windows has its own video driver, whatever start_x chose
# for Linux.
start_game() {
    if [[ "$1" == *.exe ]]; then
        # A copy of the program in a folder of its own: beside the build's zembrix.exe lies a
        # pack, which the game would take when the working directory has none.
        local program=$work/program/${1##*/}
        if [[ ! -f "$program" ]]; then
            mkdir -p "$work/program"
            cp "$1" "${1%/*}/SDL2.dll" "$work/program/"
        fi
        windows_game=1
        wine_used=1
        (cd "$2" && exec env -u SDL_VIDEODRIVER LC_ALL="${wine_locale:-pl_PL.UTF-8}" wine "$program" "${@:4}") \
            >"${3:-$2}/stdout.log" 2>"${3:-$2}/stderr.log" &
    else
        windows_game=
        (cd "$2" && exec "$1" "${@:4}") >"${3:-$2}/stdout.log" 2>"${3:-$2}/stderr.log" &
    fi
    game_pid=$!
    game_program=$1
    game_dir=${3:-$2}
}

# Prints the client size of window $1 as WIDTHxHEIGHT.
size_of() {
    xwininfo -id "$1" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w "x" h}'
}

# Prints the folder of the Wine prefix that stands for %LOCALAPPDATA%, where the Windows program
# keeps its settings (and its scores, when its own folder cannot be written); false without one.
wine_local_data() {
    local folder
    folder=$(find "$WINEPREFIX/drive_c/users" -mindepth 3 -maxdepth 3 -path '*/AppData/Local' \
        ! -path '*/Public/*' | head -n 1)
    [[ -d "$folder" ]] && echo "$folder"
}

# Sets a value in the registry of the Wine prefix $WINEPREFIX ("$@": reg add's key and value
# arguments) and waits up to 120 s for Wine to settle, the prefix's files written.
wine_setting() {
    wine_used=1
    timeout 60 wine reg add "$@" /f >/dev/null 2>&1 || die "cannot set $* in the Wine prefix"
    timeout 120 wineserver -w || die "Wine did not settle after setting $*"
}

# Moves the mouse to ($2, $3) inside window $1 and clicks the left button there (button $4 when
# given). A window manager gives the window the focus on the click, as it does for a player.
click() {
    xdotool mousemove --window "$1" "$2" "$3"
    sleep 0.2
    xdotool click "${4:-1}"
    sleep 0.3
}

# True when window $1 has the keyboard focus.
has_focus() {
    local focused
    focused=$(xdotool getwindowfocus 2>/dev/null) || return 1
    ((focused == $1))
}

# Gives window $1 the keyboard focus, unless it has it, and waits until it has it (within
# x_client's 10 seconds). The focus is set directly, under a window manager too, which follows
# it; so the keys of a test never go to the window under the pointer by chance.
focus_window() {
    has_focus "$1" || xdotool windowfocus --sync "$1"
}

# Presses and releases key $2 in window $1 (a real key to the focused window). The press may
# close the window: the release then goes where the focus went, which is what a player's does.
key() {
    focus_window "$1"
    xdotool key "$2"
    sleep 0.3
}

# Presses key $1 down, to the window with the focus, until key_up; the end of the test releases a
# key still down, lest X repeat it for ever.
key_down() {
    xdotool keydown "$1"
    held_keys+=("$1")
}

# Releases key $1, pressed with key_down.
key_up() {
    xdotool keyup "$1"
    local kept=() held
    for held in "${held_keys[@]}"; do
        [[ "$held" == "$1" ]] || kept+=("$held")
    done
    held_keys=("${kept[@]}")
}

# Presses and releases key $2 in window $1 when the key closes that window: the same as key.
key_closing() {
    key "$@"
}

# Holds key $2 down in window $1 for $3 seconds; the focus may move in between (to a dialog).
hold_key() {
    focus_window "$1"
    key_down "$2"
    sleep "$3"
    key_up "$2"
}

# Prints the id of the top-level window that holds window $1: the window manager's frame around
# it, or the window itself without one.
top_level() {
    local id=$1 parent
    for ((i = 0; i < 8; i++)); do
        parent=$(xwininfo -children -id "$id" | grep 'Parent window id:') || return 1
        if [[ "$parent" == *"(the root window)"* ]]; then
            echo "$id"
            return 0
        fi
        id=$(awk '{print $4}' <<<"$parent")
    done
    return 1
}

# True when window $1 is stacked above window $2 (their top-level windows compared).
stacked_above() {
    local upper lower
    upper=$(top_level "$1") && lower=$(top_level "$2") || return 1
    # The root's children, which xwininfo lists from the top of the stack down.
    xwininfo -root -children | awk -v a="$upper" -v b="$lower" '
        $1 == b { seen_b = NR } $1 == a { seen_a = NR }
        END { exit !(seen_a && seen_b && seen_a < seen_b) }'
}

# Retries the command "$2 ..." every 0.2 s until it succeeds or $1 seconds have passed; false then.
# Ends the test when the game ends in the meantime.
poll() {
    local seconds=$1
    shift
    local end=$((SECONDS + seconds))
    until "$@"; do
        require_game
        ((SECONDS < end)) || return 1
        sleep 0.2
    done
}
