#!/usr/bin/env bash
# nic-decode's exit statuses and messages from outside, as a shell script
# sees them, the unusable calendar data included; and what comes through
# unfriendly input whole and in order.
#   nic_decode_exit_test.sh NIC_DECODE UNREADABLE_ICU_DATA_DIR
set -uo pipefail
program=$1
unreadable_icu=$2
failures=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# case name, expected status, expected number of stderr lines, stdin, arguments...
check() {
    local name=$1 status=$2 errors=$3 input=$4
    shift 4
    printf '%b' "$input" | "$program" "$@" >"$work/out" 2>"$work/err"
    local got=$?
    [ "$got" -eq "$status" ] || fail "$name: status $got, not $status"
    local lines
    lines=$(wc -l <"$work/err")
    [ "$lines" -eq "$errors" ] || fail "$name: $lines lines on standard error, not $errors: $(cat "$work/err")"
}

check "every number valid" 0 0 '' --today 2026-12-07 811231234V 857541234V
check "one not valid" 1 0 '' 811231234V 810601234V
check "list from standard input" 1 0 '811231234V\n811231234Q\n'
check "empty input" 0 0 ''
check "help" 0 0 '' --help
grep -q '^Usage: nic-decode' "$work/out" || fail "help: no usage line"
check "version" 0 0 '' --version
grep -qx 'nic-decode [0-9.]*' "$work/out" || fail "version: $(cat "$work/out")"
check "unknown option" 2 1 '' --frobnicate
[ -s "$work/out" ] && fail "unknown option: something on standard output"
check "bad --today" 2 1 '' --today 2026-02-29 811231234V
check "no such column" 2 1 'a,b\n1,2\n' --column NIC
check "spreadsheet" 1 0 'NIC\n811231234V\nx\n' --column NIC
check "unclosed quote" 2 1 'id,nic\n1,"811231234V\n2,993661234V\n3,800601234V\n' --column nic
grep -q 'line 2' "$work/err" || fail "unclosed quote: the message does not name line 2: $(cat "$work/err")"
check "row wider than the header" 0 1 'id,nic\n7,800601234V,extra\n' --column nic
grep -q '^7,800601234V,valid,1980-02-29,.*,extra$' "$work/out" || fail "wider row: $(cat "$work/out")"
check "column past the header" 2 1 'a,b,c\n1,2,3\n' --column 5
check "column named twice" 2 1 'nic,x,nic\n811231234V,1,2\n' --column nic
check "empty spreadsheet" 2 1 '' --column nic
check "today before the birth" 0 0 '' --today 1950-01-01 811231234V
grep -q '^811231234V,valid,1981-05-02,1401-06-28,Saturday,male,,,198112301234$' "$work/out" || fail "negative age: $(cat "$work/out")"

LD_LIBRARY_PATH=$unreadable_icu check "unusable calendar data" 3 1 '' 811231234V
grep -q 'ICU' "$work/err" || fail "unusable calendar data: the message does not name ICU"
[ -s "$work/out" ] && fail "unusable calendar data: something on standard output"

if [ -w /dev/full ]; then
    for arguments in 811231234V --help --version; do
        "$program" $arguments >/dev/full 2>"$work/err"
        status=$?
        [ "$status" -eq 2 ] || fail "full disk, $arguments: status $status, not 2"
        [ "$(wc -l <"$work/err")" -eq 1 ] || fail "full disk, $arguments: no one-line message"
    done
fi

# A directory for standard input: the read fails, and the run must not look complete.
"$program" </ >/dev/null 2>"$work/err"
status=$?
[ "$status" -eq 2 ] || fail "unreadable input: status $status, not 2"
[ "$(wc -l <"$work/err")" -eq 1 ] || fail "unreadable input: no one-line message"

# A NUL, a megabyte line, invalid UTF-8 and a CR alone: one row each line, in order.
{
    echo 811231234V
    printf 'a\0b\n'
    head -c 1048576 /dev/zero | tr '\0' '8'
    echo
    printf '\xff\xfe\n'
    printf 'x\ry\n'
    echo 857541234V
} >"$work/awkward"
"$program" --today 2026-12-07 <"$work/awkward" >"$work/out" 2>"$work/err"
status=$?
[ "$status" -eq 1 ] || fail "awkward lines: status $status, not 1"
rows=$(python3 -c 'import csv,sys; csv.field_size_limit(1 << 24); print(len(list(csv.reader(open(sys.argv[1], newline="", encoding="latin-1")))))' "$work/out")
[ "$rows" -eq 8 ] || fail "awkward lines: $rows rows, not a header and 7 (a CR alone ends a line)"
head -2 "$work/out" | tail -1 | grep -q '^811231234V,valid,' || fail "awkward lines: the first row is not first"
tail -1 "$work/out" | grep -q '^857541234V,valid,' || fail "awkward lines: the last row is not last"

if [ "$failures" -gt 0 ]; then
    echo "$failures failures" >&2
    exit 1
fi
echo "all exit statuses as expected"
