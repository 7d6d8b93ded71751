#!/bin/bash
# Compares Zembrix with LBreakout2 (Debian's lbreakout2, default settings: a 640 x 480 window,
# no frame limit) as whole processes under Xvfb, one after the other: start to the first frame
# with content, resident memory after 5 s in the menu, and processor seconds over 10 s idle in
# the menu and over 10 s of play. Each game is measured RUNS times (default 5), alternately,
# and the medians are printed in a table with the ratios Zembrix / LBreakout2. Zembrix is also
# played in full screen on a 1920 x 1080 screen under openbox (processor seconds over 10 s of
# play, beside its figure in the window; the goal there is at most 1.0 s). The start of
# bench/bare/BareWindow (SDL's video, a window and one software-rendered frame, nothing else)
# is measured beside them as the floor that every SDL2 game starts from on this machine.
#
#   [RUNS=5] [PEER=PEER_BIN_DIR] bench/compare-lbreakout2.sh [BIN_DIR]
#       BIN_DIR holds zembrix and data.zxp (default: build/release/bin of this checkout); the
#       bare window is BIN_DIR/../bench/zx_bare_window, built with them.
#       PEER names another build's folder of zembrix and data.zxp (one from before a change, say)
#       that takes LBreakout2's place: the two builds are measured alternately the same way, and
#       the full screen is left out. The table then gives both builds' figures, the ratios this
#       build / the peer, and each build's start against the bare window's.
#       START_ONLY=1 measures the start to the first content alone (no memory, idle or play), so
#       that many runs (RUNS=25, say) take a few minutes: medians and ratios to the bare window.
#
# Installs nothing: it needs the packages lbreakout2 (not with PEER), xvfb, xdotool, python3,
# libxdamage1 (for watching the screen through libX11) and openbox (for the full screen).
set -u

here=$(cd "$(dirname "$0")/.." && pwd)
bin_dir=${1:-$here/build/release/bin}

peer=${PEER:-}
if [ -n "$peer" ]; then
    if [ ! -x "$peer/zembrix" ] || [ ! -f "$peer/data.zxp" ]; then
        echo "no zembrix and data.zxp in $peer (PEER)" >&2
        exit 2
    fi
    peer=$(cd "$peer" && pwd)
fi

missing=()
[ -n "$peer" ] || dpkg-query -W -f='${Status}' lbreakout2 2>/dev/null | grep -q "install ok installed" ||
    missing+=(lbreakout2)
