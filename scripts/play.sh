#!/usr/bin/env bash
# From a fresh Debian 12 machine to the game in its window: packages, release build, start.
# Only the game is built (the "game" build preset: the program and its pack, with the tools
# that make the pack); scripts/test.sh builds the rest of the release preset in the same folder.
# The game runs in build/release/bin, which holds data.zxp and receives scoreboard.zxs.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh --game
# Warnings do not stop a player's build (a build dir the tests configured may have them on).
cmake --preset release -DZX_WERROR=OFF >/dev/null
cmake --build --preset game
cd build/release/bin
exec ./zembrix
