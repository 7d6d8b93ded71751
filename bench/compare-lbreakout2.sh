#!/bin/bash
# Compares Zembrix with LBreakout2 (Debian's lbreakout2, default settings: a 640 x 480 window,
# no frame limit) as whole processes under Xvfb, one after the other: start to the first frame
# with content, resident memory after 5 s in the menu, and processor seconds over 10 s idle in
# the menu and over 10 s of play. Prints a table and the ratios Zembrix / LBreakout2.
#
#   bench/compare-lbreakout2.sh [BIN_DIR]     BIN_DIR holds zembrix and data.zxp
#                                             (default: build/release/bin of this checkout)
#
# Installs nothing: it needs the packages lbreakout2, xvfb, xdotool and python3 (for reading
# the screen through libX11).
set -u

here=$(cd "$(dirname "$0")/.." && pwd)
bin_dir=${1:-$here/build/release/bin}

missing=()
dpkg-query -W -f='${Status}' lbreakout2 2>/dev/null | grep -q "install ok installed" ||
    missing+=(lbreakout2)
command -v Xvfb > /dev/null || missing+=(xvfb)
command -v xdotool > /dev/null || missing+=(xdotool)
command -v python3 > /dev/null || missing+=(python3)
if [ ${#missing[@]} -gt 0 ]; then
    echo "missing packages; install them with: apt-get install -y ${missing[*]}" >&2
    exit 2
fi
if [ ! -x "$bin_dir/zembrix" ] || [ ! -f "$bin_dir/data.zxp" ]; then
    echo "no zembrix and data.zxp in $bin_dir (build the release preset first)" >&2
    exit 2
fi
bin_dir=$(cd "$bin_dir" && pwd)

work=$(mktemp -d /tmp/zembrix-compare-XXXXXX)
tick=$(getconf CLK_TCK)
xvfb_pid=""
game_pid=""
guard_pid=""

cleanup() {
    stop_game
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2> /dev/null && wait "$xvfb_pid" 2> /dev/null
    rm -rf "$work"
}
trap cleanup EXIT

now_ms() {
    echo $(($(date +%s%N) / 1000000))
}

# A fresh X server on a free display, its root window black.
start_xvfb() {
    local n=90
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do
        n=$((n + 1))
    done
    Xvfb ":$n" -screen 0 1024x768x24 -br -nolisten tcp > "$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    for _ in $(seq 100); do
        [ -S "/tmp/.X11-unix/X$n" ] && return 0
        sleep 0.05
    done
    echo "Xvfb did not start" >&2
    exit 1
}

stop_xvfb() {
    kill "$xvfb_pid" 2> /dev/null
    wait "$xvfb_pid" 2> /dev/null
    xvfb_pid=""
}

# Processor ticks (user + system) of a process; the fields after the command's closing bracket.
cpu_ticks() {
    local stat
    stat=$(cat "/proc/$1/stat" 2> /dev/null) || { echo 0; return; }
    stat=${stat##*) }
    read -r -a fields <<< "$stat"
    echo $((fields[11] + fields[12]))
}

rss_kib() {
    awk '/^VmRSS:/ { print $2 }' "/proc/$1/status" 2> /dev/null
}

# Starts a game (arguments: working directory, then the command) in a process group of its own
# under timeout, which ends it (forcibly 3 s after asking) when stop_game asks or after 120 s;
# game_pid is the game itself.
start_game() {
    local dir=$1
    shift
    (cd "$dir" && exec env SDL_AUDIODRIVER=dummy HOME="$work/home" timeout -k 3 120 "$@") \
        > "$work/game.log" 2>&1 &
    guard_pid=$!
    game_pid=""
    for _ in $(seq 200); do
        game_pid=$(pgrep -P "$guard_pid" | head -n 1)
        [ -n "$game_pid" ] && return 0
        sleep 0.005
    done
    return 1
}

stop_game() {
    [ -n "$guard_pid" ] && kill "$guard_pid" 2> /dev/null && wait "$guard_pid" 2> /dev/null
    guard_pid=""
    game_pid=""
}

# Writes a poller that reads the whole screen (XGetImage, as xwd does) every 5 ms until it shows
# more than one colour, then writes that moment (epoch ms) to the file given; "ready" first,
# once it is connected. Far finer than a screenshot tool started for each look.
write_poller() {
    cat > "$work/poll.py" << 'EOF_POLL'
import ctypes, sys, time
x = ctypes.CDLL("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XOpenDisplay.argtypes = [ctypes.c_char_p]
x.XDefaultRootWindow.restype = ctypes.c_ulong
x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x.XGetImage.restype = ctypes.c_void_p
x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                        ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
x.XFree.argtypes = [ctypes.c_void_p]
class XImage(ctypes.Structure):
    _fields_ = [(name, ctypes.c_int) for name in ("width", "height", "xoffset", "format")] + \
               [("data", ctypes.c_void_p)] + \
               [(name, ctypes.c_int) for name in ("byte_order", "bitmap_unit", "bitmap_bit_order",
                                                  "bitmap_pad", "depth", "bytes_per_line")]
display = x.XOpenDisplay(None)
root = x.XDefaultRootWindow(display)
out = sys.argv[1]
open(out + ".ready", "w").close()
end = time.time() + 10
seen = "n/a"
while time.time() < end:
    image = x.XGetImage(display, root, 0, 0, 1024, 768, 0xFFFFFFFF, 2)  # ZPixmap
    taken = time.time()
    fields = XImage.from_address(image)
    size = fields.bytes_per_line * fields.height
    pixels = ctypes.string_at(fields.data, size)
    x.XFree(ctypes.c_void_p(fields.data))
    x.XFree(ctypes.c_void_p(image))
    if pixels != pixels[:4] * (size // 4):
        seen = "%.0f" % (taken * 1000)
        break
    time.sleep(0.005)
with open(out, "w") as f:
    f.write(seen + "\n")
EOF_POLL
}

# Processor seconds the game spends over `seconds` while `action` runs (or sleeping).
cpu_seconds_over() {
    local before after
    before=$(cpu_ticks "$game_pid")
    "$@"
    after=$(cpu_ticks "$game_pid")
    awk -v t="$((after - before))" -v hz="$tick" 'BEGIN { printf "%.2f", t / hz }'
}

idle_10s() {
    sleep 10
}

# Holds one key, then the other, a quarter of a second each for 10 s (the bat swings about the
# middle and returns the ball now and then), tapping the fire key at each change so that a lost
# ball comes back into play.
play_10s() {
    local left=$1 right=$2 fire=$3
    for _ in $(seq 20); do
        xdotool key "$fire" keydown "$right"
        sleep 0.25
        xdotool keyup "$right" key "$fire" keydown "$left"
        sleep 0.25
        xdotool keyup "$left"
    done
}

zembrix_window() {
    xdotool search --sync --onlyvisible --pid "$game_pid" 2> /dev/null | head -n 1
}

# Zembrix: Graj at (400, 272) of its window, then Space launches the ball; a and d move the bat.
zembrix_play() {
    local window
    window=$(zembrix_window)
    xdotool mousemove --window "$window" 400 272 click 1
    sleep 0.5
    play_10s a d space
}

# LBreakout2: with the pointer in its window, Down selects "Local Game", Return opens it, two
# Downs select "Start Original Set", Return starts level 1; Space fires, the arrows move.
lbreakout2_play() {
    local window
    window=$(xdotool search --sync --onlyvisible --pid "$game_pid" 2> /dev/null | head -n 1)
    xdotool mousemove --window "$window" 600 150
    for key in Down Return Down Down Return; do
        xdotool key "$key"
        sleep 0.3
    done
    sleep 1.5
    play_10s Left Right space
}

# Measures one game: name, play function, working directory, command. Sets the result_* values.
measure() {
    local name=$1 play=$2 dir=$3
    shift 3
    local attempt start_ms poller_pid seen
    for attempt in 1 2 3; do
        mkdir -p "$work/home"
        start_xvfb
        rm -f "$work/first" "$work/first.ready"
        python3 "$work/poll.py" "$work/first" &
        poller_pid=$!
        for _ in $(seq 200); do
            [ -e "$work/first.ready" ] && break
            sleep 0.01
        done
        start_ms=$(now_ms)
        start_game "$dir" "$@" || { kill "$poller_pid"; stop_xvfb; continue; }
        wait "$poller_pid"
        seen=$(cat "$work/first" 2> /dev/null || echo n/a)
        result_first=$([ "$seen" = "n/a" ] && echo n/a || echo $((seen - start_ms)))
        sleep "$(awk -v ms="$((5000 - ($(now_ms) - start_ms)))" 'BEGIN { print (ms > 0 ? ms / 1000 : 0) }')"
        if ! kill -0 "$game_pid" 2> /dev/null; then
            # LBreakout2 now and then ends itself at start-up ("Fatal STK Error!"): try again.
            echo "$name ended at start-up (attempt $attempt): $(tail -n 1 "$work/game.log")" >&2
            stop_game
            stop_xvfb
            rm -rf "${work:?}/home"
            continue
        fi
        result_rss=$(rss_kib "$game_pid")
        result_idle=$(cpu_seconds_over idle_10s)
        result_play=$(cpu_seconds_over "$play")
        stop_game
        stop_xvfb
        rm -rf "${work:?}/home"
        return 0
    done
    echo "$name could not be measured" >&2
    exit 1
}

mkdir -p "$work/zembrix"
cp "$bin_dir/data.zxp" "$work/zembrix/"
write_poller

measure LBreakout2 lbreakout2_play "$work" /usr/games/lbreakout2
lb_first=$result_first lb_rss=$result_rss lb_idle=$result_idle lb_play=$result_play
measure Zembrix zembrix_play "$work/zembrix" "$bin_dir/zembrix"
zx_first=$result_first zx_rss=$result_rss zx_idle=$result_idle zx_play=$result_play

echo "Machine: $(grep -m 1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //'), $(nproc) cores"
awk -v lf="$lb_first" -v zf="$zx_first" -v lr="$lb_rss" -v zr="$zx_rss" -v li="$lb_idle" \
    -v zi="$zx_idle" -v lp="$lb_play" -v zp="$zx_play" 'BEGIN {
    met = 1;
    printf "%-36s %12s %12s %10s\n", "", "LBreakout2", "Zembrix", "ratio";
    row("start to first content (ms)", lf, zf, "%12.0f");
    row("resident memory after 5 s (MiB)", lr / 1024, zr / 1024, "%12.1f");
    row("CPU s over 10 s idle in the menu", li, zi, "%12.2f");
    row("CPU s over 10 s of play", lp, zp, "%12.2f");
    printf "goal (ratio <= 0.50 in every row): %s\n", met ? "met" : "not met";
}
function row(label, l, z, f) {
    if (l == "n/a" || z == "n/a" || l + 0 == 0) {
        printf "%-36s %12s %12s %10s\n", label, l, z, "n/a";
        met = 0;
        return;
    }
    printf "%-36s " f " " f " %10.2f\n", label, l, z, z / l;
    if (z / l > 0.5) { met = 0 }
}'
