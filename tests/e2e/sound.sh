#!/usr/bin/env bash
# The game's sound, recorded through SDL's disk audio driver and read back with zxsound scan:
# a menu choice as the click reaches the game; a ball launched straight up from the still bat
# breaks the three purple stones above it one by one, the first heard (on Linux) between the
# screenshots that show it whole and broken, knocking on the bat in between, then bounces between
# the top wall and the bat; Escape's box opens with its sound (Linux only: Windows makes its own).
# M silences everything after it, the next start is muted from the settings, and M brings the
# sound back; --mute starts muted. With an audio driver that fails the game starts and ends as
# usual. The Windows program under Wine records through SDL2.dll's disk driver the same way.
# Usage: sound.sh ZEMBRIX XCLOSE PACK ZXSOUND
source "$(dirname "$0")/lib.sh"
game_arguments "$@"
zxsound=$(realpath "$4")

# The recording: 44.1 kHz, stereo, 16-bit, in the game's folder (a relative name, which the
# Windows program under Wine takes as well).
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=stream.raw
rate=44100

# The recording's length so far in milliseconds: the stream runs on while the device is paused,
# so this is the moment on the recording's clock. The device opens with the first sound: before
# it there is no recording, and the clock stands at 0.
stream_ms() {
    echo $(($(stat -c %s "$game_dir/stream.raw" 2>/dev/null || echo 0) / 4 * 1000 / rate))
}

# The effects heard in the recording of folder $1, one "<ms> <name> ..." line each, after $2 ms.
heard_after() {
    [[ -e "$1/stream.raw" ]] || return 0
    "$zxsound" scan "$1/stream.raw" | awk -v from="$2" '$1 >= from'
}

# Starts the game in $work/run with options "$@" and waits for its menu. The menu opens no
# audio device: nothing is recorded until the first sound.
start_recorded() {
    rm -f "$work/run/stream.raw"
    start_at_menu "$work/run" "$@"
    sleep 1
    [[ ! -e "$work/run/stream.raw" ]] || die "the menu opened the audio device before any sound"
}

# Clicks "Graj" and waits for the play field; sets clicking and clicked to the moments before
# and after the click was made. The pointer comes onto the button from above it, as a player's
# does: under Wine without a window manager, a click with no motion since a box closed over the
# window is followed in the same turn by the pointer leaving, and the menu takes a release only
# as the turn's last event. Under Wine on a loaded machine the field took 23 s to show.
play() {
    xdotool mousemove --window "$window" 400 200
    sleep 0.3
    xdotool mousemove --window "$window" 400 272
    sleep 0.3
    clicking=$(stream_ms)
    xdotool click 1
    clicked=$(stream_ms)
    poll 60 field_shown "$window" || die "Graj did not show the play field"
}

# True once the flight's eight effects (a free life's tune aside) are heard after $launched;
# they are left in heard.txt.
flight_heard() {
    heard_after "$work/run" "$launched" >"$work/heard.txt"
    (($(awk '$2 != "free-life"' "$work/heard.txt" | wc -l) >= 8))
}

# True once an effect is heard after $unmuted (the ball knocks again).
heard_after_unmuting() {
    [[ -n "$(heard_after "$work/run" "$unmuted")" ]]
}

# The settings file; the Windows program's lies in the Wine prefix that the tests share, so it
# starts unmuted here and is removed again at the end.
if [[ "$game" == *.exe ]]; then
    settings=$(wine_local_data)/zembrix/settings.ini || die "no AppData/Local folder in the Wine prefix"
    rm -f "$settings"
else
    settings=$XDG_CONFIG_HOME/zembrix/settings.ini
fi

start_x

# --- A recorded run.
start_recorded
play
heard_after "$work/run" 0 >"$work/heard.txt"
read -r first_ms first _ <"$work/heard.txt" || die "nothing was heard"
[[ "$first" == menu-choice ]] || die "the first effect is $first, expected menu-choice"
# Heard after the click was made and at most three frames and a buffer after it reached the game.
latency=$((${first_ms%.*} - clicking))
((latency >= 0 && ${first_ms%.*} <= clicked + 65)) ||
    die "the menu choice sounds at $first_ms ms, the click was made from $clicking to $clicked ms"
echo "ok: menu-choice heard $latency ms after the click began ($((clicked - clicking)) ms to make)"

