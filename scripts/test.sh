#!/usr/bin/env bash
# From a fresh Debian 12 machine to every test run: packages, then the release and the
# sanitizer builds with their unit, pixel and end-to-end tests, then short fuzz runs.
# Ends with one line that says PASS or FAIL and what ran.
set -uo pipefail
cd "$(dirname "$0")/.."

fuzz_seconds=${ZX_FUZZ_SECONDS:-20}
summary=()
failed=0

note() { summary+=("$1"); }
fail() { summary+=("$1"); failed=1; }

# Runs ctest for a preset and records "preset passed/total".
run_ctest() {
    local preset=$1 log
    log=$(mktemp)
    ctest --preset "$preset" -j2 2>&1 | tee "$log"
    local line
    line=$(grep -E '[0-9]+% tests passed' "$log" | tail -n 1)
    rm -f "$log"
    if [[ "$line" =~ ([0-9]+)\ tests\ failed\ out\ of\ ([0-9]+) ]]; then
        local bad=${BASH_REMATCH[1]} total=${BASH_REMATCH[2]}
        if [[ $bad -eq 0 ]]; then
            note "$preset $total/$total"
        else
            fail "$preset $((total - bad))/$total"
        fi
    else
        fail "$preset: no tests ran"
    fi
}

if ! scripts/deps.sh; then
    echo "RESULT: FAIL - missing packages (see above)"
    exit 1
fi

for preset in release asan; do
    echo "== $preset: configure and build"
    if cmake --preset "$preset" -DZX_WERROR=ON >/dev/null && cmake --build --preset "$preset"; then
        echo "== $preset: tests"
        run_ctest "$preset"
    else
        fail "$preset: build failed"
    fi
done

echo "== fuzz: build and run each target for ${fuzz_seconds}s"
if cmake --preset fuzz -DZX_WERROR=ON >/dev/null && cmake --build --preset fuzz; then
    targets=$(find build/fuzz/tests/fuzz -maxdepth 1 -type f -name 'fuzz_*' -perm -u+x 2>/dev/null | sort)
    count=0
    for target in $targets; do
        name=$(basename "$target")
        corpus=build/fuzz/corpus/$name
        mkdir -p "$corpus"
        if "$target" -max_total_time="$fuzz_seconds" -print_final_stats=1 "$corpus" \
            >"build/fuzz/$name.log" 2>&1; then
            runs=$(grep -E '^stat::number_of_executed_units' "build/fuzz/$name.log" | awk '{print $2}')
            echo "$name: ${runs:-?} runs, clean"
            count=$((count + 1))
        else
            tail -n 30 "build/fuzz/$name.log"
            fail "fuzz $name found a fault"
        fi
    done
    note "fuzz $count targets clean"
else
    fail "fuzz: build failed"
fi

echo "== package: the Debian package, checked as unpacked into a scratch root"
if cmake --build --preset release --target package &&
    deb=$(ls -t build/release/zembrix_*_amd64.deb | head -n 1) &&
    timeout 900 tests/package/package.sh "$deb" build/release/tests/e2e/zx_xclose; then
    note "package PASS"
else
    fail "package FAIL"
fi

joined=$(printf '%s, ' "${summary[@]}")
if [[ $failed -eq 0 ]]; then
    echo "RESULT: PASS - ${joined%, }"
else
    echo "RESULT: FAIL - ${joined%, }"
fi
exit $failed
