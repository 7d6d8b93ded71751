#!/bin/sh
# Fetches the game's font, Indie Flower, from the npm package @expo-google-fonts/indie-flower at
# a pinned version, checks it against the SHA-256 recorded beside this script, and places it with
# its licence (SIL Open Font License) in a cache folder outside git.
#
# usage: fetch-font.sh FONT_PATH            fetch; the licence lands beside it as IndieFlower-OFL.txt
#        fetch-font.sh --verify FONT_PATH   only check the font already there (no network)
set -eu

PACKAGE=@expo-google-fonts/indie-flower
VERSION=0.4.1
TARBALL_URL=https://registry.npmjs.org/@expo-google-fonts/indie-flower/-/indie-flower-$VERSION.tgz
FONT_IN_PACKAGE=package/400Regular/IndieFlower_400Regular.ttf
LICENCE_IN_PACKAGE=package/LICENSE_FONT
LICENCE_NAME=IndieFlower-OFL.txt

here=$(cd "$(dirname "$0")" && pwd)
expected=$(cut -d ' ' -f 1 "$here/IndieFlower.sha256")

# Prints the SHA-256 of a file.
sha_of() { sha256sum "$1" | cut -d ' ' -f 1; }

# Fails unless the file's SHA-256 is the recorded one.
check() {
    actual=$(sha_of "$1")
    if [ "$actual" != "$expected" ]; then
        echo "fetch-font: $1 has SHA-256 $actual, expected $expected" >&2
        return 1
    fi
}

verify_only=0
if [ "${1:-}" = "--verify" ]; then
    verify_only=1
    shift
fi
if [ $# -ne 1 ]; then
    echo "usage: fetch-font.sh [--verify] FONT_PATH" >&2
    exit 2
fi
font=$1
if [ $verify_only -eq 1 ]; then
    check "$font"
    exit 0
fi

dir=$(dirname "$font")
mkdir -p "$dir"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Download the package tarball: through npm when it is installed, else straight from the
# registry.
if command -v npm >/dev/null 2>&1; then
    (cd "$tmp" && npm pack --silent "$PACKAGE@$VERSION" >/dev/null)
    tarball=$(ls "$tmp"/*.tgz)
else
    tarball=$tmp/package.tgz
    curl -fsSL "$TARBALL_URL" -o "$tarball"
fi
tar -xzf "$tarball" -C "$tmp" "$FONT_IN_PACKAGE" "$LICENCE_IN_PACKAGE"
check "$tmp/$FONT_IN_PACKAGE"

# Move into place whole, so that a build running at the same time never sees half a file.
cp "$tmp/$LICENCE_IN_PACKAGE" "$dir/.$LICENCE_NAME.$$"
mv "$dir/.$LICENCE_NAME.$$" "$dir/$LICENCE_NAME"
cp "$tmp/$FONT_IN_PACKAGE" "$font.$$"
mv "$font.$$" "$font"
echo "fetch-font: $PACKAGE@$VERSION -> $font"
