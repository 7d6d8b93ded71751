#!/usr/bin/env bash
# From a fresh Debian 12 machine to every test run: packages, the code style, then the release
# and the sanitizer builds with their unit, pixel and end-to-end tests, the Windows program with
# its tests under Wine, the web page in a headless Chromium, short fuzz runs and the Debian
# package.
# Ends with one line that says PASS or FAIL, what ran and how long each stage took.
set -uo pipefail
cd "$(dirname "$0")/.."

fuzz_seconds=${ZX_FUZZ_SECONDS:-20}
summary=()
failed=0

stage_start=$SECONDS

# Starts a stage: prints its heading; what the stage notes or fails carries the stage's time.
stage() {
    echo "== $1"
    stage_start=$SECONDS
}
note() { summary+=("$1 ($((SECONDS - stage_start)) s)"); }
fail() {
    note "$1"
    failed=1
}

# Runs ctest for a preset; its exit status decides (a failed test, a test that could not run
# or no tests at all). Records "preset N tests passed" or the failure.
run_ctest() {
    local preset=$1 total
    total=$(ctest --preset "$preset" -N 2>/dev/null | sed -n 's/^Total Tests: //p')
    if ctest --preset "$preset" -j2 --no-tests=error; then
        note "$preset ${total:-?} tests passed"
    else
        fail "$preset tests failed (of ${total:-?})"
    fi
}

if ! scripts/deps.sh; then
    echo "RESULT: FAIL - missing packages (see above)"
    exit 1
fi

# One code style, written down in .clang-format: a file that differs from it fails the run.
stage "format: every C and C++ file as clang-format writes it"
if git ls-files -z '*.cpp' '*.h' '*.c' | xargs -0 clang-format --dry-run --Werror; then
    note "format clean"
else
    fail "format: files differ from .clang-format (run clang-format -i on them)"
fi

for preset in release asan; do
    stage "$preset: configure, build and test"
    if cmake --preset "$preset" -DZX_WERROR=ON >/dev/null && cmake --build --preset "$preset"; then
        echo "== $preset: tests"
        run_ctest "$preset"
    else
        fail "$preset: build failed"
    fi
done

# The same game built for Windows against the real Direct3D 9, D3DX 9 and user32, run under
# Wine beside the release build (scripts/windows.sh; SDL2 for Windows is built once and kept).
stage "windows: the Windows program, its zip, and its tests under Wine"
if scripts/windows.sh -DZX_WERROR=ON; then
    total=$(ctest --test-dir build/windows -N 2>/dev/null | sed -n 's/^Total Tests: //p')
    if ctest --test-dir build/windows --output-on-failure --no-tests=error; then
        note "windows ${total:-?} tests passed"
    else
        fail "windows tests failed (of ${total:-?})"
    fi
else
    fail "windows: build failed"
fi

# The same game as a web page (scripts/web.sh; its libraries are built once per version and
# kept), played in Debian's Chromium, headless, through puppeteer-core from npm (installed into
# build/web-test/) against the Linux build's frames.
stage "web: the page, and its test in a headless Chromium"
if scripts/web.sh -DZX_WERROR=ON; then
    mkdir -p build/web-test
    cp tests/web/package.json build/web-test/package.json
    if ! (cd build/web-test && npm install --no-audit --no-fund >npm.log 2>&1); then
        fail "web: npm could not install puppeteer-core and pngjs (build/web-test/npm.log)"
    elif tests/web/browser.sh build/web/site build/release/bin/zembrix \
        build/release/bin/data.zxp build/web-test/node_modules; then
        note "web PASS"
    else
        fail "web tests failed"
    fi
else
    fail "web: build failed"
fi

stage "fuzz: build and run each target for ${fuzz_seconds}s"
if cmake --preset fuzz -DZX_WERROR=ON >/dev/null && cmake --build --preset fuzz; then
    # The targets tests/fuzz/CMakeLists.txt lists; each must have been built and run clean.
    targets=$(sed -n 's/^ *\(fuzz_[a-z_]*\) [A-Za-z]*\.cpp$/\1/p' tests/fuzz/CMakeLists.txt)
    [[ -n "$targets" ]] || fail "fuzz: no targets found in tests/fuzz/CMakeLists.txt"
    count=0
    for name in $targets; do
        target=build/fuzz/tests/fuzz/$name
        if [[ ! -x "$target" ]]; then
            fail "fuzz $name was not built"
            continue
        fi
        corpus=build/fuzz/corpus/$name
        mkdir -p "$corpus"
        if timeout $((fuzz_seconds + 120)) "$target" -max_total_time="$fuzz_seconds" \
            -print_final_stats=1 "$corpus" >"build/fuzz/$name.log" 2>&1; then
            runs=$(grep -E '^stat::number_of_executed_units' "build/fuzz/$name.log" | awk '{print $2}')
            echo "$name: ${runs:-?} runs, clean"
            count=$((count + 1))
        else
            tail -n 30 "build/fuzz/$name.log"
            fail "fuzz $name found a fault or did not finish"
        fi
    done
    note "fuzz $count of $(wc -w <<<"$targets") targets clean"
else
    fail "fuzz: build failed"
fi

stage "package: the Debian package, checked as unpacked into a scratch root"
if cmake --build --preset release --target package &&
    deb=$(ls -t build/release/zembrix_*_amd64.deb | head -n 1) &&
    timeout 900 tests/package/package.sh "$deb" build/release/tests/e2e/zx_xclose; then
    note "package PASS"
else
    fail "package FAIL"
fi

joined="$(printf '%s, ' "${summary[@]}")total $SECONDS s"
if [[ $failed -eq 0 ]]; then
    echo "RESULT: PASS - $joined"
else
    echo "RESULT: FAIL - $joined"
fi
exit $failed
