#!/usr/bin/env bash
# Start-up time to the first shown frame and peak memory of the program,
# measured in one run against a bare Qt widgets window on the same machine:
# an empty one, and one that shows a line of text.
#
#   tests/measure_startup.sh [build folder] [runs]
#
# Each program is started on a virtual display; the time is from the start
# until its window is mapped and viewable, the memory is its peak resident
# set (VmHWM) once the window is up. The machine's load average before and
# after is printed too: the times mean little without it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
runs=${2:-10}
. "$here/support/x11_helpers.sh"
trap 'stop_xvfb' EXIT
start_xvfb 1024x768x24

ShowTimeout=10000000000 # nanoseconds

measure() { # window title, program and its arguments -> prints "milliseconds kilobytes"
    local title=$1 start end pid id kb
    shift
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1 &
    pid=$!
    # Polled every few milliseconds: xdotool's own --sync waits half seconds.
    id=
    until [ -n "$id" ] && [ "$(window_map_state "$id")" = IsViewable ]; do
        # A program that ended or hangs would otherwise be waited for forever.
        if ! kill -0 "$pid" 2>/dev/null || (($(date +%s%N) - start > ShowTimeout)); then
            kill "$pid" 2>/dev/null || true
            echo "measure_startup.sh: $1 did not show its window" >&2
            return 1
        fi
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

load_average() { cut -d' ' -f1-3 /proc/loadavg; }
load_before=$(load_average)

declare -A times memory
for round in $(seq "$runs"); do
    # Take turns so that a busy moment of the machine hits all of them.
    read -r t m < <(measure "Bare Window" "$build/tests/bare_window")
    times[empty]+="$t "; memory[empty]+="$m "
    read -r t m < <(measure "Bare Window" "$build/tests/bare_window" --text)
    times[text]+="$t "; memory[text]+="$m "
    read -r t m < <(measure "National Identity Card" "$build/app/nic-decoder")
    times[program]+="$t "; memory[program]+="$m "
done

median_of() { tr ' ' '\n' <<<"$1" | grep . | median; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
echo "load average (1, 5, 15 minutes): $load_before before, $(load_average) after"
program_ms=$(median_of "${times[program]}")
program_kb=$(median_of "${memory[program]}")
echo "median of $runs starts: the program $program_ms ms to its first frame, $program_kb kB at its peak"
for yardstick in empty text; do
    ms=$(median_of "${times[$yardstick]}")
    kb=$(median_of "${memory[$yardstick]}")
    echo "bare window ($yardstick): $ms ms, $kb kB; the program takes $(ratio "$program_ms" "$ms")x the time" \
        "and $(ratio "$program_kb" "$kb")x the memory"
done
