#!/bin/sh
# Makes a contact sheet of every picture in a data pack, so they can be looked at together:
# extracts the pack with zxpack and lays the pictures out with ImageMagick, small ones enlarged
# (without smoothing), each over a checkerboard that shows its transparency and labelled with its
# name and real size.
#
# usage: contact-sheet.sh PACK OUT.png [ZXPACK]   (ZXPACK defaults to zxpack on the PATH)
set -eu

if [ $# -lt 2 ] || [ $# -gt 3 ]; then
    echo "usage: contact-sheet.sh PACK OUT.png [ZXPACK]" >&2
    exit 2
fi
pack=$1
out=$2
zxpack=${3:-zxpack}
paper='#d0d4d8'

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$zxpack" extract "$pack" "$tmp/pack" >/dev/null
mkdir "$tmp/tiles" "$tmp/rows"

# Makes the labelled tile of one picture: the picture enlarged 4x below 100 pixels wide, 2x up
# to 200, 3x for strips up to 320, over a checkerboard, its name and size underneath.
tile() {
    file=$1
    name=$(basename "$file")
    width=$(identify -format '%w' "$file[0]")
    height=$(identify -format '%h' "$file[0]")
    if [ "$width" -le 100 ]; then
        scale=4
    elif [ "$width" -le 200 ]; then
        scale=2
    elif [ "$width" -le 320 ]; then
        scale=3
    else
        scale=1
    fi
    convert -size "$((width * scale))x$((height * scale))" pattern:checkerboard \
        \( "$file[0]" -filter point -resize "$((scale * 100))%" \) -composite \
        +size -background "$paper" -fill black -pointsize 15 label:"$name ${width}x${height}" \
        -gravity center -append -bordercolor "$paper" -border 12 +repage \
        "$tmp/tiles/${name%.*}.png"
}

# Lays the tiles of the named pictures side by side as the next row of the sheet.
row() {
    files=""
    for name in "$@"; do
        if [ -e "$tmp/tiles/$name.png" ]; then
            files="$files $tmp/tiles/$name.png"
        fi
    done
    [ -n "$files" ] || return 0
    rows=$(ls "$tmp/rows" | wc -l)
    # shellcheck disable=SC2086
    convert $files -background "$paper" -gravity center +append +repage "$tmp/rows/$(printf %02d "$rows").png"
    for file in $files; do
        mv "$file" "${file%.png}.used"
    done
}

for file in "$tmp"/pack/*.png "$tmp"/pack/*.bmp; do
    [ -e "$file" ] && tile "$file"
done
row background logo icon
row button bat_huge ball_blue wall_block wall_block_red
row stone_glow_green stone_glow_orange stone_glow_purple
row stone_breaking_green
row stone_breaking_orange
row stone_breaking_purple
# Pictures of no known family close the sheet, one row each.
for leftover in "$tmp"/tiles/*.png; do
    [ -e "$leftover" ] && row "$(basename "$leftover" .png)"
done
convert "$tmp"/rows/*.png -background "$paper" -gravity west -append +repage "$out"
echo "contact-sheet: $out"
