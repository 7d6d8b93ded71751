#!/usr/bin/env bash
# Builds SDL2, SDL2_image, FreeType, HarfBuzz and SDL2_ttf for the browser from Debian's source
# packages with Debian's emscripten, as static libraries, into build/web-libs/sdl2-<version>/
# install. Each library is built once per version (SDL2's configure alone takes minutes); prints
# the prefix.
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
harfbuzz_dsc=$(dsc_of harfbuzz)
ttf_dsc=$(dsc_of libsdl2-ttf)
# One prefix per SDL2 version; each library in it is built again when its version changes.
root=$PWD/build/web-libs/sdl2-$(version_of "$sdl2_dsc")
prefix=$root/install
mkdir -p "$prefix"

# Unpacks one source package and builds it with emcmake into the prefix, unless this version
# (stamp) was built before.
build_one() {
    local name=$1 dsc=$2 stamp=$root/$1-$3.done
    shift 3
    [[ -f $stamp ]] && return 0
    echo "== $name for the browser (built once per version)" >&2
    rm -rf "$root/$name" "$root/$name"-*.done
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
    touch "$stamp"
}

build_one sdl2 "$sdl2_dsc" "$(version_of "$sdl2_dsc")" -DSDL_SHARED=OFF -DSDL_STATIC=ON \
    -DSDL_TEST=OFF -DSDL_PTHREADS=OFF -DSDL_THREADS=OFF
build_one sdl2-image "$image_dsc" "$(version_of "$image_dsc")" -DBUILD_SHARED_LIBS=OFF \
    -DSDL2IMAGE_BACKEND_STB=ON -DSDL2IMAGE_VENDORED=OFF -DSDL2IMAGE_DEPS_SHARED=OFF \
    -DSDL2IMAGE_SAMPLES=OFF
build_one freetype "$freetype_dsc" "$(version_of "$freetype_dsc")" -DBUILD_SHARED_LIBS=OFF \
    -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON \
    -DFT_DISABLE_BROTLI=ON
# HarfBuzz lays the lines out as Debian's SDL2_ttf does, whose bold text keeps the face's own
# advances (without it SDL_ttf widens every bold glyph).
build_one harfbuzz "$harfbuzz_dsc" "$(version_of "$harfbuzz_dsc")" -DBUILD_SHARED_LIBS=OFF \
    -DHB_HAVE_FREETYPE=ON -DHB_BUILD_SUBSET=OFF -DHB_BUILD_UTILS=OFF
build_one sdl2-ttf "$ttf_dsc" \
    "$(version_of "$ttf_dsc")_$(version_of "$freetype_dsc")_$(version_of "$harfbuzz_dsc")" \
    -DBUILD_SHARED_LIBS=OFF -DSDL2TTF_VENDORED=OFF -DSDL2TTF_HARFBUZZ=ON -DSDL2TTF_SAMPLES=OFF
echo "$prefix"
