#!/usr/bin/env bash
# Builds SDL2, SDL2_image, FreeType and SDL2_ttf for the browser from Debian's source packages
# with Debian's emscripten, as static libraries, into build/web-libs/<versions>/install. Each
# library is built once per version (SDL2's configure alone takes minutes); prints the prefix.
set -euo pipefail
cd "$(dirname "$0")/.."
export NODE_PATH=/usr/share/nodejs

sources=$PWD/build/web-sources
mkdir -p "$sources"
# The source package of each library, fetched once (apt-get source needs a deb-src line, which
# scripts/deps.sh sees to).
dsc_of() {
    local package=$1
    if ! ls "$sources/${package}"_*.dsc >/dev/null 2>&1; then
        (cd "$sources" && apt-get source --download-only -qq "$package" >/dev/null 2>&1) || {
            echo "Cannot fetch the source package of $package" >&2
            return 1
        }
    fi
    ls "$sources/${package}"_*.dsc | head -n 1
}

version_of() { sed -n 's/^Version: //p' "$1"; }

sdl2_dsc=$(dsc_of libsdl2)
image_dsc=$(dsc_of libsdl2-image)
freetype_dsc=$(dsc_of freetype)
ttf_dsc=$(dsc_of libsdl2-ttf)
key="sdl2-$(version_of "$sdl2_dsc")_image-$(version_of "$image_dsc")"
key+="_freetype-$(version_of "$freetype_dsc")_ttf-$(version_of "$ttf_dsc")"
root=$PWD/build/web-libs/$key
prefix=$root/install
mkdir -p "$prefix"

# Unpacks one source package and builds it with emcmake into the prefix, unless done before.
build_one() {
    local name=$1 dsc=$2
    shift 2
    [[ -f $root/$name.done ]] && return 0
    echo "== $name for the browser (built once per version)" >&2
    rm -rf "$root/$name"
    mkdir -p "$root/$name"
    dpkg-source --no-check -x "$dsc" "$root/$name/source" >/dev/null
    emcmake cmake -S "$root/$name/source" -B "$root/$name/build" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_FIND_ROOT_PATH="$prefix" "$@" \
        >"$root/$name/configure.log" 2>&1 || {
        tail -n 30 "$root/$name/configure.log" >&2
        return 1
    }
    emmake make -C "$root/$name/build" -j2 >"$root/$name/build.log" 2>&1 || {
        tail -n 30 "$root/$name/build.log" >&2
        return 1
    }
    make -C "$root/$name/build" install >/dev/null
    touch "$root/$name.done"
}

build_one sdl2 "$sdl2_dsc" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF \
    -DSDL_PTHREADS=OFF -DSDL_THREADS=OFF
build_one sdl2-image "$image_dsc" -DBUILD_SHARED_LIBS=OFF -DSDL2IMAGE_BACKEND_STB=ON \
    -DSDL2IMAGE_VENDORED=OFF -DSDL2IMAGE_DEPS_SHARED=OFF -DSDL2IMAGE_SAMPLES=OFF
build_one freetype "$freetype_dsc" -DBUILD_SHARED_LIBS=OFF -DFT_DISABLE_ZLIB=ON \
    -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
build_one sdl2-ttf "$ttf_dsc" -DBUILD_SHARED_LIBS=OFF -DSDL2TTF_VENDORED=OFF \
    -DSDL2TTF_HARFBUZZ=OFF -DSDL2TTF_SAMPLES=OFF
echo "$prefix"
