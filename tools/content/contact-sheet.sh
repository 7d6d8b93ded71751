#!/bin/sh
# Makes a contact sheet of every picture in a data pack, so they can be looked at together:
# extracts the pack with zxpack and lays the pictures out with ImageMagick's montage, small ones
# enlarged (without smoothing) and all over a checkerboard that shows their transparency.
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

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$zxpack" extract "$pack" "$tmp/pack" >/dev/null

# Each picture becomes one labelled tile: its name, its size, and the picture scaled so that
# small sprites stay readable.
mkdir "$tmp/tiles"
for file in "$tmp"/pack/*.png "$tmp"/pack/*.bmp; do
    [ -e "$file" ] || continue
    name=$(basename "$file")
    width=$(identify -format '%w' "$file[0]")
    height=$(identify -format '%h' "$file[0]")
    if [ "$width" -le 100 ]; then
        scale=400
    elif [ "$width" -le 200 ]; then
        scale=200
    elif [ "$width" -le 320 ]; then
        scale=300
    else
        scale=100
    fi
    convert "$file[0]" -filter point -resize "$scale%" \
        -set label "$name ${width}x${height}" "$tmp/tiles/${name%.*}.png"
done
montage "$tmp"/tiles/*.png -texture pattern:checkerboard -background '#d0d4d8' \
    -tile 2x -geometry '+16+16' -pointsize 16 "$out"
echo "contact-sheet: $out"