command -v Xvfb > /dev/null || missing+=(xvfb)
command -v xdotool > /dev/null || missing+=(xdotool)
command -v python3 > /dev/null || missing+=(python3)
command -v openbox > /dev/null || missing+=(openbox)
python3 -c 'import ctypes; ctypes.CDLL("libXdamage.so.1")' 2> /dev/null || missing+=(libxdamage1)
if [ ${#missing[@]} -gt 0 ]; then
    echo "missing packages; install them with: apt-get install -y ${missing[*]}" >&2
    exit 2
fi
bare=$bin_dir/../bench/zx_bare_window
if [ ! -x "$bin_dir/zembrix" ] || [ ! -f "$bin_dir/data.zxp" ] || [ ! -x "$bare" ]; then
    echo "no zembrix, data.zxp and ../bench/zx_bare_window in $bin_dir (build the release preset first)" >&2
    exit 2
fi
bin_dir=$(cd "$bin_dir" && pwd)
bare=$(cd "$(dirname "$bare")" && pwd)/zx_bare_window
runs=${RUNS:-5}
if ! [[ $runs =~ ^[1-9][0-9]*$ ]]; then
    echo "RUNS must be a whole number from 1 up" >&2
    exit 2
fi

work=$(mktemp -d /tmp/zembrix-compare-XXXXXX)
tick=$(getconf CLK_TCK)
xvfb_pid=""
wm_pid=""
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

# The screen's size, and whether a window manager runs on it (the full-screen measurement
# sets both).
screen=1024x768
with_wm=""

# A fresh X server on a free display, its root window black; openbox on it when with_wm is set.
start_xvfb() {
    local n=90
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do
        n=$((n + 1))
    done
    Xvfb ":$n" -screen 0 "${screen}x24" -br -nolisten tcp > "$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    for _ in $(seq 100); do
        if [ -S "/tmp/.X11-unix/X$n" ]; then
            [ -z "$with_wm" ] || start_wm
            return 0
        fi
        sleep 0.05
    done
    echo "Xvfb did not start" >&2
    exit 1
}

# Starts openbox and waits (up to 10 s) until it manages the screen.
start_wm() {
    XDG_CONFIG_HOME=$work/openbox openbox --sm-disable > "$work/openbox.log" 2>&1 &
    wm_pid=$!
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2> /dev/null | grep -q 'window id' && return 0
        sleep 0.1
    done
    echo "openbox did not start" >&2
    exit 1
}

stop_xvfb() {
    [ -n "$wm_pid" ] && kill "$wm_pid" 2> /dev/null && wait "$wm_pid" 2> /dev/null
    wm_pid=""
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
    (cd "$dir" && exec env -u XDG_CONFIG_HOME SDL_AUDIODRIVER=dummy HOME="$work/home" timeout -k 3 120 "$@") \
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

# Writes a watcher that asks the X server to report changes of the screen (the DAMAGE
# extension) and reads the whole screen (XGetImage, as xwd does) after each, until it shows more
# than one colour; it then writes the moment that change was reported (epoch ms) to the file
# given, having written "ready" first, once it is connected. Waiting for reports instead of
# reading the screen over and over leaves both processor cores to the game and the X server.
write_poller() {
    cat > "$work/poll.py" << 'EOF_POLL'
import ctypes, select, sys, time
x = ctypes.CDLL("libX11.so.6")
xdamage = ctypes.CDLL("libXdamage.so.1")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XOpenDisplay.argtypes = [ctypes.c_char_p]
x.XDefaultRootWindow.restype = ctypes.c_ulong
x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x.XGetImage.restype = ctypes.c_void_p
x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                        ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
x.XFree.argtypes = [ctypes.c_void_p]
x.XFlush.argtypes = [ctypes.c_void_p]
x.XPending.argtypes = [ctypes.c_void_p]
x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
x.XConnectionNumber.argtypes = [ctypes.c_void_p]
xdamage.XDamageQueryExtension.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int),
                                          ctypes.POINTER(ctypes.c_int)]
xdamage.XDamageCreate.restype = ctypes.c_ulong
xdamage.XDamageCreate.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int]
xdamage.XDamageSubtract.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong,
                                    ctypes.c_ulong]
class XImage(ctypes.Structure):
    _fields_ = [(name, ctypes.c_int) for name in ("width", "height", "xoffset", "format")] + \
               [("data", ctypes.c_void_p)] + \
               [(name, ctypes.c_int) for name in ("byte_order", "bitmap_unit", "bitmap_bit_order",
                                                  "bitmap_pad", "depth", "bytes_per_line")]
