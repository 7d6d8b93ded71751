# What the game's screen shows, read off screenshots (PNG files) with ImageMagick: colours,
# regions, and the menu, score table and play field recognised. Sourced by lib.sh.

# Prints the colour of pixel ($2, $3) of PNG $1 as rrggbb (upper-case hex digits).
pixel() {
    convert "$1" -format "%[hex:p{$2,$3}]" info: | tail -c 6
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

# Prints the mean colour of region $2 (WxH+X+Y) of PNG $1 as rrggbb (upper-case hex digits).
mean_colour() {
    convert "$1[$2]" +repage -scale '1x1!' -format "%[hex:p{0,0}]" info: | tail -c 6
}

# Prints the number of distinct colours in region $2 (WxH+X+Y) of PNG $1.
colour_count() {
    convert "$1[$2]" +repage -unique-colors -format "%w" info:
}

# Prints how many pixels of region $2 (WxH+X+Y) of PNG $1 are black or nearly (black text; the
# game's pictures have no such dark pixels).
dark_count() {
    convert "$1[$2]" +repage -fuzz 25% -fill white +opaque black -fill black -opaque black \
        -format "%[fx:round(w * h * (1 - mean))]" info:
}

# Prints how many pixels of region $3 (WxH+X+Y) differ between PNGs $1 and $2 by more than
# $4 percent (default 0).
differing() {
    local count
    count=$(compare -metric AE -fuzz "${4:-0}%" "$1[$3]" "$2[$3]" null: 2>&1) || true
    printf '%.0f\n' "$count"
}

# Prints the first and the last x of row $2 of PNG $1, between x $3 and $4, whose pixel is not
# near white; nothing when the row is white there.
ink_span() {
    convert "$1[$(($4 - $3 + 1))x1+$3+$2]" +repage -depth 8 txt:- |
        awk -F'[(),: ]+' -v x0="$3" 'NR > 1 && ($3 < 224 || $4 < 224 || $5 < 224) {
            x = $1 + x0; if (first == "") first = x; last = x }
            END { if (first != "") print first, last }'
}

