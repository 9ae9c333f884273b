#!/usr/bin/env bash
# Print through the real print system: a private CUPS scheduler whose
# default queue is a CUPS-PDF printer. The probe presses Print as the main
# window does; the PDF the queue writes must be the one-page sheet. Then
# what can go wrong, each with its own words: a paused queue (the sheet
# waits and comes out once the queue is resumed), a queue that refuses jobs,
# a printer that is not the default, no printer at all, a scheduler that
# dies while it takes the sheet (at once, or after being slow to let it
# come), a socket that never answers, and no
# scheduler at all. Each time the probe must be back within 30 seconds, keep
# running, and nothing may print twice. Then the destination as lp chooses
# it: an lpoptions instance with its copies and paper, PRINTER naming queues
# with UTF-8 and % in their names, a driverless queue in front of an IPP
# Everywhere printer (ippeveprinter), LPDEST naming no queue, the queue's own
# Letter paper under en_GB, the scheduler as a server on a local port, and a
# full disk under Print's temporary folder and under a saved PDF.
#
#   cups_print_test.sh PROBE
#
# Exit code 77 (skipped) when not run as root, which a private CUPS needs.
set -euo pipefail

probe=$1
cups="$NIC_TEST_SUPPORT/private_cups.sh"
failures=0
probe_log_shown=no

if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP: a private CUPS scheduler needs root"
    exit 77
fi

folder=$(mktemp -d /tmp/nic-cups-test.XXXXXX)
trap 'bash "$cups" stop "$folder"; rm -rf "$folder"' EXIT
# A free local port, where the scheduler is reached as a server on the network too.
NIC_CUPS_PORT=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
export NIC_CUPS_PORT
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
        # What the probe's print log says of the press that failed, once.
        if [ "$probe_log_shown" = no ] && [ -s "$folder/probe.err" ]; then
            sed 's/^/  probe log: /' "$folder/probe.err"
            probe_log_shown=yes
        fi
    fi
}

# Waits until the queue (the test's own unless named) has no job left to
# do, for at most a minute.
wait_for_idle_queue() {
    local waited_on=${1:-$queue}
    for _ in $(seq 600); do
        [ -z "$(lpstat -o "$waited_on" 2>/dev/null)" ] && return 0
        sleep 0.1
    done
    echo "jobs still queued after a minute:" >&2
    lpstat -o "$waited_on" >&2
    return 1
}

pdfs_written() {
    find "$folder/out" -name '*.pdf' | wc -l
}

completed_jobs() {
    lpstat -W completed -o "$queue" 2>/dev/null | wc -l
}

run_probe() { # [arguments for the probe]; sets output, status and took (milliseconds)
    status=0
    probe_log_shown=no
    output=$(QT_LOGGING_RULES="nic.print=true" timeout 120 "${probe_runner[@]}" "$probe" "$@" </dev/null \
        2>"$folder/probe.err") || status=$?
    took=$(sed -n 's/^took \([0-9]*\) ms$/\1/p' <<<"$output")
    echo "probe ($status): $output"
}

# How the probe is started: as it is, or inside a mount namespace of its own.
probe_runner=(env)

# The probe with a full disk at FOLDER/full: a tiny file system, filled up.
full_disk=$folder/full
mkdir -p "$full_disk"
on_full_disk=(unshare --mount --propagation private sh -c
    'mount -t tmpfs -o size=8k tmpfs "$0" && { cat /dev/zero >"$0/filler" 2>/dev/null; exec "$@"; }' "$full_disk")

last_page_log() {
    tail -1 "$folder/log/page_log"
}

# Whether the page log's last line comes to match an extended regular
# expression within half a minute: the scheduler writes it as the job ends,
# and on a busy machine that can be a while after the queue looks idle.
page_logged() {
    for _ in $(seq 300); do
        grep -Eq "$1" <(last_page_log 2>/dev/null) && return 0
        sleep 0.1
    done
    return 1
}

