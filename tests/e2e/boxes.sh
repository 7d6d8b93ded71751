#!/usr/bin/env bash
# The message boxes in real windows, answered with real key presses: the error box without
# data.zxp (Enter answers it); the Info box, which a Return held down before it opened does not
# answer, which keeps the game's window from clicks and which a close request closes; the
# question on Escape in the play field, which a held Escape does not answer and neither Escape
# nor a close request closes, and which under a window manager is a dialog of the game's window;
# the game's window closed while the question is open ends the game once the question is
# answered; SIGTERM while it is open closes it and ends the game.
# Usage: boxes.sh ZEMBRIX XCLOSE PACK
source "$(dirname "$0")/lib.sh"
game_arguments "$@"

# Checks screenshot $1 of a box of width x height $2: white ground above a grey strip of
# buttons, dark text (at least $3 pixels) in the white part.
box_look() {
    local png=$1 w=${2%x*} h=${2#*x}
    [[ "$(pixel "$png" 2 2)" == FFFFFF ]] || die "$png: no white ground"
    [[ "$(pixel "$png" 2 $((h - 2)))" == F0F0F0 ]] || die "$png: no grey strip of buttons"
    (($(dark_count "$png" "${w}x$((h - 60))+0+0") > $3)) || die "$png: no text"
}

start_x

# Without the pack: "data.zxp not exists!" in a plain box captioned "Error"; Enter answers it.
mkdir "$work/empty"
start_game "$game" "$work/empty"
box=$(wait_window Error 20) || die "no message box without data.zxp"
sleep 0.5
screenshot "$box" "$work/box-error.png"
geometry=$(windows_named Error | awk '{print $2; exit}')
box_look "$work/box-error.png" "$geometry" 60
key_closing "$box" Return
expect_exit 1 "after Enter on the box without data.zxp"
echo "ok: \"data.zxp not exists!\" ($geometry) answered with Enter, exit 1"

start_at_menu "$work/run"

# Return held down in the menu, then a click on "Info": the box opens with Return repeating.
# The pointer first leaves the buttons (it starts over "Graj"): Return chooses the button under
# it, so the press must not choose anything (a game started here used to make every click miss).
# The menu takes a click from the last event of a frame: a repeat of the held key in the same
# frame undoes it, so the click is made again (up to five times) until the box shows. X repeats
# the key three times a second here rather than 25, so that a repeat seldom shares a frame with
# the click even when frames are slow (the sanitizer build on a busy machine).
rest_pointer
focus_window "$window"
xset r rate 660 3
key_down Return
for ((attempt = 0; attempt < 5; attempt++)); do
    click "$window" 400 400
    info=$(wait_window Info 4) && break
done
[[ -n "$info" ]] || { key_up Return; die "Info showed no box (or the held Return answered it at once)"; }
sleep 1.5
! window_gone "$info" || { key_up Return; die "the Return held before the Info box answered it"; }
key_up Return
sleep 0.5
! window_gone "$info" || die "releasing Return answered the Info box"
screenshot "$info" "$work/box-info.png"
box_look "$work/box-info.png" "$(windows_named Info | awk '{print $2; exit}')" 200
# The box disables the game's window, as on Windows: a click on "Wyjście" meanwhile does nothing,
# then or later. The window manager's close request closes an OK box.
click "$window" 400 464
"$xclose" "$info"
poll 20 window_gone "$info" || die "the close request did not close the Info box"
poll 30 menu_shown "$window" || die "no menu after the Info box (a click on Wyjście during it?)"
echo "ok: the Info box stayed open under a held Return, ignored a click on the game, closed on request"

# The play field; Escape held down asks the question, which the held Escape does not answer.
start_playing
focus_window "$window"
key_down Escape
question=$(poll 20 dialog_window) || { key_up Escape; die "Escape showed no question (or the held Escape answered it at once)"; }
sleep 1.5
! window_gone "$question" || { key_up Escape; die "the held Escape answered the question"; }
key_up Escape
screenshot "$question" "$work/box-question.png"
box_look "$work/box-question.png" "$(windows_named Zembrix | awk '$2 != "800x608" {print $2; exit}')" 100
key "$question" Escape
"$xclose" "$question"
sleep 0.5
! window_gone "$question" || die "Escape or the close request closed the Yes/No question"
echo "ok: the question stayed open under a held Escape, after Escape and a close request"

# Under a window manager the question is a dialog of the game's window: transient for it, centred
# on it, without taskbar entry or maximise, and above it after a click on the game. xfwm4 offers
# no minimise to a dialog of another window; openbox offers minimising to every dialog, and
# minimises it together with the window it belongs to, so the question never hides alone.
if [[ -n "$wm" ]]; then
    props=$(xprop -id "$question")
    grep -q 'WM_TRANSIENT_FOR(WINDOW): window id # '"$window"'$' <<<"$props" ||
        die "the question is not transient for the game's window"
    grep -q '_NET_WM_WINDOW_TYPE(ATOM) = _NET_WM_WINDOW_TYPE_DIALOG$' <<<"$props" ||
        die "the question is not a dialog: $(grep _NET_WM_WINDOW_TYPE <<<"$props")"
    grep -q '_NET_WM_STATE(ATOM) = .*_NET_WM_STATE_SKIP_TASKBAR' <<<"$props" ||
        die "the question has a taskbar entry"
    # The frame it asks for (the Motif hints): title and border, moved only, no minimise,
    # maximise, or close (a Yes/No box offers none).
    grep -q '_MOTIF_WM_HINTS(_MOTIF_WM_HINTS) = 0x3, 0x4, 0x1a, 0x0, 0x0$' <<<"$props" ||
        die "the question asks for another frame: $(grep _MOTIF_WM_HINTS <<<"$props")"
    actions=$(grep '_NET_WM_ALLOWED_ACTIONS' <<<"$props") || die "$wm allows the question nothing"
    [[ "$actions" != *MAXIMIZE* ]] || die "the question can be maximised: $actions"
    [[ "$actions" != *MINIMIZE* || "$wm" == openbox ]] || die "the question can be minimised: $actions"
    centre() { xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
        /Width:/ {w = $NF} /Height:/ {h = $NF} END {print x + int(w / 2), y + int(h / 2)}'; }
    read -r qx qy < <(centre "$question")
    read -r gx gy < <(centre "$window")
    ((qx - gx <= 2 && gx - qx <= 2 && qy - gy <= 2 && gy - qy <= 2)) ||
        die "the question's centre ($qx, $qy) is not the game window's ($gx, $gy)"
    click "$window" 700 560
    sleep 0.5
    stacked_above "$question" "$window" || die "a click on the game's window put it above the question"
    ! window_gone "$question" || die "a click on the game's window closed the question"
    echo "ok: under $wm the question is a centred dialog of the game's window, stays above it after a click (${actions#*= })"
    if [[ "$actions" == *MINIMIZE* ]]; then
        iconic() { xprop -id "$1" WM_STATE | grep -q 'window state: Iconic'; }
        shown() { xprop -id "$1" WM_STATE | grep -q 'window state: Normal'; }
        xdotool windowminimize "$question"
        poll 20 iconic "$window" || die "minimising the question left the game's window shown"
        iconic "$question" || die "the question stayed shown when it was minimised"
        xdotool windowactivate "$window"
        poll 20 shown "$question" || die "the question stayed hidden when the game's window came back"
        shown "$window" || die "the game's window stayed hidden"
        sleep 0.5
        stacked_above "$question" "$window" || die "the question came back below the game's window"
        echo "ok: under $wm the question minimised takes the game's window with it, and both come back"
    fi
fi

# The game's window closed while the question is open: the question stays; "Nie" (Tab, Enter)
# answers it, and then the game ends.
"$xclose" "$window"
sleep 0.5
! window_gone "$question" || die "closing the game's window closed the question"
kill -0 "$game_pid" || die "the game ended while the question was open"
key "$question" Tab
key_closing "$question" Return
expect_exit 0 "after the question closed, its window closed during it"
echo "ok: the game's window closed during the question ends the game after it, exit 0"

# SIGTERM while the question is open: the question closes as "Nie" would and the game ends.
start_at_menu "$work/run"
start_playing

# Under a window manager: Return held as the question opens and let go before the question has
# the focus (openbox held still meanwhile, as a busy one is), so that the question sees no
# release; Return pressed again answers Yes all the same.
if [[ -n "$wm" ]]; then
    focus_window "$window"
    key_down Return
    kill -STOP "$wm_pid"
    xdotool key Escape
    sleep 1
    key_up Return
    kill -CONT "$wm_pid"
    question=$(poll 20 dialog_window) || die "Escape showed no question"
    sleep 1
    ! window_gone "$question" || die "the Return held before the question answered it"
    key_closing "$question" Return
    poll 30 menu_shown "$window" || die "Return let go unseen, then pressed, did not answer Yes"
    echo "ok: Return let go while $wm handed the focus over, then pressed, answers the question"
    start_playing
fi
ask_question
kill -TERM "$game_pid"
expect_exit 0 "after SIGTERM while the question was open"
! window_gone "$question" && die "the question stayed after the game ended"
echo "ok: SIGTERM while the question is open closes it and ends the game, exit 0"
