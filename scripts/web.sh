#!/usr/bin/env bash
# Builds the game as a web page into build/web/site/ (index.html, page.js, zembrix.js,
# zembrix.wasm, zembrix.data with the font faces, data.zxp and the licence texts) and
# build/web/zembrix-web.zip, with Debian's emscripten. SDL2, SDL2_image, FreeType and SDL2_ttf
# are built from Debian's source packages once per version (scripts/web-libs.sh); the pack comes
# from the Linux build. Extra arguments go to the web build's configure step.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
# Debian's emscripten runs on node, which looks for its modules in Debian's folder only so.
export NODE_PATH=/usr/share/nodejs

cmake --preset release >/dev/null
cmake --build --preset release --target content zxlang

prefix=$(scripts/web-libs.sh | tail -n 1)

echo "== web: configure and build"
emcmake cmake -S . -B build/web -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_ROOT_PATH="$prefix" \
    -DZX_HOST_BUILD="$PWD/build/release" "$@" >/dev/null
cmake --build build/web
