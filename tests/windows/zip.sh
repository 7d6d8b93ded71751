#!/usr/bin/env bash
# The zip for Windows players: one folder, Zembrix/, holding the program, SDL2.dll, the same
# data.zxp as the Linux build, the font's licence and the readme in English, Polish and German,
# each naming the DirectX runtime that brings d3dx9_43.dll and the languages; and the program
# carries its icon, manifest, version record and name dialog.
# Usage: zip.sh ZIP LINUX_PACK
set -euo pipefail
zip=$(realpath "$1")
pack=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
die() {
    echo "FAIL: $*" >&2
    exit 1
}

cd "$work"
cmake -E tar xf "$zip"
diff <(find Zembrix -type f | sort) <(printf 'Zembrix/%s\n' IndieFlower-OFL.txt README-de.txt \
    README-pl.txt README.txt SDL2.dll data.zxp zembrix.exe) || die "the zip holds other files than expected"
cmp -s Zembrix/data.zxp "$pack" || die "the zip's data.zxp is not the Linux build's"
for readme in README.txt README-pl.txt README-de.txt; do
    grep -q "DirectX End-User Runtime" "Zembrix/$readme" || die "$readme does not name the runtime"
    grep -q "d3dx9_43.dll" "Zembrix/$readme" || die "$readme does not name d3dx9_43.dll"
    grep -q -- "--lang" "Zembrix/$readme" || die "$readme does not tell the languages"
done
grep -q "SIL Open Font License" Zembrix/IndieFlower-OFL.txt || die "no font licence"

# The resources, as the resource compiler's own reader lists them: the name dialog exactly as
# the game's dialog code expects it (a hidden tool window of 149 x 49 units with a caption and a
# system menu, centred, in MS Shell Dlg 8; OK as the default button, Cancel, the edit field
# 1001 and the label 1002, in that order), four icon pictures, the version and the manifest.
resources=$(x86_64-w64-mingw32-windres -i Zembrix/zembrix.exe -O rc 2>/dev/null)
dialog=$(grep -A10 '^102 DIALOGEX' <<<"$resources" | grep -v '^BEGIN$' | head -n 9)
expected='102 DIALOGEX 0, 0, 149, 49
STYLE 0x80c80848
EXSTYLE 0x80
CAPTION "Zembrix"
FONT 8, "MS Shell Dlg", 400, 0, 1
  DEFPUSHBUTTON "OK", 1, 37, 28, 50, 14, 0x50010001
  PUSHBUTTON "Cancel", 2, 93, 28, 50, 14, 0x50010000
  EDITTEXT 1001, 38, 7, 106, 14, 0x50810080
  LTEXT "Imie:", 1002, 16, 10, 17, 8, 0x50020000'
[[ "$dialog" == "$expected" ]] || die "dialog 102 differs: $dialog"
for want in 'Has 4 elements' 'VALUE "FileVersion", "1.0.0"' 'level=""asInvoker""' \
    'Microsoft.Windows.Common-Controls' '<dpiAware'; do
    grep -qF "$want" <<<"$resources" || die "the program's resources lack $want"
done
echo "ok: the zip holds Zembrix/ with its five files; the program has its dialog, icon, version and manifest"
