#!/usr/bin/env bash
# A whole run in the real window: level 1 played until the last life goes, the name dialog
# (without an owner) answered with a Polish name, the table on disk at once, back to the menu, the score table showing the run in place 1,
# "Wyjście" with exit code 0, the record in scoreboard.zxs, the log lines in their order, and a
# second start in the same folder showing the same table.
# The run's replay verifies to the table's points. The Linux build then plays a second run and
# is killed (SIGKILL) right after its name dialog: both records, and both replays, are on disk.
# Usage: fullrun.sh ZEMBRIX XCLOSE PACK
source "$(dirname "$0")/lib.sh"
game_arguments "$@"

# The ball waits on the bat while "Naciśnij Spację aby rozpocząć" stands in the middle of the
# field.
waiting() {
    ball_on_bat "$1" "$2" && (($(dark_count "$1" 500x40+150+262) > 500))
}

# Prints the middle of the flying ball in PNG $1 as "x y", looking between the stones and the
# bat for its blue; nothing when it is not there.
ball_at() {
    local box
    box=$(convert "$1[736x456+32+100]" +repage -fuzz 15% -fill black +opaque '#60B3F6' \
        -fill white -opaque '#60B3F6' -format "%@" info: 2>/dev/null) || return 0
    [[ "$box" =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || return 0
    ((BASH_REMATCH[1] > 0)) || return 0
    echo $((32 + BASH_REMATCH[3] + BASH_REMATCH[1] / 2)) $((100 + BASH_REMATCH[4] + BASH_REMATCH[2] / 2))
}

# Frames of the same screen compared: identical, but under Wine, whose text drawing now and then
# differs by 1 of 255 in a few pixels of a text drawn again, within 1 %.
fuzz=0
[[ "$game" == *.exe ]] && fuzz=1

# Loses the run on purpose: launches whenever the ball waits and drives the bat to the far wall,
# so that the ball comes down where the bat is not. Each lost life but the last puts the ball
# back on the bat with one life less in the top left corner; the last one opens the name dialog,
# whose id goes to $dialog. Counts the launches, the bat's places and the lives counts seen.
lose_run() {
    launches=0
    from=()
    lives_seen=()
    local end=$((SECONDS + 100)) bat lives ball_x ball_y
    until dialog=$(dialog_window); do
        ((SECONDS < end)) || die "no name dialog after $launches launches"
        screenshot "$window" "$work/play.png"
        bat=$(bat_x "$work/play.png")
        if [[ -n "$bat" ]] && waiting "$work/play.png" "$bat"; then
            lives=$(convert "$work/play.png[200x44+40+36]" +repage rgb:- | md5sum | cut -c1-32)
            lives_seen[$lives]=1
            key "$window" space
            if ((bat < 352)); then
                hold_key "$window" d 1
            else
                hold_key "$window" a 1
            fi
            launches=$((launches + 1))
            from+=("$bat")
        elif [[ -n "$bat" ]] && read -r ball_x ball_y < <(ball_at "$work/play.png") &&
            ((ball_x > bat - 150 && ball_x < bat + 246)); then
            # The bat sent the ball back up after all: take the bat to the wall away from the ball.
            if ((ball_x < 400)); then
                hold_key "$window" d 1
            else
                hold_key "$window" a 1
            fi
        fi
        sleep 0.3
    done
}
declare -A lives_seen=()


# The Windows program runs as on an English Windows (code page 1252), where the Polish name
# typed on a Polish keyboard must still reach the table in Windows-1250. Wine takes C.UTF-8 as
# English (United States) too, and unlike en_US.UTF-8 every machine has it: in a locale the
# machine lacks, Wine reads the keyboard in Latin-1 and drops the letters typed with AltGr
# that Latin-1 lacks.
wine_locale=C.UTF-8
start_x
polish_keyboard
start_at_menu "$work/run"
look_at_scores "$work/scores-empty.png"
echo "ok: menu, and the empty score table before the run"

# "Graj": level 1; wait for the banner to pass so that the stones are seen whole.
start_playing
poll 60 still "$window" || die "the field never stood still"
cp "$work/b.png" "$work/level.png"
while read -r cell; do
    saturated "$(mean_colour "$work/level.png" "$cell")" || die "no stone at $cell"
done < <(stone_cells)
echo "ok: level 1 with its 27 stones"

lose_run
((${#lives_seen[@]} >= 3)) || die "only ${#lives_seen[@]} different lives counts seen while waiting"
((launches >= 3)) || die "the run ended after $launches launches"
echo "ok: $launches launches (the bat at x ${from[*]}), the ball back on the bat after each lost life (${#lives_seen[@]} counts)"

# The name dialog: a small window of its own. Its field offers the empty name of a first run:
# the bat's keys, maybe held down when the last life went, must not have typed into it (the
# caret alone is dark there). Then the Polish name and Enter.
geometry=$(windows_named Zembrix | awk -v id="$dialog" '$1 == id {print $2}')
width=${geometry%x*}
height=${geometry#*x}
((width < 800 && height < 608)) || die "the name dialog is $geometry"
sleep 1.5
screenshot "$dialog" "$work/dialog-empty.png"
# The edit field inside the dialog's window; under Wine that window also holds the caption.
field=155x18+59+13
[[ "$game" == *.exe ]] && field=150x14+64+34
typed=$(dark_count "$work/dialog-empty.png" "$field")
((typed < 30)) || die "keys pressed before the name dialog opened typed into it ($typed dark pixels)"
type_text "$dialog" "Zażółć"
sleep 0.5
screenshot "$dialog" "$work/dialog-name.png"
typed=$(differing "$work/dialog-empty.png" "$work/dialog-name.png" "${geometry}+0+0")
((typed > 20)) || die "typing changed nothing in the name dialog"
# The dialog has no owner: nothing ties it to the game's window. (Without a window manager SDL
# marks every window transient for the root window, which names no owner.)
transient=$(xprop -id "$dialog" WM_TRANSIENT_FOR)
root=$(xwininfo -root | awk '/Window id:/ {print $4}')
[[ "$transient" == *"not found"* || "$transient" == *"# $root" ]] ||
    die "the name dialog has an owner: $transient"
key_closing "$dialog" Return
poll 30 window_gone "$dialog" ||
    die "the name dialog stayed after Enter"
# The table is on disk as soon as the run entered it, long before the game ends.
poll 10 test -s "$work/run/scoreboard.zxs" || die "no scoreboard.zxs after the name dialog"
cp "$work/run/scoreboard.zxs" "$work/at-once.zxs"
echo "ok: name dialog ($geometry, no owner) took \"Zażółć\" and closed with Enter; the table is on disk at once"

# The run is lost: three lines of text where the waiting text stood. The points are those of
# the stones broken: 10 for purple, 50 for orange.
sleep 1
screenshot "$window" "$work/lost.png"
(($(dark_count "$work/lost.png" 700x40+50+305) > 500)) || die "no second line of the lost-run text"
(($(dark_count "$work/lost.png" 700x40+50+345) > 500)) || die "no third line of the lost-run text"
points=0
broken=0
while read -r cell; do
    before=$(mean_colour "$work/level.png" "$cell")
    after=$(mean_colour "$work/lost.png" "$cell")
    if saturated "$after"; then
        continue
    fi
    near "$after" FFFFFF 16 || die "stone at $cell neither whole nor gone ($after)"
    broken=$((broken + 1))
    if ((16#${before:0:2} > 16#${before:4:2})); then
        points=$((points + 50))
    else
        points=$((points + 10))
    fi
done < <(stone_cells)
echo "ok: the run is lost with $broken stones broken, $points points"

leave_game
look_at_scores "$work/scores-run.png"
row0=$(differing "$work/scores-empty.png" "$work/scores-run.png" 768x47+16+103)
((row0 > 50)) || die "place 1 of the score table did not change ($row0 pixels)"
for ((place = 1; place < 10; place++)); do
    other=$(differing "$work/scores-empty.png" "$work/scores-run.png" "768x47+16+$((103 + 49 * place))" $fuzz)
    ((other == 0)) || die "place $((place + 1)) changed ($other pixels)"
done
echo "ok: the score table shows the run in place 1 and nothing else changed"

# "Wyjście" ends the game; the table on disk holds the one record.
quit_from_menu
file=$work/run/scoreboard.zxs
size=$(stat -c %s "$file")
[[ "$size" == 40 ]] || die "scoreboard.zxs holds $size bytes, expected 40 (count and one record)"
count=$(od -A n -t u4 -j 0 -N 4 "$file" | tr -d ' ')
[[ "$count" == 1 ]] || die "count $count in scoreboard.zxs"
name=$(od -A n -t x1 -j 4 -N 7 "$file" | tr -d ' ')
[[ "$name" == 5a61bff3b3e600 ]] || die "name bytes $name, expected Za\\xBF\\xF3\\xB3\\xE6 and a zero"
stored=$(od -A n -t u4 -j 36 -N 4 "$file" | tr -d ' ')
[[ "$stored" == "$points" ]] || die "scoreboard.zxs holds $stored points, the broken stones give $points"
cp "$file" "$work/first.zxs"
cmp -s "$work/at-once.zxs" "$file" || die "the table written at once differs from the one written at the end"
echo "ok: exit code 0; scoreboard.zxs: count 1, \"Zażółć\" in Windows-1250, $stored points"

# The run left its replay beside the table, and the game plays it back to the table's points and
# name; a copy cut to half its length is refused.
if [[ "$game" != *.exe ]]; then
    replays=("$work"/run/replays/*.zxr)
    ((${#replays[@]} == 1)) && [[ -s "${replays[0]}" ]] || die "no single replay of the run: ${replays[*]}"
    verified=$(cd "$work/run" && timeout 60 "$game" --verify-replay "${replays[0]}") ||
        die "the run's replay does not verify: $(grep -E '^(points|differs)' <<<"$verified")"
    grep -qx "points: $stored" <<<"$verified" && grep -qx "name: Zażółć" <<<"$verified" ||
        die "the replay gives $(grep -E '^(points|name):' <<<"$verified" | tr '\n' ' ')"
    head -c $(($(stat -c %s "${replays[0]}") / 2)) "${replays[0]}" >"$work/half.zxr"
    code=0
    (cd "$work/run" && timeout 60 "$game" --verify-replay "$work/half.zxr" >/dev/null 2>&1) || code=$?
    ((code == 2)) || die "a replay cut to half its length gives exit $code, not 2"
    echo "ok: the run's replay verifies to $stored points for \"Zażółć\"; half of it is refused"
fi

check_lines "$work/run/stdout.log" 'DirectX initialized!' "${menu_log[@]}" 'Intialized in [0-9]+ ms' \
    "${scores_log[@]}" "${menu_log[@]}" "${game_log[@]}" "${menu_log[@]}" "${scores_log[@]}" \
    "${menu_log[@]}" || die "the log lines of the first start differ"
echo "ok: the log lines of the first start in their order"

# A second start in the same folder reads the table back and shows it as before.
mv "$work/run/stdout.log" "$work/first-stdout.log"
start_at_menu "$work/run"
look_at_scores "$work/scores-again.png"
again=$(differing "$work/scores-run.png" "$work/scores-again.png" 768x47+16+103 $fuzz)
((again == 0)) || die "place 1 differs at the second start ($again pixels)"
whole=$(differing "$work/scores-run.png" "$work/scores-again.png" 800x608+0+0 $fuzz)
((whole == 0)) || die "the score table differs at the second start ($whole pixels)"
quit_from_menu
cmp -s "$work/first.zxs" "$file" || die "scoreboard.zxs changed at the second start"
check_lines "$work/run/stdout.log" 'DirectX initialized!' "${menu_log[@]}" 'num = 1' \
    'Intialized in [0-9]+ ms' "${scores_log[@]}" "${menu_log[@]}" ||
    die "the log lines of the second start differ"
echo "ok: the second start shows the same table, logs \"num = 1\" and keeps the file"

# The Windows program's table read by the Linux build (ZX_LINUX_GAME, when the game tested is the
# Windows program): it loads the one record, shows the table, and at its end writes back the
# very bytes it read, the name in Windows-1250 and the points.
if [[ "$game" == *.exe && -n "${ZX_LINUX_GAME:-}" ]]; then
    mv "$work/run/stdout.log" "$work/second-stdout.log"
    game=$(realpath "$ZX_LINUX_GAME") start_at_menu "$work/run"
    look_at_scores "$work/scores-linux.png"
    quit_from_menu
    grep -qx 'num = 1' "$work/run/stdout.log" || die "the Linux build did not read the record"
    cmp -s "$work/first.zxs" "$file" || die "the Linux build wrote the table back differently"
    echo "ok: the Linux build reads the Windows program's table (one record, \"Zażółć\", $stored points) and writes it back byte for byte"
fi

# A second run, killed right after its name dialog closes, as a crash or a power cut would end it:
# the run entered the table at once, so both records are on disk.
if [[ "$game" != *.exe ]]; then
    start_at_menu "$work/run"
    start_playing
    lose_run
    sleep 1.5
    type_text "$dialog" "Ola"
    key_closing "$dialog" Return
    poll 30 window_gone "$dialog" || die "the second name dialog stayed after Enter"
    kill -KILL "$game_pid"
    wait_game_exit 20 || die "the game outlived SIGKILL"
    size=$(stat -c %s "$file")
    [[ "$size" == 76 ]] || die "scoreboard.zxs holds $size bytes after SIGKILL, expected 76 (two records)"
    names=$(od -A n -t x1 -j 4 -N 4 "$file" | tr -d ' ')$(od -A n -t x1 -j 40 -N 4 "$file" | tr -d ' ')
    [[ "$names" == *4f6c6100* && "$names" == *5a61bff3* ]] ||
        die "the records after SIGKILL are not \"Ola\" and \"Zażółć\" ($names)"
    replays=("$work"/run/replays/*.zxr)
    ((${#replays[@]} == 2)) || die "${#replays[@]} replays after SIGKILL, expected the two runs'"
    echo "ok: a second run killed right after its name dialog is on disk with the first, and so is its replay"
fi
