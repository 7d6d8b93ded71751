#!/usr/bin/env bash
# Frames of the Windows program under Wine and of the Linux build in the same states, compared
# region by region: the menu, level 1 before the first launch, and the score table holding a
# known table. Prints what each region shows and fails when a region differs beyond what its
# kind allows:
#   same     the same pixels (the play field's white, the score table's panel between rows);
#   tiles    the same picture up to shifts of one pixel (every pixel has its match within one
#            pixel in the other frame): the background tiles, the logo and the walls, drawn as
#            textured quads, which D3D9 samples at texel edges and, under Wine, from a copy
#            scaled to powers of two by D3DX;
#   inside   the same inside sprites, whose edges D3DX's sprite interface filters: the stones,
#            buttons, bat and ball;
#   text     the same place: the boxes holding the ink of a text within 2 pixels on every side
#            (the two builds rasterise fonts differently);
# and the score table's separators are present on Linux and absent under Wine, whose
# ID3DXLine draws nothing.
# Usage: frames.sh ZEMBRIX_EXE ZEMBRIX XCLOSE PACK
exe=$(realpath "$1")
linux=$(realpath "$2")
xclose=$(realpath "$3")
pack=$(realpath "$4")
source "$(dirname "$0")/../e2e/lib.sh"

# A table of ten records: names in Windows-1250 ("Zażółć", "Jaźń", ...) and their points.
write_table() {
    local names=('Za\xbf\xf3\xb3\xe6' 'Ja\x9f\xf1' 'Ola' 'Piotr' 'G\xea\x9cl\xb9' 'Ewa' 'Marek'
        'Zo\x9ca' 'Kuba' 'Ala')
    local points=(12345 9870 5000 4321 1200 990 500 120 50 10) i
    {
        printf '\x09\x00\x00\x00' # a full table counts 9: the reader takes one record more
        for ((i = 0; i < 10; i++)); do
            printf "${names[i]}"
            head -c $((32 - $(printf "${names[i]}" | wc -c))) /dev/zero
            printf "$(printf '\\x%02x\\x%02x\\x%02x\\x%02x' $((points[i] & 255)) \
                $((points[i] >> 8 & 255)) $((points[i] >> 16 & 255)) $((points[i] >> 24 & 255)))"
        done
    } >"$1"
}

# Plays game $1 from folder $2 to the three states and saves $2/menu.png, level.png and
# scores.png.
take_frames() {
    local game=$1 dir=$2 window
    start_game "$game" "$dir"
    window=$(wait_window Zembrix 60 800x608) || die "$game: no window"
    poll 60 menu_shown "$window" || die "$game: no menu"
    xdotool mousemove --window "$window" 790 600
    sleep 1
    screenshot "$window" "$dir/menu.png"
    click "$window" 400 336
    poll 30 scoreboard_shown "$window" || die "$game: no score table"
    sleep 1
    screenshot "$window" "$dir/scores.png"
    key "$window" Escape
    poll 30 menu_shown "$window" || die "$game: no menu after the score table"
    click "$window" 400 272
    xdotool mousemove --window "$window" 790 600
    poll 30 field_shown "$window" || die "$game: no play field"
    # The banner passes and the field stands still: the ball waits on the bat.
    steady() {
        screenshot "$window" "$dir/a.png"
        sleep 0.5
        screenshot "$window" "$dir/b.png"
        (($(differing "$dir/a.png" "$dir/b.png" 800x608+0+0 1) == 0))
    }
    poll 60 steady || die "$game: the field never stood still"
    mv "$dir/b.png" "$dir/level.png"
    "$xclose" "$window"
    wait_game_exit 30 || die "$game: did not end when its window was closed"
    [[ "$exit_code" == 0 ]] || die "$game: exit code $exit_code"
}

failures=0
# Reports region $2 of kind $1 and counts a failure when $3 (a verdict) is not "ok".
report() {
    printf '%-7s %-26s %s\n' "$1" "$2" "$3"
    [[ "$3" == ok* ]] || failures=$((failures + 1))
}

# Frames $1 (Linux) and $2 (Windows) compared in region $3.
same() {
    local count
    count=$(differing "$1" "$2" "$3")
    report same "$3" "$([[ $count == 0 ]] && echo ok || echo "$count pixels differ")"
}

# Prints how many pixels of region $3 in frame $1 have no match within one pixel (and 3 % per
# channel) in frame $2.
unmatched() {
    local shifts=() dx dy
    for dx in -1 0 1; do
        for dy in -1 0 1; do
            shifts+=("(" "$1[$3]" +repage "(" "$2" -roll "$(printf '%+d%+d' $((-dx)) $((-dy)))"
                -crop "$3" +repage ")" -compose difference -composite -separate
                -evaluate-sequence max ")")
        done
    done
    convert "${shifts[@]}" -evaluate-sequence min -threshold 3% \
        -format '%[fx:round(w * h * mean)]' info:
}