# True when colour $1 (rrggbb) is a dark or middle grey: no channel above d0, the channels within
# 0x40 of each other.
greyish() {
    local r=$((16#${1:0:2})) g=$((16#${1:2:2})) b=$((16#${1:4:2}))
    local hi=$((r > g ? (r > b ? r : b) : (g > b ? g : b)))
    local lo=$((r < g ? (r < b ? r : b) : (g < b ? g : b)))
    ((hi <= 0xd0 && hi - lo <= 0x40))
}

# True when colour $1 (rrggbb) is clearly red.
reddish() {
    local r=$((16#${1:0:2})) g=$((16#${1:2:2})) b=$((16#${1:4:2}))
    ((r >= g + 0x40 && r >= b + 0x40))
}

# True when colour $1 (rrggbb) is clearly saturated (a stone, the ball), not white or grey.
saturated() {
    local r=$((16#${1:0:2})) g=$((16#${1:2:2})) b=$((16#${1:4:2}))
    local hi=$((r > g ? (r > b ? r : b) : (g > b ? g : b)))
    local lo=$((r < g ? (r < b ? r : b) : (g < b ? g : b)))
    ((hi - lo >= 0x40))
}

# Takes a screenshot of window $1 into $work/probe.png and tells whether it shows the menu: the
# logo at (81, 16) and the four buttons at x 320..480, tops 248, 312, 376 and 440, each with its
# caption over the button picture.
menu_shown() {
    screenshot "$1" "$work/probe.png" 2>/dev/null || return 1
    local top
    for top in 248 312 376 440; do
        (($(colour_count "$work/probe.png" "160x48+320+$top") > 20)) || return 1
    done
    (($(colour_count "$work/probe.png" "638x158+81+16") > 50))
}

# Takes a screenshot of window $1 into $work/probe.png and tells whether it shows the score
# table: the nine black separators, 49 pixels apart from y 151, seen at x 700. Under Wine, whose
# ID3DXLine draws nothing, the panel's own colour stands where they would be.
scoreboard_shown() {
    screenshot "$1" "$work/probe.png" 2>/dev/null || return 1
    local y separator=000000
    [[ -n "$windows_game" ]] && separator=$kPanel
    for y in 151 200 249 298 347 396 445 494 543; do
        [[ "$(pixel "$work/probe.png" 700 "$y")" == "$separator" ]] || return 1
    done
    [[ "$(pixel "$work/probe.png" 700 175)" == "$kPanel" ]]
}

# The score table's panel, the background's top-left pixel under a white veil.
kPanel=E3F2FD

# The log lines of the rooms: the menu's background and logo, the score table's background,
# the game room's four wall strips and level 1.
menu_log=('Repeat = 16 sizeof = 1792' 'Texture initialized!'
    'Loaded "background\.png" background from packer' 'Texture initialized!'
    'Loaded "logo\.png" background from packer')
scores_log=('Repeat = 16 sizeof = 1792' 'Texture initialized!'
    'Loaded "background\.png" background from packer')
game_log=('Texture initialized!' 'Loaded "wall_block\.png" background from packer'
    'Texture initialized!' 'Loaded "wall_block\.png" background from packer'
    'Texture initialized!' 'Loaded "wall_block\.png" background from packer'
    'Texture initialized!' 'Loaded "wall_block_red\.png" background from packer'
    'Loading level "Level1\.zxm"\.\.\.' 'Loaded level "Level1\.zxm"!')

# Takes a screenshot of window $1 into $work/probe.png and tells whether it shows the play field:
# grey walls left, top and right, the red line along the bottom, the bat on rows 560..575.
field_shown() {
    screenshot "$1" "$work/probe.png" 2>/dev/null || return 1
    greyish "$(mean_colour "$work/probe.png" 32x608+0+0)" &&
        greyish "$(mean_colour "$work/probe.png" 800x32+0+0)" &&
        greyish "$(mean_colour "$work/probe.png" 32x608+768+0)" &&
        reddish "$(mean_colour "$work/probe.png" 736x32+32+576)" &&
        [[ -n "$(ink_span "$work/probe.png" 567 32 767)" ]]
}

# Takes a screenshot of window $1 into $work/probe.png and tells whether it shows the play field
# scaled by $2 (a fraction such as 3/2) from ($3, $4): the grey left wall and the red bottom line
# at their scaled places.
scaled_field_shown() {
    local n=${2%/*} d=${2#*/}
    screenshot "$1" "$work/probe.png" 2>/dev/null || return 1
    greyish "$(mean_colour "$work/probe.png" "$((32 * n / d))x$((608 * n / d))+$3+$4")" &&
        reddish "$(mean_colour "$work/probe.png" \
            "$((736 * n / d))x$((32 * n / d))+$(($3 + 32 * n / d))+$(($4 + 576 * n / d))")"
}

# Prints the bat's left edge in PNG $1 (its widest row is 567), nothing when there is none.
bat_x() {
    ink_span "$1" 567 32 767 | awk '{print $1}'
}

# Checks that file $1 holds exactly the lines matching the extended regular expressions "$2 ..."
# in that order; prints the first difference and fails otherwise. (The Windows program ends its
# lines with CR LF, as text written on Windows does.)
check_lines() {
    local file=$1
    shift
    local -a lines
    mapfile -t lines < <(tr -d '\r' <"$file")
    local i
    for ((i = 0; i < $# || i < ${#lines[@]}; i++)); do
        local want=${*:i+1:1} got=${lines[i]-}
        if ((i >= $#)); then
            echo "line $((i + 1)): \"$got\", expected no more lines" >&2
            return 1
        fi
        if ((i >= ${#lines[@]})); then
            echo "line $((i + 1)): missing, expected /$want/" >&2
            return 1
        fi
        if ! [[ "$got" =~ ^${want}$ ]]; then
            echo "line $((i + 1)): \"$got\", expected /$want/" >&2
            return 1
        fi
    done
}

# Level 1: three rows of nine 64 x 32 stones from (112, 128).
stone_cells() {
    local row column
    for row in 0 1 2; do
        for column in 0 1 2 3 4 5 6 7 8; do
            echo "64x32+$((112 + 64 * column))+$((128 + 32 * row))"
        done
    done
}

# The ball, 16 x 16, waits on the bat at (bat x + 40, 543): its middle is blue and the pixels
# just beside it are white.
ball_on_bat() {
    local png=$1 bat=$2
    saturated "$(mean_colour "$png" "8x8+$((bat + 44))+547")" &&
        [[ "$(pixel "$png" $((bat + 39)) 550)" == FFFFFF ]] &&
        [[ "$(pixel "$png" $((bat + 56)) 550)" == FFFFFF ]]
}

# True when window $1 shows the level editor: the walls of the field without the bat's row.
editor_shown() {
    screenshot "$1" "$work/probe.png" 2>/dev/null || return 1
    greyish "$(mean_colour "$work/probe.png" 32x608+0+0)" &&
        reddish "$(mean_colour "$work/probe.png" 736x32+32+576)" &&
        [[ -z "$(ink_span "$work/probe.png" 567 32 767)" ]]
}
