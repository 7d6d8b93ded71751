#!/usr/bin/env bash
# The Windows program on a Windows without Microsoft's DirectX End-User Runtime: it imports no
# d3dx9_43.dll, only DLLs that every Windows has and SDL2.dll; with Wine's own d3dx9_43.dll
# switched off it shows its box naming the missing DLL and the runtime (Polish and English),
# opens no game window, and ends with exit code 1 once Enter closes the box.
# Usage: nod3dx.sh ZEMBRIX_EXE
game=$(realpath "$1")
pack=${game%/*}/data.zxp # the build's pack beside it
source "$(dirname "$0")/../e2e/lib.sh"

imports=$(x86_64-w64-mingw32-objdump -p "$game" | sed -n 's/^\tDLL Name: //p' | tr 'A-Z' 'a-z' |
    sort | tr '\n' ' ')
[[ -n "$imports" ]] || die "objdump lists no imports of $game"
for dll in $imports; do
    case $dll in
    kernel32.dll | user32.dll | gdi32.dll | d3d9.dll | shell32.dll | ole32.dll | msvcrt.dll | \
        api-ms-win-crt-*.dll | sdl2.dll) ;;
    *) die "the program imports $dll (imports: $imports)" ;;
    esac
done
echo "ok: imports $imports"

start_x
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}d3dx9_43="
start_in "$work/run"
box=$(wait_window Zembrix 60) || die "no box without d3dx9_43.dll"
sleep 1
[[ -z "$(windows_named Zembrix | awk '$2 == "800x608"')" ]] ||
    die "a game window opened without d3dx9_43.dll"
screenshot "$box" "$work/box.png"
geometry=$(convert "$work/box.png" -format '%wx%h' info:)
# Eight lines of text and the address twice: a tall box with much dark ink.
ink=$(dark_count "$work/box.png" "${geometry}+0+0")
((ink > 2000)) || die "the box ($geometry) holds little text ($ink dark pixels)"
grep -q 'd3dx9_43.dll not found' "$work/run/stderr.log" || die "the log does not name the DLL"
key_closing "$box" Return
expect_exit 1 "after the box without d3dx9_43.dll"
echo "ok: without d3dx9_43.dll a box ($geometry, $ink dark pixels), no game window, exit code 1"
