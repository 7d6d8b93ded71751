#!/usr/bin/env bash
# The same speed on displays of every refresh rate: on Xorg with the dummy video driver at 50,
# 144 and 240 Hz (which SDL reports as a monitor's rate) and on Xvfb (none reported), a second
# of `d` held moves the bat as far as on Xvfb within 3 % (the mean of three holds), and the game
# makes 60 updates a second within 1 % over 20 s of play (the run's replay counts them, timed from
# a start between the click on "Graj" and the field's showing). Takes the
# Windows program too (run under Wine). Needs root for Xorg and its dummy driver (scripts/deps.sh
# installs it); skipped (77) without them.
# Usage: rates.sh ZEMBRIX XCLOSE PACK
source "$(dirname "$0")/lib.sh"
game_arguments "$@"

dummy=/usr/lib/xorg/modules/drivers/dummy_drv.so
if [[ $(id -u) != 0 || ! -x /usr/lib/xorg/Xorg || ! -f $dummy ]]; then
    echo "skipped: Xorg with the dummy video driver needs root and xserver-xorg-video-dummy"
    exit 77
fi

xorg_pid=
stop_xorg() {
    if [[ -n "$xorg_pid" ]]; then
        kill "$xorg_pid" 2>/dev/null || true
        wait "$xorg_pid" 2>/dev/null || true
        xorg_pid=
    fi
}
trap 'stop_xorg; cleanup' EXIT

# Starts Xorg with the dummy driver on a free display, in mode $1, and points DISPLAY at it.
start_xorg() {
    cat >"$work/xorg.conf" <<'CONF'
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 256000
EndSection
Section "Monitor"
  Identifier "mon"
  HorizSync 5.0 - 1000.0
  VertRefresh 5.0 - 300.0
  Option "ReducedBlanking"
  Modeline "1280x1024_50"   88.50 1280 1352 1480 1680 1024 1027 1034 1057 -hsync +vsync
  Modeline "1280x1024_144" 285.00 1280 1392 1528 1776 1024 1027 1034 1116 -hsync +vsync
  Modeline "1024x768_240"  245.25 1024 1072 1104 1184  768  771  775  864 +hsync -vsync
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "mon"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Modes "1280x1024_144" "1280x1024_50" "1024x768_240"
  EndSubSection
EndSection
CONF
    local number=$((100 + ($$ * 13) % 800)) i
    while [[ -e /tmp/.X$number-lock || -e /tmp/.X11-unix/X$number ]]; do
        number=$((number + 1))
    done
    /usr/lib/xorg/Xorg ":$number" -config "$work/xorg.conf" -logfile "$work/xorg-$1.log" \
        -noreset -nolisten tcp >/dev/null 2>&1 &
    xorg_pid=$!
    export DISPLAY=":$number" SDL_VIDEODRIVER=x11
    for ((i = 0; i < 100; i++)); do
        xrandr >/dev/null 2>&1 && break
        sleep 0.1
    done
    xrandr --output DUMMY0 --mode "$1" || die "Xorg took no mode $1 (see $work/xorg-$1.log)"
}

# Plays in a new folder $1 on the current display; sets distance to the bat's mean distance for
# a second of `d` held from the left wall, ups to the updates a second over 20 s, and cpu to the
# processor time the game took from its start to the end of those 20 s.
measure() {
    start_at_menu "$work/$1"
    # "Graj" clicked: the run starts with the release of the button.
    xdotool mousemove --window "$window" 400 272
    sleep 0.2
    local started=$EPOCHREALTIME
    xdotool click 1
    poll 30 field_shown "$window" || die "Graj did not show the play field"
    # The run, whose updates the replay counts, began between the click and the field's showing.
    local shown=$EPOCHREALTIME
    # Three holds of a second, each from the left wall: a key is seen at the next turn, so one
    # hold may gain or lose an update at either end.
    local from to hold
    distance=0
    for hold in 1 2 3; do
        hold_key "$window" a 1.3 # to the left wall
        sleep 0.3
        screenshot "$window" "$work/$1-left.png"
        hold_key "$window" d 1
        sleep 0.3
        screenshot "$window" "$work/$1-right.png"
        from=$(bat_x "$work/$1-left.png") && to=$(bat_x "$work/$1-right.png") ||
            die "no bat on the field at $1"
        distance=$((distance + to - from))
    done
    distance=$((distance / 3))
    sleep $((20 - ${EPOCHREALTIME%.*} + ${started%.*}))
    local ended=$EPOCHREALTIME
    # The processor time the game took so far (user and system, in ticks of 1/100 s).
    cpu=$(awk '{printf "%.2f", ($14 + $15) / 100}' "/proc/$game_pid/stat")
    leave_game
    quit_from_menu
    local replay=("$work/$1"/replays/*.zxr) updates
    local verify=("$game")
    [[ "$game" == *.exe ]] && verify=(env -u SDL_VIDEODRIVER wine "$game") # as start_game runs it
    local out
    out=$(cd "$work/$1" && "${verify[@]}" --verify-replay "${replay[0]}" 2>&1) ||
        die "the run's replay at $1 does not verify: ${out//$'\r'/}"
    updates=$(tr -d '\r' <<<"$out" | sed -n 's/^updates: //p')
    [[ -n "$updates" ]] || die "no replay of the run at $1"
    # The updates a second as the least and the most the run's true start allows, and how long
    # the field took to show (a busy machine's clicks and screenshots are slow).
    ups_least=$(awk -v u="$updates" -v a="$started" -v b="$ended" 'BEGIN {printf "%.2f", u / (b - a)}')
    ups_most=$(awk -v u="$updates" -v a="$shown" -v b="$ended" 'BEGIN {printf "%.2f", u / (b - a)}')
    ups="$ups_least to $ups_most"
    showing=$(awk -v a="$started" -v b="$shown" 'BEGIN {printf "%.2f", b - a}')
}

# Whether the figures hold: 60 updates a second within 1 % for some start of the run between the
# click and the field's showing (at most a second apart) and, given a baseline $1, distance
# within 3 %.
steady() {
    awk -v d="$distance" -v b="${1:-$distance}" -v least="$ups_least" -v most="$ups_most" \
        -v showing="$showing" 'BEGIN {exit !(d >= 0.97 * b && d <= 1.03 * b && most >= 59.4 &&
            least <= 60.6 && showing <= 1)}'
}

start_x
measure xvfb
steady || die "Xvfb: $ups updates a second (the field showed $showing s after the click)"
base=$distance
echo "ok: Xvfb (no rate reported): the bat moves $base px in a second of d, $ups updates a second, $cpu s of processor time"
kill "$xvfb_pid" 2>/dev/null
wait "$xvfb_pid" 2>/dev/null
xvfb_pid=

failed=0
for mode in 1280x1024_50 1280x1024_144 1024x768_240; do
    start_xorg "$mode"
    rate=$(xrandr | awk '/\*/ {for (i = 2; i <= NF; i++) if ($i ~ /\*/) {sub(/[*+]+/, "", $i); print $i}}')
    measure "$mode"
    stop_xorg
    if steady "$base"; then
        echo "ok: $mode ($rate Hz): $distance px in a second of d, $ups updates a second, $cpu s of processor time"
    else
        echo "FAIL: $mode ($rate Hz): $distance px (Xvfb: $base), $ups updates a second (the field showed $showing s after the click)"
        failed=1
    fi
done
exit $failed
