#!/usr/bin/env bash
# Frames of the Windows program under Wine and of the Linux build in the same states, compared
# region by region: the menu, level 1 before the first launch, and the score table holding a
# known table; the Windows program's frames (with its Escape question) under a Polish, an
# English and a Russian locale, in Polish (--lang pl), which must be the same; and its menu in
# the language of an English, a German and a Russian Windows: English, German, English. Prints
# what each region shows and fails when a region differs beyond what its kind allows:
#   same    the same pixels: the play field's white, the score table's panel between the rows;
#   tiles   the same picture up to shifts of one pixel (each pixel has its match within one
#           pixel in the other frame), but for at most 0.5 % of the pixels: the background, the
#           logo and the walls, textured quads that D3D9 samples exactly at texel edges (Wine
#           rounds to the texel before, so its quads show their picture one pixel right and
#           down), and that Wine's D3DX first copies to powers of two by dropping and doubling
#           pixels, which loses a few;
#   sprite  the same picture softened: a mean difference of at most 6 % of the range, since the
#           sprite interface filters its pictures (linearly, between texels) where the Linux
#           build copies texels: the stones, the buttons, the bat and the ball;
#   text    the same place: the edge the text is aligned by and its top within 2 pixels; the
#           other edges are shown, and differ where the faces do (each system's own face for a
#           name no font carries, its own simulation of bold for a face without one);
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

# Plays game $1 from folder $2 (with the game's options $3 and after) to the three states and
# saves $2/menu.png, level.png and scores.png; the Windows program's Escape question too, as
# $2/question.png.
take_frames() {
    local game=$1 dir=$2 window question
    start_at_menu "$dir" "${@:3}"
    rest_pointer
    sleep 1
    screenshot "$window" "$dir/menu.png"
    look_at_scores "$dir/scores.png"
    click "$window" 400 272
    xdotool mousemove --window "$window" 790 600
    poll 30 field_shown "$window" || die "no play field"
    # The banner passes and the field stands still: the ball waits on the bat.
    poll 60 still "$window" 1 || die "the field never stood still"
    mv "$work/b.png" "$dir/level.png"
    if [[ "$game" == *.exe ]]; then
        # The Escape question, answered Yes (its default button): back to the menu.
        ask_question
        sleep 0.5
        screenshot "$question" "$dir/question.png"
        answer_yes
    fi
    close_game
}

# Starts game $1 from folder $2 and saves its menu as $2/menu.png.
take_menu() {
    local game=$1 dir=$2 window
    start_at_menu "$dir"
    rest_pointer
    sleep 1
    screenshot "$window" "$dir/menu.png"
    close_game
}

failures=0
# Reports region $2 of kind $1 and counts a failure when $3 (a verdict) is not "ok".
report() {
    printf '%-7s %-20s %s\n' "$1" "$2" "$3"
    [[ "$3" == ok* ]] || failures=$((failures + 1))
}

# Frames $1 and $2 (Linux and Windows, or two locales) compared in region $3, pixels within $4
# percent (default 0) taken as the same; reported as $5 (default the region).
same() {
    local count
    count=$(differing "$1" "$2" "$3" "${4:-0}")
    report same "${5:-$3}" "$([[ $count == 0 ]] && echo ok || echo "FAIL: $count pixels differ")"
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

# Region $3 less its border pixel, whose match may lie beyond it.
tiles() {
    local w h x y there back
    IFS='x+' read -r w h x y <<<"$3"
    local core="$((w - 2))x$((h - 2))+$((x + 1))+$((y + 1))"
    there=$(unmatched "$1" "$2" "$core")
    back=$(unmatched "$2" "$1" "$core")
    local allowed=$(((w - 2) * (h - 2) / 200))
    report tiles "$3" "$( ((there <= allowed && back <= allowed)) && echo -n ok ||
        echo -n FAIL): $there and $back of $(((w - 2) * (h - 2))) pixels without a match within one pixel"
}

sprite() {
    local mean
    mean=$(compare -metric MAE "$1[$3]" "$2[$3]" null: 2>&1 | sed -n 's/.*(\(.*\))/\1/p' || true)
    report sprite "$3" "$(awk -v m="$mean" 'BEGIN { printf "%s: mean difference %.1f %%",
        (m <= 0.06 ? "ok" : "FAIL"), 100 * m }')"
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

# The text's ink in region $3 ($4: dark or plain) of both frames, aligned by $5 (left, right or
# centre): that edge (or the middle) and the top within 2 pixels.
text() {
    local a b
    read -ra a < <(ink "$1" "$3" "$4")
    read -ra b < <(ink "$2" "$3" "$4")
    local anchor
    case $5 in
    left) anchor=$((a[0] - b[0])) ;;
    right) anchor=$((a[2] - b[2])) ;;
    centre) anchor=$(((a[0] + a[2]) - (b[0] + b[2]))) anchor=$((anchor / 2)) ;;
    esac
    local top=$((a[1] - b[1])) verdict=ok
    ((a[2] > a[0] && b[2] > b[0] && anchor <= 2 && anchor >= -2 && top <= 2 && top >= -2)) ||
        verdict=FAIL
    report text "$3" "$verdict: Linux ${a[*]}, Windows ${b[*]} (left top right bottom)"
}

