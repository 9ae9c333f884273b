#!/usr/bin/env bash
# nic-decode's files: an xlsx sheet read back by a spreadsheet reader
# (openpyxl), and --output, which leaves a file only after a run that
# succeeded and never harms the one that was there.
#   nic_decode_output_test.sh NIC_DECODE
set -uo pipefail
program=$1
python=/usr/bin/python3
failures=0
work=$(mktemp -d)
far=
trap 'rm -rf "$work" ${far:+"$far"}' EXIT

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# A staff list as a spreadsheet exports it: both forms, quotes, CR LF, a
# code with leading zeros, a formula and a date typed as text.
printf 'name,NIC,code,note\r\n"Perera, A.",811231234V,007,=1+2\r\nSilva,198534000123,010,2024-01-01\r\nBad,811231234Q,,\r\n' >"$work/staff.csv"

"$program" --today 2026-12-07 --column NIC --format xlsx --output "$work/staff.xlsx" <"$work/staff.csv" 2>"$work/err"
status=$?
[ "$status" -eq 1 ] || fail "xlsx: status $status, not 1 (one number is not valid): $(cat "$work/err")"
[ -s "$work/staff.xlsx" ] || fail "xlsx: no file"
ls "$work" | grep -q '\.part' && fail "xlsx: a temporary file was left behind"

"$python" - "$work/staff.xlsx" <<'PYTHON' || fail "xlsx: the sheet does not read back as written"
import datetime, sys
import openpyxl

book = openpyxl.load_workbook(sys.argv[1])
sheet = book.active
# Each column as wide as its widest value, header included (at least 8),
# plus 2; the file holds Excel's padding besides, a fraction below 1. Read
# before any column is looked up, which would make one.
widths = {letter: int(column.width) for letter, column in sheet.column_dimensions.items()}
assert widths == {"A": 12, "B": 14, "C": 10, "D": 12, "E": 12, "F": 12, "G": 12, "H": 10, "I": 10,
                  "J": 11, "K": 12, "L": 14}, widths
rows = [[cell.value for cell in row] for row in sheet.iter_rows()]
header = ["name", "NIC", "code", "note", "verdict", "birth_date", "hijri_date", "weekday", "sex",
          "age_years", "age_months", "new_number"]
assert rows[0] == header, rows[0]
assert all(cell.font.b for cell in sheet[1]), "header not bold"
assert sheet.freeze_panes == "A2", sheet.freeze_panes
assert sheet.auto_filter.ref == "A1:L4", sheet.auto_filter.ref
first = rows[1]
assert first[:4] == ["Perera, A.", "811231234V", "007", "=1+2"], first
assert sheet["D2"].data_type == "s", "a formula-like field became a formula"
assert first[4:9] == ["valid", datetime.datetime(1981, 5, 2), "1401-06-28", "Saturday", "male"], first
assert sheet["F2"].number_format == "yyyy-mm-dd", sheet["F2"].number_format
assert first[9:] == [45, 7, "198112301234"], first
second = rows[2]
assert second[1] == "198534000123" and sheet["B3"].data_type == "s", second
assert second[2:4] == ["010", "2024-01-01"], second
assert second[5] == datetime.datetime(1985, 12, 5) and second[11] == "198534000123", second
assert rows[3][4] == "bad-number" and rows[3][5:] == [None] * 7, rows[3]
PYTHON

# The list form to xlsx: the first day of 1900, before the leap day Excel
# invents, is still 1 January.
"$program" --today 2026-12-07 --format xlsx --output "$work/list.xlsx" 000011234V 190000101234 >/dev/null
"$python" -c '
import datetime, sys, openpyxl
rows = list(openpyxl.load_workbook(sys.argv[1]).active.iter_rows(values_only=True))
assert [row[2] for row in rows[1:]] == [datetime.datetime(1900, 1, 1)] * 2, rows
' "$work/list.xlsx" || fail "xlsx: 1 January 1900 is not read back as such"

# --output: written whole on success, through a temporary file.
"$program" --today 2026-12-07 --output "$work/out.csv" 811231234V >"$work/stdout"
[ "$?" -eq 0 ] || fail "output: status not 0"
[ -s "$work/stdout" ] && fail "output: something on standard output"
grep -q '^811231234V,valid,' "$work/out.csv" || fail "output: $(cat "$work/out.csv")"

# Over a file that was there: its permissions stay, in every format, and its
# owner where the system allows it.
for row in csv:600 xlsx:600 csv:664; do
    format=${row%:*} mode=${row#*:}
    file="$work/kept-mode.$format"
    printf 'old\n' >"$file" && chmod "$mode" "$file"
    "$program" --format "$format" --output "$file" 811231234V >/dev/null
    [ "$(stat -c %a "$file")" = "$mode" ] || fail "output over mode $mode ($format): mode $(stat -c %a "$file")"
done
if [ "$(id -u)" -eq 0 ]; then
    printf 'old\n' >"$work/owned.csv" && chown nobody:nogroup "$work/owned.csv"
    "$program" --output "$work/owned.csv" 811231234V
    [ "$(stat -c %U:%G "$work/owned.csv")" = nobody:nogroup ] || fail "output: owner $(stat -c %U:%G "$work/owned.csv")"
fi

# A FILE that is a symbolic link is written through: the link stays, and its
# target, on whatever file system, gets the output.
mkdir "$work/data" && printf 'old\n' >"$work/data/real.csv"
ln -s data/real.csv "$work/link.csv"
"$program" --output "$work/link.csv" 811231234V || fail "symbolic link: status $?"
[ -L "$work/link.csv" ] || fail "symbolic link: replaced by a plain file"
grep -q '^811231234V,valid,' "$work/data/real.csv" || fail "symbolic link: target holds $(cat "$work/data/real.csv")"
if [ -d /dev/shm ] && [ "$(stat -c %d /dev/shm)" != "$(stat -c %d "$work")" ]; then
    far=$(mktemp -d /dev/shm/nic-decode-output.XXXXXX)
    printf 'old\n' >"$far/real.csv"
    ln -s "$far/real.csv" "$work/far.csv"
    "$program" --output "$work/far.csv" 811231234V 2>"$work/err" || fail "link to another file system: $(cat "$work/err")"
    grep -q '^811231234V,valid,' "$far/real.csv" || fail "link to another file system: target not written"
fi
ls "$work" "$work/data" | grep -q '\.part' && fail "output: a temporary file was left behind"

# A run that fails leaves the file that was there as it was, and nothing else.
printf 'keep me\n' >"$work/kept.csv"
printf 'id,nic\n1,811231234V\n2,"857541234V\n' |
    "$program" --column nic --output "$work/kept.csv" 2>/dev/null
[ "$?" -eq 2 ] || fail "failed run: status not 2"
[ "$(cat "$work/kept.csv")" = "keep me" ] || fail "failed run: the earlier file was changed"
printf 'id,nic\n1,"857541234V\n' | "$program" --column nic --format xlsx --output "$work/none.xlsx" 2>/dev/null
[ -e "$work/none.xlsx" ] && fail "failed run: an xlsx file was left"
ls "$work" | grep -q '\.part' && fail "failed run: a temporary file was left behind"

# A folder that does not exist: a usage error before any input is read.
"$program" --output "$work/no/such/folder/out.csv" 811231234V 2>"$work/err"
[ "$?" -eq 2 ] || fail "missing folder: status not 2"
grep -q 'no/such/folder/out.csv' "$work/err" || fail "missing folder: $(cat "$work/err")"

if [ "$failures" -gt 0 ]; then
    echo "$failures failures" >&2
    exit 1
fi
echo "every file as expected"
