#!/usr/bin/env bash
# Ten million numbers through nic-decode: the peak resident memory stays
# under 20 MB, since only the current line is ever held.
#   nic_decode_memory_test.sh NIC_DECODE
set -euo pipefail
program=$1
limit_kb=$((20 * 1024))
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The numbers come through a pipe held open after the last one, so that the
# program's own peak can be read from /proc while it still runs.
mkfifo "$work/numbers"
"$program" --today 2026-12-07 <"$work/numbers" >/dev/null &
decoder=$!
exec 3>"$work/numbers"
head -n 10000000 < <(yes 811231234V) >&3
# Until the program has read the pipe empty and waits for more.
for _ in $(seq 100); do
    grep -q '^State:.*S (sleeping)' "/proc/$decoder/status" && break
    sleep 0.1
done
peak_kb=$(awk '/^VmHWM:/ { print $2 }' "/proc/$decoder/status")
exec 3>&-
status=0
wait "$decoder" || status=$?
echo "peak resident memory: ${peak_kb} kB"
[ "$status" -eq 0 ] || { echo "FAIL: nic-decode ended with status $status" >&2; exit 1; }
[ "$peak_kb" -lt "$limit_kb" ] || { echo "FAIL: over ${limit_kb} kB" >&2; exit 1; }