# The press gives the window back within the bound, and the probe goes on.
check_back_in_time() {
    check "the press ended within 30 seconds (${took:-?} ms)" [ "${took:-99999}" -lt 30000 ]
    check "the probe is still running after the message" grep -qx 'still running' <<<"$(tail -1 <<<"$output")"
}

# Never the C library's bare error texts that libcups passes on.
check_no_bare_error_text() {
    check "no bare system error text" bash -c '! grep -Eqi "No such file or directory|Connection reset|Broken pipe|Success$" <<<"$1"' _ "$output"
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
        'Identity Card No +: +811231234V' 'Date Of Birth \(Hijri\) +: +1401 +Jamada al Thani +28' \
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

echo "== the queue is paused"
cupsdisable "$queue"
run_probe
check "the probe says the sheet waits" [ "$status" -eq 3 ]
check "it says the sheet waits in the paused queue" grep -q "waiting in the queue of \"$queue\", which is paused" <<<"$output"
check_back_in_time
sleep 1
check "nothing came out while paused" [ "$(pdfs_written)" -eq 1 ]
cupsenable "$queue"
wait_for_idle_queue
check "the waiting sheet came out once the queue was resumed" [ "$(pdfs_written)" -eq 2 ]

echo "== the queue refuses jobs"
cupsreject "$queue"
jobs_before=$(completed_jobs)
run_probe
check "a message comes back" [ "$status" -eq 2 ]
check "it names the printer and says it refuses jobs" grep -q "\"$queue\" is not accepting jobs" <<<"$output"
check_back_in_time
cupsaccept "$queue"
sleep 1
wait_for_idle_queue
check "no job was queued or retried" [ "$(completed_jobs)" -eq "$jobs_before" ]
check "no more PDFs were written" [ "$(pdfs_written)" -eq 2 ]

# A relay in front of the scheduler passes everything through until the
# sheet itself comes, then the scheduler is killed and the line cut: at
# once, or after a second and a half, as a busy scheduler would be slow to
# let the sheet come. libcups then sends it unasked after a second, and the
# line is cut while it waits for the answer.
for delay in 0 1.5; do
    echo "== the scheduler dies while it takes the sheet (cut after ${delay} s)"
    relay_socket=$folder/relay.sock
    rm -f "$relay_socket"
    python3 - "$relay_socket" "$folder/cups.sock" "$(cat "$folder/cupsd.pid")" "$delay" <<'PYTHON' &
import os, select, signal, socket, sys, time
listen_path, cups_path, cupsd_pid, delay = sys.argv[1], sys.argv[2], int(sys.argv[3]), float(sys.argv[4])
server = socket.socket(socket.AF_UNIX)
server.bind(listen_path)
server.listen(4)
server.settimeout(60)
while True:
    client, _ = server.accept()
    upstream = socket.socket(socket.AF_UNIX)
    upstream.connect(cups_path)
    pair = {client: upstream, upstream: client}
    # The mark may come split over two reads: the last bytes of the one
    # before are searched with each.
    marker, tail = b"application/pdf", b""
    open_ends = True
    while open_ends:
        ready, _, _ = select.select(list(pair), [], [], 60)
        for end in ready:
            data = end.recv(65536)
            seen = tail + data if end is client else b""
            if end is client:
                tail = seen[-len(marker):]
            if marker in seen:
                time.sleep(delay)
                os.kill(cupsd_pid, signal.SIGKILL)
                client.close(); upstream.close()
                sys.exit(0)
            if not data:
                open_ends = False
                break
            pair[end].sendall(data)
    client.close(); upstream.close()
PYTHON
    relay_pid=$!
    for _ in $(seq 50); do [ -S "$relay_socket" ] && break; sleep 0.1; done
    CUPS_SERVER=$relay_socket run_probe
    check "a message comes back" [ "$status" -eq 2 ]
    check "it says the connection broke off" grep -q 'broke off while the sheet was being sent' <<<"$output"
    check_no_bare_error_text
    check_back_in_time
    kill "$relay_pid" 2>/dev/null || true
    wait "$relay_pid" 2>/dev/null || true
    # A sheet that got through would still be on its way out; a dead scheduler
    # has no queue to wait for.
    wait_for_idle_queue
    check "nothing more was printed" [ "$(pdfs_written)" -eq 2 ]
    bash "$cups" stop "$folder"
    bash "$cups" start "$folder"
done

for setup in "a printer, but none set as the default" "no printer at all"; do
    echo "== $setup"
    lpadmin -x "$queue"
    [ "$setup" = "no printer at all" ] || bash "$cups" add-queue "$folder"
    run_probe
    check "a message comes back" [ "$status" -eq 2 ]
    check "it says no default printer is set up" grep -q 'No default printer is set up' <<<"$output"
    check_back_in_time
    check "nothing more was printed" [ "$(pdfs_written)" -eq 2 ]
done

echo "== a socket that never answers"
silent_socket=$folder/silent.sock
python3 -c 'import socket, sys, time
s = socket.socket(socket.AF_UNIX); s.bind(sys.argv[1]); s.listen(8); time.sleep(120)' "$silent_socket" &
silent_pid=$!
for _ in $(seq 50); do [ -S "$silent_socket" ] && break; sleep 0.1; done
CUPS_SERVER=$silent_socket run_probe
check "a message comes back" [ "$status" -eq 2 ]
check "it says the print system did not answer" grep -q 'print system did not answer within' <<<"$output"
check_back_in_time
kill "$silent_pid" 2>/dev/null || true
wait "$silent_pid" 2>/dev/null || true

echo "== no scheduler running"
bash "$cups" stop "$folder"
run_probe
check "a message comes back" [ "$status" -eq 2 ]
check "it says the print system cannot be reached" grep -q 'print system cannot be reached' <<<"$output"
check "it does not blame a missing default printer" bash -c '! grep -q "No default printer" <<<"$1"' _ "$output"
check_no_bare_error_text
check_back_in_time

bash "$cups" start "$folder"
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
printed_before=$(pdfs_written)

echo "== the default is an instance of the queue, with saved options"
mkdir -p "$HOME/.cups"
printf 'Dest %s/two copies=2 media=na_letter_8.5x11in\nDefault %s/two\n' "$queue" "$queue" >"$HOME/.cups/lpoptions"
run_probe
check "the probe says the sheet was printed" grep -qx printed <<<"$output"
wait_for_idle_queue
check "the job had the instance's two copies and its paper" page_logged "^$queue .* total 2 .* na_letter_8.5x11in"
rm "$HOME/.cups/lpoptions"

# Queue names beyond plain ASCII letters, and PRINTER chosen over the
# server's default; the same CUPS-PDF device writes their sheets.
for named in 'Drucker-ü' 'a%41b'; do
    echo "== PRINTER=$named, over the server's default"
    lpadmin -p "$named" -E -v "cups-pdf:/$queue" -P "$ppd" 2>/dev/null
    PRINTER=$named run_probe
    check "the probe says the sheet was printed" grep -qx printed <<<"$output"
    wait_for_idle_queue "$named"
    check "the sheet went to $named" page_logged "^$named "
done

echo "== a driverless queue in front of an IPP Everywhere printer"
# ippeveprinter keeps each document it takes (-k), and runs a command that
# does nothing instead of taking seconds to pretend to print. It opens an
# Avahi client even with its announcements off, and that needs a D-Bus
# system bus, though not Avahi itself: a bus of the test's own stands in.
ipp_folder=$folder/ipp-printer
ipp_port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
mkdir -p "$ipp_folder"
timeout 300 dbus-daemon --session --address="unix:path=$folder/bus.sock" --nofork --nopidfile \
    >"$folder/log/dbus.out" 2>&1 &
bus_pid=$!
for _ in $(seq 50); do [ -S "$folder/bus.sock" ] && break; sleep 0.1; done
DBUS_SYSTEM_BUS_ADDRESS=unix:path=$folder/bus.sock timeout 300 ippeveprinter -r off -n localhost -p "$ipp_port" \
    -d "$ipp_folder" -k -c /bin/true -f application/pdf "NIC test printer" >"$folder/log/ippeveprinter.out" 2>&1 &
ipp_pid=$!
ipp_uri=ipp://localhost:$ipp_port/ipp/print
for _ in $(seq 100); do ipptool -q "$ipp_uri" get-printer-attributes.test 2>/dev/null && break; sleep 0.1; done
check "a driverless queue is made for it" lpadmin -p Driverless -E -v "$ipp_uri" -m everywhere
PRINTER=Driverless run_probe
check "the probe says the sheet was printed" grep -qx printed <<<"$output"
wait_for_idle_queue Driverless
check "the printer received one document" [ "$(find "$ipp_folder" -name '*.pdf' | wc -l)" -eq 1 ]
received=$(find "$ipp_folder" -name '*.pdf' | head -1)
if [ -n "$received" ]; then
    check "it has one page" grep -Eq '^Pages:\s+1$' <(pdfinfo "$received")
    check "it is the whole sheet" grep -q 'www\.vantrel\.com\.au' <(pdftotext "$received" -)
fi
lpadmin -x Driverless
kill "$ipp_pid" "$bus_pid" 2>/dev/null || true
wait "$ipp_pid" "$bus_pid" 2>/dev/null || true

echo "== LPDEST names a printer that is not there"
LPDEST=NoSuchQueue run_probe
check "a message comes back" [ "$status" -eq 2 ]
check "it says the named printer is not found" grep -q '"NoSuchQueue", named as the default printer, is not found' <<<"$output"
check "it does not say no default is set up" bash -c '! grep -q "No default printer" <<<"$1"' _ "$output"

echo "== the queue's default paper is Letter, the user's locale en_GB"
lpadmin -p "$queue" -o PageSize=Letter
before=$(pdfs_written)
LC_ALL=en_GB.UTF-8 run_probe
check "the probe says the sheet was printed" grep -qx printed <<<"$output"
wait_for_idle_queue
pdf=$(ls -t "$folder"/out/*.pdf | head -1)
check "one more PDF was written" [ "$(pdfs_written)" -eq $((before + 1)) ]
check "its page is Letter" grep -Eq '^Page size:.*\(letter\)' <(pdfinfo "$pdf")
check "it has one page" grep -Eq '^Pages:\s+1$' <(pdfinfo "$pdf")
lpadmin -p "$queue" -o PageSize=A4

echo "== the print system as a server on a local port (CUPS_SERVER=127.0.0.1:$NIC_CUPS_PORT)"
before=$(pdfs_written)
CUPS_SERVER=127.0.0.1:$NIC_CUPS_PORT run_probe
check "the probe says the sheet was printed" grep -qx printed <<<"$output"
wait_for_idle_queue
check "one more PDF was written" [ "$(pdfs_written)" -eq $((before + 1)) ]

echo "== Print with the temporary folder on a full disk"
before=$(pdfs_written)
probe_runner=("${on_full_disk[@]}")
TMPDIR=$full_disk run_probe
probe_runner=(env)
check "the probe says the sheet was printed" grep -qx printed <<<"$output"
wait_for_idle_queue
pdf=$(ls -t "$folder"/out/*.pdf | head -1)
check "one more PDF was written" [ "$(pdfs_written)" -eq $((before + 1)) ]
check "it is the whole sheet" grep -q 'www\.vantrel\.com\.au' <(pdftotext "$pdf" -)

echo "== Save as PDF onto a full disk"
probe_runner=("${on_full_disk[@]}")
run_probe "$full_disk/811231234V.pdf"
probe_runner=(env)
check "a message comes back" [ "$status" -eq 2 ]
check "it says the sheet could not be saved, and to look for room on the disk" \
    grep -q 'could not be saved as .*room on the disk' <<<"$output"
check "nothing was printed instead" [ "$(pdfs_written)" -eq $((before + 1)) ]

if [ "$failures" -ne 0 ]; then
    echo "$failures checks failed; scheduler log:"
    tail -40 "$folder/log/error_log" || true
    exit 1
fi
echo "all checks passed"
