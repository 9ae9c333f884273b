#!/usr/bin/env bash
# nic-decode given text outside any ANSI code page, as arguments and as
# file names: a --column name in Sinhala, a number in full-width digits
# (rejected exactly as from standard input), the 12-digit form and an xlsx
# sheet that a spreadsheet reader opens. The expected bytes are one table
# for every build: Linux's program and the Windows one under Wine must
# write exactly these.
#   nic_decode_arguments_test.sh NIC_DECODE [RUNNER]
# NIC_PYTHON names a Python with openpyxl (python3 when unset).
set -uo pipefail
program=$1
runner=${2:-}
python=${NIC_PYTHON:-python3}
failures=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

run() {
    if [ -n "$runner" ]; then "$runner" "$program" "$@"; else "$program" "$@"; fi
}

# case name, standard input, expected standard output, arguments...
check() {
    local name=$1 input=$2 expected=$3
    shift 3
    printf '%s' "$input" | run --today 2026-12-07 "$@" >out 2>err
    printf '%s' "$expected" >expected
    cmp -s out expected || fail "$name: $(od -c out | head -5) $(cat err)"
}

header='verdict,birth_date,hijri_date,weekday,sex,age_years,age_months,new_number'
check "column named in Sinhala" $'නම,ජාතික අංකය\r\nපෙරේරා,811231234V\r\n' \
    $'නම,ජාතික අංකය,'"$header"$'\nපෙරේරා,811231234V,valid,1981-05-02,1401-06-28,Saturday,male,45,7,198112301234\n' \
    --column 'ජාතික අංකය'
check "full-width digits as an argument" '' \
    $'number,'"$header"$'\n８１１２３１２３４Ｖ,bad-number,,,,,,,\n' '８１１２３１２３４Ｖ'
check "full-width digits from standard input" $'８１１２３１２３４Ｖ\n' \
    $'number,'"$header"$'\n８１１２３１２３４Ｖ,bad-number,,,,,,,\n'
check "12-digit form" '' \
    $'number,'"$header"$'\n198112301234,valid,1981-05-02,1401-06-28,Saturday,male,45,7,198112301234\n' 198112301234
check "Sinhala digits are no digits" '' $'number,'"$header"$'\n෮෧෧෨෩෧෨෩෪V,bad-number,,,,,,,\n' '෮෧෧෨෩෧෨෩෪V'

# A file name in Sinhala, written through its temporary file.
run --today 2026-12-07 --output 'අංක.csv' 811231234V 2>err
[ "$(tail -1 'අංක.csv' 2>/dev/null)" = "811231234V,valid,1981-05-02,1401-06-28,Saturday,male,45,7,198112301234" ] ||
    fail "Sinhala file name: $(ls) $(cat err)"

run --today 2026-12-07 --format xlsx --output 'ලැයිස්තුව.xlsx' 811231234V 198534000123 2>err
"$python" - 'ලැයිස්තුව.xlsx' <<'PYTHON' || fail "xlsx: not read back as written: $(ls) $(cat err)"
import datetime, sys, openpyxl
rows = list(openpyxl.load_workbook(sys.argv[1]).active.iter_rows(values_only=True))
assert rows[1] == ("811231234V", "valid", datetime.datetime(1981, 5, 2), "1401-06-28", "Saturday", "male", 45, 7,
                   "198112301234"), rows[1]
assert rows[2][0] == "198534000123" and rows[2][2] == datetime.datetime(1985, 12, 5), rows[2]
PYTHON
ls | grep -q '\.part' && fail "a temporary file was left behind"

if [ "$failures" -gt 0 ]; then
    echo "$failures failures" >&2
    exit 1
fi
echo "every argument read as UTF-8"
