#!/usr/bin/env bash
# The Debian package as players get it: lintian finds no error in it; unpacked into a scratch
# root (nothing is installed on the machine), its desktop entries (the game's and the level
# editor's) and metainfo validate, its icons have their sizes, and its game, started from an
# empty folder with a scratch home under Xvfb,
# finds the installed pack beside itself, shows the menu and, closed or sent SIGTERM, leaves its
# score table in the player's data folder. The options answer with their exit codes, and a game
# with no pack anywhere refuses to start.
# Usage: package.sh PACKAGE.deb XCLOSE
deb=$(realpath "$1")
xclose=$(realpath "$2")
source "$(dirname "$0")/../e2e/lib.sh"

root=$work/root
game=$root/usr/games/zembrix
data=$root/usr/share/games/zembrix

echo "== lintian"
status=0
timeout 300 lintian --fail-on error "$deb" >"$work/lintian.log" 2>&1 || status=$?
grep -v '^running with root' "$work/lintian.log" || true
[[ $status == 0 ]] || die "lintian reports errors (exit $status)"
echo "ok: lintian reports no error"

dpkg-deb -x "$deb" "$root"
[[ -x "$game" && -f "$data/data.zxp" && -f "$data/IndieFlower-OFL.txt" ]] ||
    die "the package lacks the game, its pack or the font's licence"
[[ -f "$root/usr/share/doc/zembrix/copyright" ]] || die "no copyright file"
zcat "$root/usr/share/man/man6/zembrix.6.gz" | grep -q '^\.TH ZEMBRIX 6' || die "no man page"
for language in pl de; do
    zcat "$root/usr/share/man/$language/man6/zembrix.6.gz" | grep -q '^\.TH ZEMBRIX 6' ||
        die "no man page in $language"
done

# Two desktop entries: the game's and the level editor's, the same program with --edit.
desktop=$root/usr/share/applications/io.github.zembrix.zembrix.desktop
editor=$root/usr/share/applications/io.github.zembrix.zembrix.editor.desktop
entries=("$root"/usr/share/applications/*.desktop)
((${#entries[@]} == 2)) || die "expected the game's and the editor's desktop entries: ${entries[*]}"
for entry in "$desktop" "$editor"; do
    timeout 60 desktop-file-validate "$entry" || die "desktop-file-validate refuses $entry"
    grep -qx 'Categories=Game;ArcadeGame;' "$entry" || die "the categories of $entry"
    grep -q '^Comment\[pl\]=' "$entry" || die "no Polish comment in $entry"
    grep -q '^Comment\[de\]=' "$entry" || die "no German comment in $entry"
done
grep -qx 'Exec=zembrix --edit %f' "$editor" || die "the editor's entry does not start the editor"
grep -qx 'Name\[pl\]=Zembrix: edytor poziomów' "$editor" || die "the editor's Polish name"
# Level-set files open with the game: their type is known by its name and handed to it.
grep -qx 'Exec=zembrix %f' "$desktop" || die "the desktop entry takes no file"
grep -qx 'MimeType=application/x-zembrix-levels;' "$desktop" || die "no level-set type in the entry"
cp -r "$root/usr/share/mime" "$work/mime"
timeout 60 update-mime-database "$work/mime" || die "update-mime-database refuses the type"
grep -q 'application/x-zembrix-levels:\*\.zxl' "$work/mime/globs2" || die "*.zxl is not the type's"
icon=$(sed -n 's/^Icon=//p' "$desktop")
for size in 48 64 128 256; do
    png=$root/usr/share/icons/hicolor/${size}x$size/apps/$icon.png
    [[ "$(identify -format '%wx%h' "$png" 2>/dev/null)" == "${size}x$size" ]] ||
        die "no $size-pixel icon $icon.png"
done
metainfo=$(echo "$root"/usr/share/metainfo/*.metainfo.xml)
timeout 60 appstreamcli validate --no-net "$metainfo" || die "appstreamcli refuses $metainfo"
echo "ok: desktop entries (the game opening *.zxl files, the editor), icons $icon at 48, 64, 128 and 256, metainfo, man page"

# The options, from an empty folder.
mkdir "$work/empty" "$work/home"
export HOME=$work/home XDG_DATA_HOME=$work/xdg
cd "$work/empty"
version=$(timeout 10 "$game" --version) || die "--version ended with $?"
[[ "$version" =~ ^Zembrix\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || die "--version printed \"$version\""
help=$(timeout 10 "$game" --help) || die "--help ended with $?"
grep -qF "$data/data.zxp" <<<"$help" || die "--help does not name the installed pack"
grep -qF "$work/xdg/zembrix/scoreboard.zxs" <<<"$help" || die "--help does not name the scores"
status=0
timeout 10 "$game" --no-such-option >"$work/bad.out" 2>"$work/bad.err" || status=$?
# The usage speaks the system's language: Polish here, where the tests' system names none.
[[ $status == 2 && ! -s "$work/bad.out" ]] && grep -q '^Użycie: zembrix' "$work/bad.err" ||
    die "an unknown option: exit $status, usage not on standard error alone"
[[ ! -e "$work/xdg" ]] || die "the options created the data folder"
echo "ok: --version ($version), --help, an unknown option (exit 2)"
cd "$work"

start_x

# Runs the unpacked game from the empty folder until its menu shows, then ends it with $1
# ("close" the window or "term" the process) and checks exit code 0 and the score file $2.
play_once() {
    start_game "$game" "$work/empty"
    local window
    window=$(wait_window Zembrix 30 800x608) || die "no window titled Zembrix"
    poll 20 menu_shown "$window" || die "the menu's pictures did not show"
    if [[ $1 == close ]]; then
        "$xclose" "$window"
    else
        kill -TERM "$game_pid"
    fi
    expect_exit 0 "after $1"
    [[ "$(od -An -tx1 "$2" 2>/dev/null | tr -d ' \n')" == 00000000 ]] ||
        die "no empty score table in $2 after $1"
    [[ ! -e "$work/empty/scoreboard.zxs" ]] || die "the scores went to the working directory"
    rm -f "$work/empty/stdout.log" "$work/empty/stderr.log"
}

play_once close "$work/xdg/zembrix/scoreboard.zxs"
echo "ok: the menu from an empty folder; closed, the scores in \$XDG_DATA_HOME/zembrix/"
unset XDG_DATA_HOME
play_once term "$work/home/.local/share/zembrix/scoreboard.zxs"
echo "ok: SIGTERM, the scores in ~/.local/share/zembrix/"

# The executable alone, with no pack beside it nor in the working directory: the box, exit 1.
mkdir -p "$work/bare/games"
cp "$game" "$work/bare/games/zembrix"
if [[ ! -e /usr/share/games/zembrix/data.zxp ]]; then
    (cd "$work/empty" && exec "$work/bare/games/zembrix") >"$work/bare.out" 2>&1 &
    game_pid=$!
    box=$(wait_window Error 20) || die "no message box without any data.zxp"
    key_closing "$box" Return
    expect_exit 1 "after Enter on the box without any data.zxp"
    echo "ok: no pack anywhere -> box, exit 1"
else
    echo "skipped: no pack anywhere (the game is installed on this machine)"
fi
echo "PASS: package"
