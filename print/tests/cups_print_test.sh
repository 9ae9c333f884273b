#!/usr/bin/env bash
# Print through the real print system: a private CUPS scheduler whose
# default queue is a CUPS-PDF printer. The probe presses Print as the main
# window does; the PDF the queue writes must be the one-page sheet. Then the
# failures: a queue that refuses jobs, a printer that is not the default,
# no printer at all; each time the probe must get a message, keep running,
# and nothing may print.
#
#   cups_print_test.sh PROBE
#
# Exit code 77 (skipped) when not run as root, which a private CUPS needs.
set -euo pipefail

probe=$1
here=$(cd "$(dirname "$0")" && pwd)
cups="$here/private_cups.sh"
failures=0

if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP: a private CUPS scheduler needs root"
    exit 77
fi

folder=$(mktemp -d /tmp/nic-cups-test.XXXXXX)
trap 'bash "$cups" stop "$folder"; rm -rf "$folder"' EXIT
bash "$cups" start "$folder"
queue=$(cat "$folder/queue")

export CUPS_SERVER=$folder/cups.sock
export HOME=$folder/home # no lpoptions of the user's choose the printer
unset PRINTER LPDEST
export QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME"

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

# Waits until the queue has no job left to do, for at most a minute.
wait_for_idle_queue() {
    for _ in $(seq 600); do
        [ -z "$(lpstat -o "$queue" 2>/dev/null)" ] && return 0
        sleep 0.1
    done
    echo "jobs still queued after a minute:" >&2
    lpstat -o "$queue" >&2
    return 1
}

pdfs_written() {
    find "$folder/out" -name '*.pdf' | wc -l
}

completed_jobs() {
    lpstat -W completed -o "$queue" 2>/dev/null | wc -l
}

run_probe() { # sets output and status
    status=0
    output=$(timeout 120 "$probe" </dev/null 2>"$folder/probe.err") || status=$?
    echo "probe ($status): $output"
}

echo "== the default printer is a CUPS-PDF queue"
run_probe
check "the probe says the sheet was printed" [ "$status" -eq 0 ]
check "the probe answers 'printed'" grep -qx printed <<<"$output"
wait_for_idle_queue
check "one PDF was written" [ "$(pdfs_written)" -eq 1 ]
pdf=$(find "$folder/out" -name '*.pdf' | head -1)
if [ -n "$pdf" ]; then
    check "it has one page" grep -Eq '^Pages:\s+1$' <(pdfinfo "$pdf")
    text=$(pdftotext -layout "$pdf" -)
    for line in 'Detail of Sri Lanka National Identity Card Holder' \
        'Identity Card No +: +811231234V' 'Date Of Birth \(Hijri\) +: +1401 +6 +27' \
        'Age +: +45 +Years +& +7 +Month' 'Above detail process and printed on +[[:alpha:]]+ +[0-9]{4}' \
        'Vantrel Computers - Australia' 'www\.vantrel\.com\.au'; do
        check "the page shows: $line" grep -Eq "$line" <<<"$text"
    done
    fonts=$(pdffonts "$pdf")
    check "the title's bold face is on the page" grep -q 'Bold' <<<"$fonts"
    check "the web address's italic face is on the page" grep -Eq 'Italic|Oblique' <<<"$fonts"
    # To look at the printed page: NIC_KEEP_PRINTED_SHEET=/some/file.pdf
    if [ -n "${NIC_KEEP_PRINTED_SHEET:-}" ]; then cp "$pdf" "$NIC_KEEP_PRINTED_SHEET"; fi
fi

echo "== the queue refuses jobs"
cupsreject "$queue"
jobs_before=$(completed_jobs)
run_probe
check "a message comes back" [ "$status" -eq 2 ]
check "it names the printer and says it went wrong" grep -q "\"$queue\" went wrong" <<<"$output"
check "it gives the print system's reason" grep -qi 'print system said: .*accept' <<<"$output"
check "the probe is still running after the message" grep -qx 'still running' <<<"$(tail -1 <<<"$output")"
cupsaccept "$queue"
sleep 1
wait_for_idle_queue
check "no job was queued or retried" [ "$(completed_jobs)" -eq "$jobs_before" ]
check "no second PDF was written" [ "$(pdfs_written)" -eq 1 ]

for setup in "a printer, but none set as the default" "no printer at all"; do
    echo "== $setup"
    lpadmin -x "$queue"
    [ "$setup" = "no printer at all" ] || bash "$cups" add-queue "$folder"
    run_probe
    check "a message comes back" [ "$status" -eq 2 ]
    check "it says no default printer is set up" grep -q 'No default printer is set up' <<<"$output"
    check "the probe is still running after the message" grep -qx 'still running' <<<"$(tail -1 <<<"$output")"
    check "nothing more was printed" [ "$(pdfs_written)" -eq 1 ]
done

if [ "$failures" -ne 0 ]; then
    echo "$failures checks failed; scheduler log:"
    tail -40 "$folder/log/error_log" || true
    exit 1
fi
echo "all checks passed"