def has_content(display, root):
    image = x.XGetImage(display, root, 0, 0, 1024, 768, 0xFFFFFFFF, 2)  # ZPixmap
    fields = XImage.from_address(image)
    size = fields.bytes_per_line * fields.height
    pixels = ctypes.string_at(fields.data, size)
    x.XFree(ctypes.c_void_p(fields.data))
    x.XFree(ctypes.c_void_p(image))
    return pixels != pixels[:4] * (size // 4)
display = x.XOpenDisplay(None)
root = x.XDefaultRootWindow(display)
base, error = ctypes.c_int(), ctypes.c_int()
if not xdamage.XDamageQueryExtension(display, ctypes.byref(base), ctypes.byref(error)):
    sys.exit("the X server has no DAMAGE extension")
damage = xdamage.XDamageCreate(display, root, 3)  # XDamageReportNonEmpty
x.XFlush(display)
out = sys.argv[1]
open(out + ".ready", "w").close()
event = ctypes.create_string_buffer(192)  # an XEvent
end = time.time() + 10
seen = "n/a"
while seen == "n/a" and time.time() < end:
    if x.XPending(display) == 0:
        select.select([x.XConnectionNumber(display)], [], [], 0.5)
        continue
    x.XNextEvent(display, event)
    reported = time.time()
    while x.XPending(display):
        x.XNextEvent(display, event)
    xdamage.XDamageSubtract(display, damage, 0, 0)  # report the next change again
    if has_content(display, root):
        seen = "%.1f" % (reported * 1000)
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

# Zembrix: Graj at (400, 272) of its picture (graj_at: where the window shows it), then Space
# launches the ball; a and d move the bat.
graj_at="400 272"
zembrix_play() {
    local window
    window=$(zembrix_window)
    # shellcheck disable=SC2086
    xdotool mousemove --window "$window" $graj_at click 1
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

# Starts the watcher on a fresh X server, then the command (working directory, then the command)
# and sets result_first to the milliseconds from the start to the first content, or n/a. The
# game is left running; false when it could not be started.
start_and_watch() {
    local dir=$1 poller_pid seen start_ms
    shift
    start_xvfb
    rm -f "$work/first" "$work/first.ready"
    python3 "$work/poll.py" "$work/first" &
    poller_pid=$!
    for _ in $(seq 200); do
        [ -e "$work/first.ready" ] && break
        sleep 0.01
    done
    start_ms=$(now_ms)
    start_game "$dir" "$@" || { kill "$poller_pid"; stop_xvfb; return 1; }
    wait "$poller_pid"
    seen=$(cat "$work/first" 2> /dev/null || echo n/a)
    result_first=n/a
    if [ "$seen" != n/a ]; then
        result_first=$(awk -v seen="$seen" -v start="$start_ms" 'BEGIN { printf "%.0f", seen - start }')
    fi
    result_start_ms=$start_ms
    return 0
}

# Measures one game: name, play function, working directory, command. Sets the result_* values.
measure() {
    local name=$1 play=$2 dir=$3
    shift 3
    local attempt
    for attempt in 1 2 3; do
        mkdir -p "$work/home"
        start_and_watch "$dir" "$@" || continue
        sleep "$(awk -v ms="$((5000 - ($(now_ms) - result_start_ms)))" 'BEGIN { print (ms > 0 ? ms / 1000 : 0) }')"
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

# A start to its first content alone (working directory, then the command); sets result_first.
measure_first() {
    local dir=$1
    shift
    start_and_watch "$dir" "$@" || { result_first=n/a; return; }
    stop_game
    stop_xvfb
}

# The bare window's start to its first content; sets result_first.
measure_bare() {
    measure_first "$work" "$bare"
}

# The median of the numbers given (n/a when any is n/a).
median() {
    printf '%s\n' "$@" | sort -g | awk '
        /n\/a/ { bad = 1 } { v[NR] = $1 }
        END { if (bad || NR == 0) print "n/a"; else print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'
}

mkdir -p "$work/zembrix"
cp "$bin_dir/data.zxp" "$work/zembrix/"
if [ -n "$peer" ]; then
    mkdir -p "$work/peer"
    cp "$peer/data.zxp" "$work/peer/"
fi
write_poller

lb_first=() lb_rss=() lb_idle=() lb_play=() zx_first=() zx_rss=() zx_idle=() zx_play=()
zx_full=()
bare_first=()
if [ -n "${START_ONLY:-}" ]; then
    for run in $(seq "$runs"); do
        if [ -n "$peer" ]; then
            measure_first "$work/peer" "$peer/zembrix"
        else
            measure_first "$work" /usr/games/lbreakout2
        fi
        lb_first+=("$result_first")
        measure_first "$work/zembrix" "$bin_dir/zembrix"
        zx_first+=("$result_first")
        measure_bare
        bare_first+=("$result_first")
        echo "run $run of $runs: first content ${peer:+peer}${peer:-LBreakout2} ${lb_first[-1]} ms, Zembrix ${zx_first[-1]} ms, bare window ${bare_first[-1]} ms" >&2
    done
    echo "Machine: $(grep -m 1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //'), $(nproc) cores; medians of $runs runs, start to first content only"
    awk -v pf="$(median "${lb_first[@]}")" -v zf="$(median "${zx_first[@]}")" \
        -v bf="$(median "${bare_first[@]}")" -v peer="${peer:-LBreakout2}" 'BEGIN {
        printf "bare SDL2 window %.0f ms; %s %.0f ms (%.2f of the bare window); this Zembrix %.0f ms (%.2f)\n",
            bf, peer, pf, pf / bf, zf, zf / bf;
    }'
    exit 0
fi
for run in $(seq "$runs"); do
    if [ -n "$peer" ]; then
        measure "the peer build" zembrix_play "$work/peer" "$peer/zembrix"
    else
        measure LBreakout2 lbreakout2_play "$work" /usr/games/lbreakout2
    fi
    lb_first+=("$result_first") lb_rss+=("$result_rss") lb_idle+=("$result_idle")
    lb_play+=("$result_play")
    measure Zembrix zembrix_play "$work/zembrix" "$bin_dir/zembrix"
    zx_first+=("$result_first") zx_rss+=("$result_rss") zx_idle+=("$result_idle")
    zx_play+=("$result_play")
    if [ -z "$peer" ]; then
        # Full screen: the picture at 7/4 from (260, 8), so Graj's middle is at (960, 484).
        screen=1920x1080 with_wm=1 graj_at="960 484" measure "Zembrix in full screen" \
            zembrix_play "$work/zembrix" "$bin_dir/zembrix" --fullscreen
        zx_full+=("$result_play")
    fi
    measure_bare
    bare_first+=("$result_first")
    echo "run $run of $runs: first content ${peer:+peer }${peer:-LBreakout2} ${lb_first[-1]} ms, Zembrix ${zx_first[-1]} ms, bare window ${bare_first[-1]} ms" >&2
done

if [ -n "$peer" ]; then
    echo "Machine: $(grep -m 1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //'), $(nproc) cores; medians of $runs runs"
    echo "peer: $peer"
    echo "this: $bin_dir"
    awk -v pf="$(median "${lb_first[@]}")" -v zf="$(median "${zx_first[@]}")" \
        -v bf="$(median "${bare_first[@]}")" -v pr="$(median "${lb_rss[@]}")" \
        -v zr="$(median "${zx_rss[@]}")" -v pi="$(median "${lb_idle[@]}")" \
        -v zi="$(median "${zx_idle[@]}")" -v pp="$(median "${lb_play[@]}")" \
        -v zp="$(median "${zx_play[@]}")" 'BEGIN {
        printf "%-36s %12s %12s %10s\n", "", "peer", "this", "ratio";
        row("start to first content (ms)", pf, zf, "%12.0f");
        row("resident memory after 5 s (MiB)", pr / 1024, zr / 1024, "%12.1f");
        row("CPU s over 10 s idle in the menu", pi, zi, "%12.2f");
        row("CPU s over 10 s of play", pp, zp, "%12.2f");
        if (bf != "n/a" && bf + 0 > 0 && pf != "n/a" && zf != "n/a")
            printf "bare SDL2 window: first content after %.0f ms; peer %.2f, this %.2f times that\n",
                bf, pf / bf, zf / bf;
    }
    function row(label, p, z, f) {
        if (p == "n/a" || z == "n/a" || p + 0 == 0) {
            printf "%-36s %12s %12s %10s\n", label, p, z, "n/a";
            return;
        }
        printf "%-36s " f " " f " %10.2f\n", label, p, z, z / p;
    }'
    exit 0
fi

echo "Machine: $(grep -m 1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //'), $(nproc) cores; medians of $runs runs"
awk -v lf="$(median "${lb_first[@]}")" -v zf="$(median "${zx_first[@]}")" \
    -v bf="$(median "${bare_first[@]}")" -v lr="$(median "${lb_rss[@]}")" \
    -v zr="$(median "${zx_rss[@]}")" -v li="$(median "${lb_idle[@]}")" \
    -v zi="$(median "${zx_idle[@]}")" -v lp="$(median "${lb_play[@]}")" \
    -v zp="$(median "${zx_play[@]}")" -v zfull="$(median "${zx_full[@]}")" 'BEGIN {
    met = 1;
    printf "%-36s %12s %12s %10s\n", "", "LBreakout2", "Zembrix", "ratio";
    row("start to first content (ms)", lf, zf, "%12.0f");
    row("resident memory after 5 s (MiB)", lr / 1024, zr / 1024, "%12.1f");
    row("CPU s over 10 s idle in the menu", li, zi, "%12.2f");
    row("CPU s over 10 s of play", lp, zp, "%12.2f");
    printf "goal (ratio <= 0.50 in every row): %s\n", met ? "met" : "not met";
    printf "Zembrix in full screen (1920 x 1080): CPU s over 10 s of play %.2f (%.2f in its window); goal <= 1.00: %s\n",
        zfull, zp, zfull != "n/a" && zfull + 0 <= 1.0 ? "met" : "not met";
    if (bf != "n/a" && lf != "n/a" && lf + 0 > 0)
        printf "floor: a bare SDL2 window shows its first content after %.0f ms (%.2f of LBreakout2)\n", bf, bf / lf;
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
