#!/usr/bin/env bash
# Two damaged packs given to the Windows program under Wine and to the Linux build: a pack cut in
# half is refused with the "data.zxp not exists!" box and exit code 1; a pack whose button
# picture is cut in half starts, names the picture it cannot decode, and ends with exit code 0
# when its window is closed. Both builds write the same lines, standard error included.
# Usage: damaged.sh ZEMBRIX_EXE ZEMBRIX XCLOSE PACK ZXPACK
exe=$(realpath "$1")
linux=$(realpath "$2")
xclose=$(realpath "$3")
pack=$(realpath "$4")
zxpack=$(realpath "$5")
source "$(dirname "$0")/../e2e/lib.sh"

start_x

# Runs game $1 in folder $2 until its box $3 is answered with Return; checks exit code 1.
refused() {
    start_game "$1" "$2"
    local box
    box=$(wait_window "$3" 30) || die "no box \"$3\" for the pack in $2"
    key_closing "$box" Return
    expect_exit 1 "after the box for the pack in $2"
}

# Runs game $1 in folder $2 until its menu shows, then closes it; checks exit code 0.
started() {
    local game=$1 window
    start_at_menu "$2"
    close_game
}

# Checks that both builds wrote the same lines to file $2 in folder pair $1, aside from the
# start-up's time, the complaints that libpng, the Linux build's PNG decoder, writes itself, and
# the line of a machine without a sound device (each system finds its own) and the complaints of
# the ALSA library that Wine's audio loads.
same_lines() {
    local own='s/Intialized in [0-9]+ ms/Intialized in N ms/; /^libpng (error|warning): /d; /^zembrix: no sound: /d; /^ALSA lib /d'
    diff <(sed -E "$own" "$work/linux-$1/$2") <(sed -E "$own" "$work/windows-$1/$2" | tr -d '\r') ||
        die "the builds' $2 differ for the $1 pack"
}

# The pack cut in half: its table points past the end of the file.
for side in linux windows; do
    mkdir "$work/$side-cut"
    head -c $(($(stat -c %s "$pack") / 2)) "$pack" >"$work/$side-cut/data.zxp"
done
refused "$linux" "$work/linux-cut" Error
refused "$exe" "$work/windows-cut" "Błąd"
grep -q "data.zxp: entry [0-9]*: data past the end of the file" "$work/linux-cut/stderr.log" ||
    die "no reason for the refusal on standard error"
same_lines cut stdout.log
same_lines cut stderr.log
echo "ok: a pack cut in half: the box, exit code 1 and \"$(cat "$work/linux-cut/stderr.log")\" from both"

# The pack with button.png cut in half, its other entries in their order.
"$zxpack" extract "$pack" "$work/entries" >/dev/null
button=$work/entries/button.png
head -c $(($(stat -c %s "$button") / 2)) "$button" >"$work/button.png"
mv "$work/button.png" "$button"
mapfile -t entries < <("$zxpack" list "$pack" | awk -v dir="$work/entries" '{print $4 "=" dir "/" $4}')
for side in linux windows; do
    mkdir "$work/$side-button"
    "$zxpack" create "$work/$side-button/data.zxp" "${entries[@]}" >/dev/null
done
started "$linux" "$work/linux-button"
started "$exe" "$work/windows-button"
count=$(grep -c "^Cannot load texture from packed file button.png$" "$work/linux-button/stdout.log")
((count == 4)) || die "$count lines for the four buttons' picture, expected 4"
same_lines button stdout.log
same_lines button stderr.log
echo "ok: a pack with button.png cut in half: the menu without button pictures, $count lines naming it, exit code 0 from both"
