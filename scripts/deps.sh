#!/usr/bin/env bash
# Installs the Debian packages the game, its tools and its tests need, when any is missing, and
# fetches Debian's SDL2 source package into build/sdl2/ for the Windows build (which needs a
# deb-src line in the apt sources; one for the machine's suite is added when there is none).
# As root it runs apt-get; otherwise it prints what to run and fails.
#
#   scripts/deps.sh [--game]
#       --game: only what a player's build of the game needs (scripts/play.sh): the compiler,
#       CMake, the libraries, the faces and the font's download; neither the test, Windows and
#       web tools nor SDL2's source package.
set -euo pipefail
cd "$(dirname "$0")/.."

# The game's build (the configuration also finds GoogleTest, whose tests it lists).
game_packages=(
    libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev libfontconfig-dev libpng-dev
    fonts-liberation2 fonts-crosextra-carlito fonts-dejavu-core
    cmake ninja-build g++ pkg-config libgtest-dev curl ca-certificates
)
packages=(
    "${game_packages[@]}" xfonts-base libbenchmark-dev clang clang-format libclang-rt-14-dev
    xvfb xdotool imagemagick x11-utils x11-xserver-utils openbox xfwm4 dbus-daemon
    xserver-xorg-video-dummy
    g++-mingw-w64-x86-64 mingw-w64-x86-64-dev wine wine64
    npm emscripten chromium
    dpkg-dev file lintian desktop-file-utils appstream
)
game_only=0
if [[ ${1:-} == --game ]]; then
    game_only=1
    packages=("${game_packages[@]}")
fi

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
# npm may come from elsewhere (nvm, a node tarball); then Debian's is not needed.
if command -v npm >/dev/null 2>&1; then
    missing=("${missing[@]/npm/}")
fi
missing=($(printf '%s\n' "${missing[@]}" | grep -v '^$' || true))

export DEBIAN_FRONTEND=noninteractive
if [[ ${#missing[@]} -gt 0 ]]; then
    line="apt-get install -y ${missing[*]}"
    if [[ $(id -u) -ne 0 ]]; then
        echo "Missing packages. Run as root:" >&2
        echo "  apt-get update && $line" >&2
        exit 1
    fi
    echo "Installing: ${missing[*]}"
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if [[ $game_only -eq 1 ]]; then
    exit 0
fi

# SDL2's source package, the same version as the Linux build's libsdl2-dev.
sdl_source=build/sdl2
if ! ls "$sdl_source"/libsdl2_*.dsc >/dev/null 2>&1; then
    if ! apt-get source --print-uris libsdl2 >/dev/null 2>&1; then
        sources=/etc/apt/sources.list.d/zembrix-deb-src.sources
        if [[ $(id -u) -ne 0 ]]; then
            echo "No deb-src line in the apt sources. As root, add one (see $0) and run:" >&2
            echo "  apt-get update" >&2
            exit 1
        fi
        . /etc/os-release
        printf '%s\n' 'Types: deb-src' 'URIs: http://deb.debian.org/debian' \
            "Suites: $VERSION_CODENAME" 'Components: main' \
            'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' >"$sources"
        apt-get update -qq
    fi
    mkdir -p "$sdl_source"
    (cd "$sdl_source" && apt-get source --download-only -qq libsdl2 >/dev/null 2>&1) || {
        echo "Cannot fetch the source package of libsdl2" >&2
        exit 1
    }
fi
