#!/usr/bin/env bash
# The menu in the real window: background, logo and four buttons; the hover tint; the scoreboard
# and back; "Wyjście" ends the game with exit code 0 and an empty score table on disk.
# Usage: menu.sh ZEMBRIX XCLOSE PACK
source "$(dirname "$0")/lib.sh"
game_arguments "$@"

start_x
start_at_menu "$work/run"
rest_pointer
sleep 0.5
screenshot "$window" "$work/menu.png"
# The four buttons stand at x 320..480, tops 248, 312, 376, 440, height 48; their captions are
# drawn over the button picture, so each button's middle row has more than one colour.
for top in 248 312 376 440; do
    colours=$(convert "$work/menu.png" -crop "160x48+320+$top" +repage -unique-colors -format "%w" info:)
    ((colours > 20)) || die "button at $top looks empty ($colours colours)"
done
# The logo stands at (81, 16), 638 x 158, over the tiled background.
logo=$(convert "$work/menu.png" -crop "638x158+81+16" +repage -unique-colors -format "%w" info:)
((logo > 50)) || die "no logo ($logo colours)"
# Left of the buttons only the tiled background shows: many shades, where the clear is one.
shades=$(convert "$work/menu.png" -crop "300x380+0+200" +repage -unique-colors -format "%w" info:)
((shades > 20)) || die "no background behind the menu ($shades colours)"
echo "ok: menu with background, logo and four buttons"

# Hover over "Info" (top 376): the button is tinted darker.
before=$(pixel "$work/menu.png" 330 380)
xdotool mousemove --window "$window" 400 400
sleep 0.5
screenshot "$window" "$work/hover.png"
after=$(pixel "$work/hover.png" 330 380)
[[ "$before" != "$after" ]] || die "hover over Info changed nothing ($before)"
echo "ok: hover tints Info ($before -> $after)"

# "Tabela wyników" shows the scoreboard; Escape comes back to the menu.
click "$window" 400 336
screenshot "$window" "$work/scores.png"
cmp -s <(convert "$work/scores.png" rgb:-) <(convert "$work/menu.png" rgb:-) && die "the scoreboard did not show"
key "$window" Escape
rest_pointer
sleep 0.5
screenshot "$window" "$work/back.png"
back=$(pixel "$work/back.png" 330 380)
near "$back" "$before" 8 || die "Escape did not return to the menu ($back vs $before)"
echo "ok: scoreboard shown and left with Escape"

# "Wyjście" (top 440) ends the game.
quit_from_menu
size=$(stat -c %s "$work/run/scoreboard.zxs")
[[ "$size" == 4 ]] || die "scoreboard.zxs holds $size bytes, expected 4"
echo "ok: Wyjście ends with exit 0, scoreboard.zxs of 4 bytes"
