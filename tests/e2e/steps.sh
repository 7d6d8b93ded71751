# The steps a player takes through the game, shared by the end-to-end tests: the game started in
# a folder, the menu, the score table, the play field and its question, the game's end. Sourced
# by lib.sh; they work on the game's window $window and end the test with die when a step fails.

# Starts the game ($game) in folder $1, putting the pack ($pack) there first when it has none;
# its logs go there too. Options for the game follow in $2 and after.
start_in() {
    [[ -f "$1/data.zxp" ]] || { mkdir -p "$1" && cp "$pack" "$1/data.zxp"; }
    start_game "$game" "$1" "$1" "${@:2}"
}

# Starts the game in folder $1 as start_in does and waits for its 800 x 608 window, whose id
# goes to $window, and for the menu in it.
start_at_menu() {
    start_in "$@"
    window=$(wait_window Zembrix 60 800x608) || die "no game window"
    poll 60 menu_shown "$window" || die "the menu did not show"
}

# Waits up to 60 s for the game to end with exit code $1; $2 says after what ("after Wyjście").
expect_exit() {
    wait_game_exit 60 || die "the game did not end $2"
    [[ "$exit_code" == "$1" ]] || die "exit code $exit_code $2, expected $1"
}

# Asks the game's window $window to close, as the window manager's close button does (the close
# helper $xclose), and waits up to 60 s for the game to end with exit code 0.
close_game() {
    "$xclose" "$window"
    expect_exit 0 "after its window was closed"
}

# Clicks "Wyjście" in the menu of $window and waits up to 60 s for the game to end with exit
# code 0.
quit_from_menu() {
    click "$window" 400 464
    expect_exit 0 "after Wyjście"
}

# Rests the pointer in window $window away from the menu's buttons, which it would light.
rest_pointer() {
    xdotool mousemove --window "$window" 700 580
}

# Opens the score table from the menu of $window, lets it settle for a second, saves its
# screenshot as $1 and returns to the menu with Escape.
look_at_scores() {
    click "$window" 400 336
    poll 30 scoreboard_shown "$window" || die "Tabela wyników did not show the score table"
    sleep 1
    screenshot "$window" "$1"
    key "$window" Escape
    poll 30 menu_shown "$window" || die "releasing Escape did not return to the menu"
}

# Clicks "Graj" in the menu of $window and waits for the play field.
start_playing() {
    click "$window" 400 272
    poll 30 field_shown "$window" || die "Graj did not show the play field"
}

# True when two screenshots of window $1 half a second apart are the same, but for pixels that
# differ by at most $2 percent (default 0); the second one stays in $work/b.png.
still() {
    screenshot "$1" "$work/a.png"
    sleep 0.5
    screenshot "$1" "$work/b.png"
    (($(differing "$work/a.png" "$work/b.png" 800x608+0+0 "${2:-0}") == 0))
}

# Prints the id of the mapped window titled Zembrix that is not the game's 800 x 608 one: the
# question on Escape or the name dialog. False when there is none.
dialog_window() {
    windows_named Zembrix | awk '$2 != "800x608" {print $1; exit}' | grep .
}

# Escape in the play field of $window: waits for the question and puts its id in $question.
ask_question() {
    key "$window" Escape
    question=$(poll 20 dialog_window) || die "Escape showed no question"
}

# Answers the question $question with Return, its default button Yes, and waits for the menu.
answer_yes() {
    key_closing "$question" Return
    poll 30 menu_shown "$window" || die "Yes did not return to the menu"
}

# Leaves the play field of $window: Escape, then Yes; waits for the menu.
leave_game() {
    ask_question
    answer_yes
}
