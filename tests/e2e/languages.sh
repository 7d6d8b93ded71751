#!/usr/bin/env bash
# The game's language from the system's: --help speaks it; under LANG=C and pl_PL.UTF-8 the
# menu, the Info box, the play field, the Escape question and the score table are the same pixel
# for pixel (and, given a reference game as the fourth argument, the same as that game's under
# LANG=C); under en_US.UTF-8 and de_DE.UTF-8 each differs from the Polish one and from the other.
# L in the menu switches to the next language, which the next start keeps.
# Usage: languages.sh ZEMBRIX XCLOSE PACK [REFERENCE_ZEMBRIX]
source "$(dirname "$0")/lib.sh"
game_arguments "$@"
reference=${4:-}

# --help follows the language too: its first word, the usage's.
for pair in C:Użycie: pl_PL.UTF-8:Użycie: en_US.UTF-8:Usage: de_DE.UTF-8:Aufruf: fr_FR.UTF-8:Usage:; do
    first=$(cd "$work" && LANG=${pair%%:*} timeout 10 "$game" --help | head -n 1 | cut -d' ' -f1)
    [[ "$first" == "${pair#*:}" ]] || die "--help under LANG=${pair%%:*} begins \"$first\""
done
echo "ok: --help in the system's language"

start_x
# Shoots the menu, the Info box, the field once its banner has gone, the question and the score
# table of a start under LANG=$2 (game $3, default $game) into
# $work/$1-{menu,info,field,question,scores}.png.
shoot() {
    local name=$1 program=${3:-$game}
    export LANG=$2
    rm -rf "$work/run"
    local saved=$game
    game=$program
    start_at_menu "$work/run"
    game=$saved
    rest_pointer
    sleep 0.5
    screenshot "$window" "$work/$name-menu.png"
    # The Info box, closed with Enter; its caption ("Info") is the same in every language.
    click "$window" 400 400
    local info
    info=$(wait_window Info 20) || die "Info showed no box"
    sleep 0.5
    screenshot "$info" "$work/$name-info.png"
    key_closing "$info" Return
    poll 30 menu_shown "$window" || die "no menu after the Info box"
    start_playing
    rest_pointer
    poll 30 still "$window" || die "the field under LANG=$2 did not settle"
    screenshot "$window" "$work/$name-field.png"
    ask_question
    sleep 0.5
    screenshot "$question" "$work/$name-question.png"
    answer_yes
    look_at_scores "$work/$name-scores.png"
    quit_from_menu
    export LANG=C.UTF-8
}

# True when PNGs $1 and $2 hold the same pixels.
same() {
    cmp -s <(convert "$1" rgb:-) <(convert "$2" rgb:-)
}

shoot c C
shoot pl pl_PL.UTF-8
shoot en en_US.UTF-8
shoot de de_DE.UTF-8
for picture in menu info field question scores; do
    same "$work/c-$picture.png" "$work/pl-$picture.png" || die "the $picture differs under C and pl"
    for other in en de; do
        same "$work/pl-$picture.png" "$work/$other-$picture.png" &&
            die "the $picture under $other is the Polish one"
    done
    same "$work/en-$picture.png" "$work/de-$picture.png" && die "the $picture is the same in en and de"
done
echo "ok: C and pl give the same pictures; en and de each their own"

if [[ -n "$reference" ]]; then
    shoot reference C "$reference"
    for picture in menu info field question scores; do
        same "$work/c-$picture.png" "$work/reference-$picture.png" ||
            die "the $picture under C differs from the reference game's"
    done
    echo "ok: under C the pictures are the reference game's, pixel for pixel"
fi

# L in the menu: Polish -> the next language, kept for the next start.
start_at_menu "$work/run"
rest_pointer
key "$window" l
sleep 0.5
screenshot "$window" "$work/switched.png"
same "$work/switched.png" "$work/c-menu.png" && die "L did not switch the menu's language"
quit_from_menu
grep -qx 'language = [a-z]*' "$XDG_CONFIG_HOME/zembrix/settings.ini" ||
    die "L's choice was not kept in settings.ini"
kept=$(sed -n 's/^language = //p' "$XDG_CONFIG_HOME/zembrix/settings.ini")
start_at_menu "$work/run"
rest_pointer
sleep 0.5
screenshot "$window" "$work/kept.png"
same "$work/kept.png" "$work/switched.png" || die "the next start did not keep \"$kept\""
quit_from_menu
echo "ok: L switched the menu to \"$kept\" and the next start kept it"
