#!/usr/bin/env bash
# From a fresh Debian 12 machine to the game in its window: packages, release build, start.
# The game runs in build/release/bin, which holds data.zxp and receives scoreboard.zxs.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
# Warnings do not stop a player's build (a build dir the tests configured may have them on).
cmake --preset release -DZX_WERROR=OFF >/dev/null
cmake --build --preset release
cd build/release/bin
exec ./zembrix