# The launch, with the stone above the bat watched: screenshots back to back, each between two
# readings of the recording's clock, until one shows the stone broken. Its break must sound
# between the last screenshot that showed it whole and the first that did not.
sleep 3 # the level's banner has left the stone
screenshot "$window" "$work/whole.png"
launched=$(stream_ms)
key "$window" space
before=$launched
for ((shot = 0; shot < 100; shot++)); do
    taking=$(stream_ms)
    screenshot "$window" "$work/shot.png"
    taken=$(stream_ms)
    (($(differing "$work/whole.png" "$work/shot.png" 64x32+368+192 10) > 200)) && break
    before=$taking
done
((shot < 100)) || die "the stone above the bat did not break"
# At the slowest launch the eighth effect comes 9 s after it, twice that under Wine.
poll 60 flight_heard || die "the flight was not heard: $(cat "$work/heard.txt")"
read -r broke_ms broke _ <"$work/heard.txt" || die "nothing was heard after the launch"
[[ "$broke" == stone-purple ]] || die "the first effect after the launch is $broke"
# Under Wine the screenshots lag the game's frames (by up to 370 ms), so the bracket holds on
# Linux only.
if [[ -z "$windows_game" ]]; then
    ((${broke_ms%.*} >= before - 12 && ${broke_ms%.*} <= taken + 12)) ||
        die "the stone broke between $before and $taken ms on the recording; its sound came at $broke_ms"
fi
echo "ok: the break heard at $broke_ms ms, seen between $before and $taken ms"

# The flight: the effects after the launch in their order. (A stone may give a free life, one
# in a hundred: its tune is no part of the flight.)
names=$(awk '$2 != "free-life" {printf "%s ", $2}' "$work/heard.txt" | cut -d ' ' -f 1-8)
[[ "$names" == "stone-purple bat-bounce stone-purple bat-bounce stone-purple bat-bounce wall-bounce bat-bounce" ]] ||
    die "after the launch: $names"
echo "ok: then $names"
# The ball meets the bat in its middle, and the bat knocks at its own pitch; everything sounds
# near the middle, a little to the left (the ball's x is 392 of 800).
awk '{ if ($4 < $5 || $4 > 1.1 || $5 < 0.9) bad = 1; if ($2 == "bat-bounce" && $3 != "1.000") bad = 1 }
    END { exit bad }' "$work/heard.txt" || die "gains or pitches differ: $(cat "$work/heard.txt")"

# Escape's box: its own sound on Linux, none from the game on Windows.
boxed=$(stream_ms)
ask_question
sleep 0.5
answer_yes
box=$(heard_after "$work/run" "$boxed" | grep -c box-opening || true)
if [[ "$game" == *.exe ]]; then
    ((box == 0)) || die "the Windows program made the box's sound itself"
else
    ((box == 1)) || die "the box opened with $box box sounds, expected 1"
fi
echo "ok: the box's sound: $box"

# M: nothing more is heard, neither the menu's choice nor the flight.
muted=$(stream_ms)
key "$window" m
play
key "$window" space
sleep 3
after=$(heard_after "$work/run" "$muted")
[[ -z "$after" ]] || die "heard after M: $after"
echo "ok: after M nothing is heard"
close_game

# --- The next start is muted, as the settings keep it; M unmutes and is kept too.
grep -qx 'mute = on' "$settings" || die "M was not kept in $settings"
start_recorded
play
key "$window" space
sleep 2
after=$(heard_after "$work/run" 0)
[[ -z "$after" ]] || die "the start after M is not muted: $after"
unmuted=$(stream_ms)
key "$window" m
poll 20 heard_after_unmuting || die "nothing is heard after M unmuted"
close_game
grep -qx 'mute = off' "$settings" || die "M's unmuting was not kept in $settings"
echo "ok: the next start is muted, M brings the sound back and is kept"

# --- --mute: muted from the start, and kept like M's choice.
start_recorded --mute
play
after=$(heard_after "$work/run" 0)
[[ -z "$after" ]] || die "the start with --mute is not muted: $after"
close_game
grep -qx 'mute = on' "$settings" || die "--mute was not kept in $settings"
[[ -z "$windows_game" ]] || rm -f "$settings"
echo "ok: --mute starts muted"

# --- An audio driver that fails: the game plays silently, says so in one line, ends with 0.
SDL_AUDIODRIVER=no-such-driver start_at_menu "$work/run"
play
close_game
lines=$(wc -l <"$work/run/stderr.log")
((lines <= 1)) || die "$lines lines on standard error with a failing audio driver"
echo "ok: a failing audio driver: the game runs silently, $lines line on standard error, exit 0"
