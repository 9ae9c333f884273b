#!/usr/bin/env bash
# The date stamp in the user's own language: the sheet is saved as a PDF
# with LC_ALL set to Sinhala, Tamil and Thai, and its text must read back
# the month in that script between "printed on" and the year, drawn in a
# face that has the script (not boxes), with the sheet still inside the
# page. The locales are made here, in a folder of the test's own (LOCPATH),
# so nothing on the machine changes.
#
#   stamp_language_test.sh PROBE
#
# Needs localedef with the locale sources (package locales) and
# poppler-utils; exit code 77 (skipped) without the locale sources.
set -euo pipefail

probe=$1
failures=0

if ! command -v localedef >/dev/null || [ ! -d /usr/share/i18n/locales ]; then
    echo "SKIP: localedef and the locale sources (package locales) are needed"
    exit 77
fi

folder=$(mktemp -d /tmp/nic-stamp-language.XXXXXX)
trap 'rm -rf "$folder"' EXIT
export QT_QPA_PLATFORM=offscreen HOME=$folder LOCPATH=$folder/locales
unset LANGUAGE LANG
mkdir -p "$LOCPATH"

check() { # description, then a command that must succeed
    local description=$1
    shift
    if "$@"; then
        echo "ok: $description"
    else
        echo "FAILED: $description"
        failures=$((failures + 1))
    fi
}

# locale, the script's letters as a Perl range, a face that has them. Thai
# letters do not join, so its month must read back whole; Sinhala and Tamil
# letters join into shapes that the PDF writer maps back only in part, so
# for them it is the script's letters that must be there.
while read -r locale letters face; do
    echo "== $locale"
    localedef -i "$locale" -f UTF-8 "$LOCPATH/$locale.UTF-8" 2>/dev/null || true
    pdf=$folder/$locale.pdf
    status=0
    LC_ALL=$locale.UTF-8 "$probe" "$pdf" >"$folder/probe.out" 2>&1 || status=$?
    check "the sheet was saved" [ "$status" -eq 0 ]
    [ -s "$pdf" ] || continue
    stamp=$(pdftotext -layout "$pdf" - | grep 'printed on' || true)
    echo "stamp: $stamp"
    check "the month between 'printed on' and the year is in its script" \
        env -u LOCPATH LC_ALL=C.UTF-8 grep -Pq "printed on +[^ ]*[$letters][^ ]*( [^ ]+)* +[0-9]{4}\$" <<<"$stamp"
    if [ "$locale" = th_TH ]; then
        month=$(LC_ALL=$locale.UTF-8 locale mon | cut -d';' -f"$(date +%-m)")
        check "the whole month name reads back: $month" grep -q "printed on *$month *[0-9]\\{4\\}" <<<"$stamp"
    fi
    check "a $face face is on the page" grep -q "$face" <(pdffonts "$pdf")
    check "the values still stand on the page" grep -Eq 'Age +: +45 Years & 7 Month' <(pdftotext -layout "$pdf" -)
done <<'ROWS'
si_LK \x{0D80}-\x{0DFF} Sinhala
ta_LK \x{0B80}-\x{0BFF} Tamil
th_TH \x{0E00}-\x{0E7F} Thai
ROWS

if [ "$failures" -ne 0 ]; then
    echo "$failures checks failed"
    exit 1
fi
echo "all checks passed"
