#!/usr/bin/env bash
# Builds the Windows program into build/windows/: zembrix.exe (mingw-w64, against the real
# Windows, Direct3D 9 and D3DX 9), SDL2.dll cross-built from Debian's SDL2 source (once per
# version, kept in build/windows-sdl2/), data.zxp made by the Linux tools, and
# zembrix-windows-x64.zip for players. Extra arguments go to the Windows build's configure step.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh

# The pack, the icon's art and the font licence come from the Linux build's tools.
cmake --preset release >/dev/null
cmake --build --preset release --target content zxart zxlang

# SDL2 for Windows, from the source package scripts/deps.sh fetched into build/sdl2/.
dsc=$(ls build/sdl2/libsdl2_*.dsc | head -n 1)
version=$(sed -n 's/^Version: //p' "$dsc")
sdl=$PWD/build/windows-sdl2/$version
if [[ ! -f $sdl/install/bin/SDL2.dll ]]; then
    echo "== SDL2 $version for Windows (built once)"
    rm -rf "$sdl"
    mkdir -p "$sdl"
    dpkg-source --no-check -x "$dsc" "$sdl/source" >/dev/null
    cmake -S "$sdl/source" -B "$sdl/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/MingwToolchain.cmake" \
        -DCMAKE_INSTALL_PREFIX="$sdl/install" -DSDL_SHARED=ON -DSDL_STATIC=OFF -DSDL_TEST=OFF \
        >"$sdl/configure.log"
    cmake --build "$sdl/build" >"$sdl/build.log"
    cmake --install "$sdl/build" >/dev/null
fi

echo "== Windows: configure and build"
cmake -S . -B build/windows -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/MingwToolchain.cmake" -DZX_WINDOWS_SDL2="$sdl/install" \
    -DZX_HOST_BUILD="$PWD/build/release" "$@" >/dev/null
cmake --build build/windows