tiles() {
    local there back
    there=$(unmatched "$1" "$2" "$3")
    back=$(unmatched "$2" "$1" "$3")
    report tiles "$3" "$([[ $there == 0 && $back == 0 ]] && echo ok ||
        echo "$there and $back pixels without a match within one pixel")"
}

# Region $3 shrunk by $4 pixels on every side must match within 2 % per channel.
inside() {
    local w h x y
    IFS='x+' read -r w h x y <<<"$3"
    local core="$((w - 2 * $4))x$((h - 2 * $4))+$((x + $4))+$((y + $4))"
    local count
    count=$(differing "$1" "$2" "$core" 2)
    report inside "$3" "$([[ $count == 0 ]] && echo ok || echo "$count pixels differ in $core")"
}

# Prints the box of the ink in region $2 of frame $1 as "left top right bottom": dark ink (near
# black) when $3 is "dark", otherwise anything but the region's corner colour.
ink() {
    local box w h x y
    if [[ $3 == dark ]]; then
        box=$(convert "$1[$2]" +repage -fuzz 25% -fill white +opaque black -fill black \
            -opaque black -format %@ info:)
    else
        box=$(convert "$1[$2]" +repage -bordercolor "$(convert "$1[$2]" +repage \
            -format '#%[hex:p{0,0}]' info:)" -border 1 -fuzz 10% -format %@ info:)
        [[ "$box" =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] &&
            box="${BASH_REMATCH[1]}x${BASH_REMATCH[2]}+$((BASH_REMATCH[3] - 1))+$((BASH_REMATCH[4] - 1))"
    fi
    IFS='x+' read -r w h x y <<<"$box"
    local ox oy
    IFS='x+' read -r _ _ ox oy <<<"$2"
    echo $((ox + x)) $((oy + y)) $((ox + x + w - 1)) $((oy + y + h - 1))
}

text() {
    local a b i
    read -ra a < <(ink "$1" "$3" "$4")
    read -ra b < <(ink "$2" "$3" "$4")
    for i in 0 1 2 3; do
        local d=$((a[i] - b[i]))
        if ((d > 2 || d < -2 || a[2] <= a[0])); then
            report text "$3" "Linux ${a[*]}, Windows ${b[*]}"
            return
        fi
    done
    report text "$3" "ok (Linux ${a[*]}, Windows ${b[*]})"
}

start_x
for side in linux windows; do
    mkdir "$work/$side"
    cp "$pack" "$work/$side/data.zxp"
    write_table "$work/$side/scoreboard.zxs"
done
take_frames "$linux" "$work/linux"
take_frames "$exe" "$work/windows"
L=$work/linux
W=$work/windows

echo "== the menu"
for region in 320x608+0+0 800x64+0+544 160x60+320+184 320x608+480+0; do
    tiles "$L/menu.png" "$W/menu.png" "$region"
done
tiles "$L/menu.png" "$W/menu.png" 638x158+81+16
for top in 248 312 376 440; do
    inside "$L/menu.png" "$W/menu.png" "160x10+320+$top" 3
    text "$L/menu.png" "$W/menu.png" "150x36+325+$((top + 6))" dark
done

echo "== level 1 before the first launch"
tiles "$L/level.png" "$W/level.png" 32x608+0+0
tiles "$L/level.png" "$W/level.png" 32x608+768+0
tiles "$L/level.png" "$W/level.png" 736x32+32+0
tiles "$L/level.png" "$W/level.png" 736x32+32+576
same "$L/level.png" "$W/level.png" 736x220+32+320
while read -r cell; do
    inside "$L/level.png" "$W/level.png" "$cell" 6
done < <(stone_cells)
text "$L/level.png" "$W/level.png" 300x60+36+32 plain
text "$L/level.png" "$W/level.png" 300x60+464+32 plain
text "$L/level.png" "$W/level.png" 736x60+32+250 dark

echo "== the score table"
tiles "$L/scores.png" "$W/scores.png" 120x100+0+0
tiles "$L/scores.png" "$W/scores.png" 120x100+680+0
text "$L/scores.png" "$W/scores.png" 600x90+100+8 dark
for ((place = 0; place < 10; place++)); do
    y=$((103 + 49 * place))
    same "$L/scores.png" "$W/scores.png" "300x44+350+$((y + 2))"
    text "$L/scores.png" "$W/scores.png" "300x44+20+$((y + 2))" dark
    text "$L/scores.png" "$W/scores.png" "150x44+630+$((y + 2))" dark
done
lines=0
for y in 151 200 249 298 347 396 445 494 543; do
    [[ "$(pixel "$L/scores.png" 400 "$y")" == 000000 ]] && lines=$((lines + 1))
    [[ "$(pixel "$W/scores.png" 400 "$y")" == "$kPanel" ]] && lines=$((lines + 1))
done
report lines "9 separators" "$( ((lines == 18)) && echo "ok: drawn on Linux, absent under Wine" ||
    echo "only $lines of 18 probes as expected")"

((failures == 0)) || die "$failures regions differ"
echo "ok: every region as its kind allows"
