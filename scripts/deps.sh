#!/usr/bin/env bash
# Installs the Debian packages the game, its tools and its tests need, when any is missing.
# As root it runs apt-get; otherwise it prints the apt-get line to run and fails.
set -euo pipefail

packages=(
    libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev libfontconfig-dev
    fonts-liberation2 fonts-crosextra-carlito fonts-dejavu-core xfonts-base
    cmake ninja-build g++ pkg-config libgtest-dev libbenchmark-dev clang clang-format libclang-rt-14-dev
    xvfb xdotool imagemagick x11-utils
    g++-mingw-w64-x86-64 mingw-w64-x86-64-dev
    npm ca-certificates
    dpkg-dev file lintian desktop-file-utils appstream
)

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

if [[ ${#missing[@]} -eq 0 ]]; then
    exit 0
fi
line="apt-get install -y ${missing[*]}"
if [[ $(id -u) -ne 0 ]]; then
    echo "Missing packages. Run as root:" >&2
    echo "  apt-get update && $line" >&2
    exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
