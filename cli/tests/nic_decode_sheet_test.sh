#!/usr/bin/env bash
# A full xlsx sheet: 1,048,575 numbers and the header fill it, within 50 MB
# of peak memory (the library's constant-memory mode); one number more
# stops the run with a message and leaves no file.
#   nic_decode_sheet_test.sh NIC_DECODE
set -uo pipefail
program=$1
limit_kb=$((50 * 1024))
rows=1048575
failures=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

yes 811231234V | head -n "$rows" >"$work/full.txt"
/usr/bin/time -f '%M %e' -o "$work/used" "$program" --today 2026-12-07 --format xlsx --output "$work/full.xlsx" \
    <"$work/full.txt"
status=$?
read -r peak_kb seconds <"$work/used"
echo "$rows numbers to xlsx: ${seconds} s, peak resident memory ${peak_kb} kB"
[ "$status" -eq 0 ] || fail "full sheet: status $status"
[ "$peak_kb" -lt "$limit_kb" ] || fail "full sheet: peak memory ${peak_kb} kB, over ${limit_kb} kB"
/usr/bin/python3 -c '
import sys, openpyxl
sheet = openpyxl.load_workbook(sys.argv[1], read_only=True).active
assert sheet.max_row == 1048576, sheet.max_row
' "$work/full.xlsx" || fail "full sheet: not 1048576 rows when read back"

echo 811231234V >>"$work/full.txt"
"$program" --today 2026-12-07 --format xlsx --output "$work/over.xlsx" <"$work/full.txt" 2>"$work/err"
status=$?
[ "$status" -eq 2 ] || fail "one row too many: status $status, not 2"
grep -q '1048576 rows' "$work/err" || fail "one row too many: $(cat "$work/err")"
[ -e "$work/over.xlsx" ] && fail "one row too many: a file was left"
ls "$work" | grep -q '\.part' && fail "one row too many: a temporary file was left behind"

if [ "$failures" -gt 0 ]; then
    echo "$failures failures" >&2
    exit 1
fi
