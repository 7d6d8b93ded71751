#!/bin/sh
# Makes a contact sheet of the game's sound effects, the counterpart of the pictures' sheet
# (tools/content/contact-sheet.sh): zxsound writes each effect's WAV file and waveform picture,
# and ImageMagick lays the pictures out one under another, each labelled with the effect's name
# and length. The pictures share one time scale (500 pixels a second); their top and bottom
# edges are full scale, the grey lines half scale. With a third argument the WAV files are kept
# in that folder, to listen to.
#
# usage: sound-sheet.sh OUT.png [ZXSOUND [WAVDIR]]   (ZXSOUND defaults to zxsound on the PATH)
set -eu

if [ $# -lt 1 ] || [ $# -gt 3 ]; then
    echo "usage: sound-sheet.sh OUT.png [ZXSOUND [WAVDIR]]" >&2
    exit 2
fi
out=$1
zxsound=${2:-zxsound}
paper='#d0d4d8'

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir "$tmp/effects" "$tmp/tiles"
"$zxsound" write "$tmp/effects" >"$tmp/lengths.txt"

# One tile per effect, in the game's order of the effects (zxsound's output).
while read -r wav seconds _; do
    name=$(basename "$wav" .wav)
    convert -background "$paper" -fill black -pointsize 15 label:"$name  $seconds s" \
        "$tmp/effects/$name.png" -gravity west -append -bordercolor "$paper" -border 8 \
        +repage "$tmp/tiles/$(ls "$tmp/tiles" | wc -l | xargs printf %02d)-$name.png"
done <"$tmp/lengths.txt"
convert "$tmp"/tiles/*.png -background "$paper" -gravity west -append +repage "$out"
if [ $# -eq 3 ]; then
    mkdir -p "$3"
    cp "$tmp"/effects/*.wav "$3/"
fi
echo "sound-sheet: $out"
