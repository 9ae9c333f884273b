#!/usr/bin/env bash
# The program on unfriendly desktops: no display at all, a display that goes
# away under it, a screen smaller than its window, and two copies at once.
set -uo pipefail
program=$1
. "$NIC_TEST_SUPPORT/x11_helpers.sh"
title="National Identity Card"
trap 'stop_xvfb; kill $(jobs -p) 2>/dev/null' EXIT

# No display: a plain message and exit code 1, not an abort.
output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" 2>&1)
code=$?
[ "$code" -eq 1 ] || fail "without a display the exit code was $code, not 1"
grep -q "nic-decoder: cannot start" <<<"$output" || fail "without a display the message was: $output"
# Qt's own text tells the user to reinstall, which cannot help here.
! grep -qi "reinstall" <<<"$output" || fail "without a display the message advises reinstalling: $output"
echo "no display: exit code 1 with: $(grep "cannot start" <<<"$output")"

# A screen smaller than the window: placed by the same rule, off the edges.
start_xvfb 200x120x24 || exit 1
"$program" &
small=$!
id=$(wait_for_window "$title") || fail "no window on the small screen"
read -r x y w h < <(window_geometry "$id")
# Left (3000 - 4440) / 2 = -720 twips = -48 px; top (1800 - 2685) / 3 = -295 twips, about -20 px.
[ "$x" -eq -48 ] && [ "$y" -ge -20 ] && [ "$y" -le -19 ] || fail "small screen placement was $x,$y"
echo "small screen: window at $x,$y, ${w}x$h"

# Two copies at once: both run, each with its own window.
"$program" &
second=$!
for _ in $(seq 100); do
    [ "$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | wc -l)" -ge 2 ] && break
    sleep 0.1
done
[ "$(xdotool search --onlyvisible --name "^$title\$" | wc -l)" -ge 2 ] || fail "the second copy showed no window"
echo "started twice: two windows"

# The display goes away: the program ends by itself, without a crash.
stop_xvfb
for pid in $small $second; do
    for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$pid" 2>/dev/null && fail "the program kept running after its display went away"
    wait "$pid"
    code=$?
    [ "$code" -lt 128 ] || fail "the program died of signal $((code - 128)) when its display went away"
done
echo "display gone: both copies ended with code $code"