start_x
for side in linux windows english russian menu-en menu-de menu-ru; do
    mkdir "$work/$side"
    cp "$pack" "$work/$side/data.zxp"
    write_table "$work/$side/scoreboard.zxs"
done
take_frames "$linux" "$work/linux"
take_frames "$exe" "$work/windows"
wine_locale=en_US.UTF-8 take_frames "$exe" "$work/english" --lang pl
wine_locale=ru_RU.UTF-8 take_frames "$exe" "$work/russian" --lang pl
# The menu of the Windows program in the language the Windows names.
for language in en de ru; do
    wine_locale=${language}_${language^^}.UTF-8 take_menu "$exe" "$work/menu-$language"
done
L=$work/linux
W=$work/windows

# The Windows program draws the same frames whatever the code page of the Windows it runs on:
# its Polish texts (asked for with --lang pl) are no longer read in that code page (Windows-1252
# and 1251 here). Wine's text
# drawing differs now and then by 1 of 255 in a few pixels. The question box's buttons speak the
# language of the Windows; its text above them is the game's.
echo "== the Windows program under three locales"
for locale in english russian; do
    for frame in menu level scores; do
        same "$W/$frame.png" "$work/$locale/$frame.png" 800x608+0+0 1 "$locale $frame"
    done
    geometry=$(convert "$W/question.png" -format '%wx%h' info:)
    other=$(convert "$work/$locale/question.png" -format '%wx%h' info:)
    IFS=x read -r width height <<<"$geometry"
    count=$(differing "$W/question.png" "$work/$locale/question.png" "${width}x$((height - 50))+0+0" 1)
    report same "$locale question" "$([[ $geometry == "$other" && $count == 0 ]] && echo ok ||
        echo "FAIL: $other against $geometry, $count pixels of the text differ")"
done

# An English and a Russian Windows get the English menu, a German one the German menu, a Polish
# one the Polish menu: the buttons' captions differ, the rest is the same.
echo "== the menu in the Windows' language"
same "$work/menu-en/menu.png" "$work/menu-ru/menu.png" 800x608+0+0 1 "menu in en and ru"
for pair in "menu-en/menu.png windows/menu.png" "menu-de/menu.png windows/menu.png" \
    "menu-de/menu.png menu-en/menu.png"; do
    read -r one other <<<"$pair"
    count=$(differing "$work/$one" "$work/$other" 160x240+320+248 1)
    same "$work/$one" "$work/$other" 800x248+0+0 1 "$one above the buttons"
    report differs "$one" "$( ((count > 0)) && echo "ok: $count pixels of the captions differ from $other" ||
        echo "FAIL: the captions are those of $other")"
done

echo "== the menu"
for region in 320x608+0+0 800x64+0+544 160x60+320+184 320x608+480+0; do
    tiles "$L/menu.png" "$W/menu.png" "$region"
done
tiles "$L/menu.png" "$W/menu.png" 638x158+81+16
for top in 248 312 376 440; do
    sprite "$L/menu.png" "$W/menu.png" "160x12+320+$top"
    text "$L/menu.png" "$W/menu.png" "150x36+325+$((top + 6))" dark centre
done

echo "== level 1 before the first launch"
tiles "$L/level.png" "$W/level.png" 32x608+0+0
tiles "$L/level.png" "$W/level.png" 32x608+768+0
tiles "$L/level.png" "$W/level.png" 736x32+32+0
tiles "$L/level.png" "$W/level.png" 736x32+32+576
same "$L/level.png" "$W/level.png" 736x220+32+320
while read -r cell; do
    sprite "$L/level.png" "$W/level.png" "$cell"
done < <(stone_cells)
sprite "$L/level.png" "$W/level.png" 96x16+352+560
sprite "$L/level.png" "$W/level.png" 16x16+392+544
text "$L/level.png" "$W/level.png" 300x60+36+32 plain left
text "$L/level.png" "$W/level.png" 300x60+464+32 plain right
text "$L/level.png" "$W/level.png" 736x60+32+250 dark centre

echo "== the score table"
tiles "$L/scores.png" "$W/scores.png" 120x100+0+0
tiles "$L/scores.png" "$W/scores.png" 120x100+680+0
text "$L/scores.png" "$W/scores.png" 600x90+100+8 dark centre
for ((place = 0; place < 10; place++)); do
    y=$((103 + 49 * place))
    same "$L/scores.png" "$W/scores.png" "300x44+350+$((y + 2))"
    text "$L/scores.png" "$W/scores.png" "300x44+20+$((y + 2))" dark left
    text "$L/scores.png" "$W/scores.png" "150x44+630+$((y + 2))" dark right
done
lines=0
for y in 151 200 249 298 347 396 445 494 543; do
    [[ "$(pixel "$L/scores.png" 400 "$y")" == 000000 ]] && lines=$((lines + 1))
    [[ "$(pixel "$W/scores.png" 400 "$y")" == "$kPanel" ]] && lines=$((lines + 1))
done
report lines "9 separators" "$( ((lines == 18)) && echo "ok: drawn on Linux, absent under Wine" ||
    echo "FAIL: only $lines of 18 probes as expected")"

((failures == 0)) || die "$failures regions differ"
echo "ok: every region as its kind allows"
