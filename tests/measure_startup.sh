#!/usr/bin/env bash
# Start-up time to the first shown frame and peak memory of the program,
# measured in one run against a bare Qt widgets window on the same machine.
#
#   tests/measure_startup.sh [build folder] [runs]
#
# Each program is started on a virtual display; the time is from the start
# until its window is mapped and viewable, the memory is its peak resident
# set (VmHWM) once the window is up.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
runs=${2:-10}
. "$here/x11_helpers.sh"
trap 'stop_xvfb' EXIT
start_xvfb 1024x768x24

measure() { # program, window title -> prints "milliseconds kilobytes"
    local program=$1 title=$2 start end pid id kb
    start=$(date +%s%N)
    "$program" >/dev/null 2>&1 &
    pid=$!
    # Polled every few milliseconds: xdotool's own --sync waits half seconds.
    id=
    until [ -n "$id" ] && [ "$(window_map_state "$id")" = IsViewable ]; do
        id=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -1 || true)
        [ -n "$id" ] || sleep 0.002
    done
    end=$(date +%s%N)
    sleep 0.3 # let the first paint settle before reading the peak
    kb=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo $(((end - start) / 1000000)) "$kb"
}

median() { sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }

declare -A times memory
for round in $(seq "$runs"); do
    # Alternate the two so that a busy moment of the machine hits both.
    read -r t m < <(measure "$build/tests/bare_window" "Bare Window")
    times[bare]+="$t "; memory[bare]+="$m "
    read -r t m < <(measure "$build/app/nic-decoder" "National Identity Card")
    times[program]+="$t "; memory[program]+="$m "
done

bare_ms=$(tr ' ' '\n' <<<"${times[bare]}" | grep . | median)
program_ms=$(tr ' ' '\n' <<<"${times[program]}" | grep . | median)
bare_kb=$(tr ' ' '\n' <<<"${memory[bare]}" | grep . | median)
program_kb=$(tr ' ' '\n' <<<"${memory[program]}" | grep . | median)
echo "start-up to first frame (median of $runs): bare window $bare_ms ms, program $program_ms ms" \
    "($(awk -v a="$program_ms" -v b="$bare_ms" 'BEGIN {printf "%.2f", a / b}')x)"
echo "peak memory (median of $runs): bare window $bare_kb kB, program $program_kb kB" \
    "($(awk -v a="$program_kb" -v b="$bare_kb" 'BEGIN {printf "%.2f", a / b}')x)"
