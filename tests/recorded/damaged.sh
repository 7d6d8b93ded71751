#!/usr/bin/env bash
# A replay cut to half its length, one with a byte changed and a file that is no replay are each
# refused with exit 2 and a message that names the file; a missing option argument is refused too.
#   damaged.sh ZEMBRIX FILE    (run where the game finds its pack)
set -uo pipefail
game=$1 file=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

size=$(stat -c %s "$file")
head -c $((size / 2)) "$file" >"$work/half.zxr"
cp "$file" "$work/changed.zxr"
printf '\x55' | dd of="$work/changed.zxr" bs=1 seek=$((size / 3)) conv=notrunc status=none
printf 'not a replay at all' >"$work/text.zxr"

failed=0
for bad in half changed text; do
    err=$(timeout 60 "$game" --verify-replay "$work/$bad.zxr" 2>&1 >/dev/null)
    code=$?
    if [[ $code -ne 2 || $err != *"$bad.zxr"* ]]; then
        echo "FAIL: $bad.zxr gave exit $code ($err); 2 and a message expected"
        failed=1
    else
        echo "ok: $bad.zxr refused: $err"
    fi
done
timeout 60 "$game" --verify-replay >/dev/null 2>&1
if [[ $? -ne 2 ]]; then
    echo "FAIL: --verify-replay without a file is not refused"
    failed=1
fi
exit $failed
