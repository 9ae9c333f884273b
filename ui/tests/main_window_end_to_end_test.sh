#!/usr/bin/env bash
# Runs the real program on an X display as a user would, with xdotool: slide
# the about panel away, type a valid number and watch the window grow, type
# an invalid one and see the dialog replace the window, put the dialog away,
# grow once more and shrink with Esc. Screenshots of each stage go to the
# folder given, to be looked at.
#
#   main_window_end_to_end_test.sh PROGRAM SCREENSHOT_FOLDER
#
# Needs a display (ctest gives it one of its own), xdotool, x11-utils and
# ImageMagick's import.
set -euo pipefail

program=$1
shots=$2
mkdir -p "$shots"
. "$NIC_TEST_SUPPORT/x11_helpers.sh"
export WAIT_SECONDS=5

# Client heights in pixels: 2280 twips at start (2685 outer, less the
# modelled frame of 405) and 2175 after the dialog's OK, exactly. A grow ends
# at the first height above 5550 and a shrink at the first below 2685; an X
# server that answers a resize late can shift the steps by a few twips, so
# those two ends are ranges: 5555 to 5600 and 2635 to 2680 outer.
readonly StartHeight=152 CollapsedHeight=145
readonly GrownLeast=343 GrownMost=346 ShrunkLeast=149 ShrunkMost=152
# Centres of the about panel's OK and of the entry field, in client pixels.
readonly AboutOk="144 138" EntryField="144 49"


shoot() {
    import -window root "$shots/$1.png"
    echo "screenshot: $shots/$1.png"
}




# Waits up to five seconds for an animation to end with the window's client
# height between two values: the same height twice, a third of a second apart.
wait_for_settled_height() {
    local window=$1 least=$2 most=$3 height= previous=
    for _ in $(seq 15); do
        height=$(client_height "$window")
        if [ "$height" = "$previous" ] && [ "$height" -ge "$least" ] && [ "$height" -le "$most" ]; then
            return 0
        fi
        previous=$height
        sleep 0.33
    done
    fail "the window's height ended at $height, not between $least and $most"
}

visible_windows() {
    xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null || true
}

"$program" &
program_pid=$!
trap 'kill "$program_pid" 2>/dev/null || true; wait "$program_pid" 2>/dev/null || true' EXIT

main=$(wait_for_window "National Identity Card" 10) || fail "the main window did not appear"
[ "$(client_height "$main")" -eq "$StartHeight" ] || fail "the window did not open collapsed"
shoot 1-start

xdotool mousemove --window "$main" $AboutOk click 1
sleep 1
shoot 2-panel-gone

xdotool mousemove --window "$main" $EntryField click 1
xdotool type --delay 30 811231234V
xdotool key Return
wait_for_settled_height "$main" "$GrownLeast" "$GrownMost"
shoot 3-grown

xdotool key ctrl+a
xdotool type --delay 30 811231234Q
xdotool key Return
wait_for IsUnMapped window_map_state "$main"
dialog=$(visible_windows | head -1)
[ -n "$dialog" ] || fail "no dialog came up"
[ "$dialog" != "$main" ] || fail "the main window is still on screen"
shoot 4-dialog

xdotool key Return
wait_for IsViewable window_map_state "$main"
wait_for IsUnMapped window_map_state "$dialog"
wait_for "$CollapsedHeight" client_height "$main"
shoot 5-after-dialog

# The focus went back to the entry field with the window.
xdotool key ctrl+a
xdotool type --delay 30 811231234V
xdotool key Return
wait_for_settled_height "$main" "$GrownLeast" "$GrownMost"
xdotool key Escape
wait_for_settled_height "$main" "$ShrunkLeast" "$ShrunkMost"
shoot 6-shrunk

kill -0 "$program_pid" || fail "the program ended on its own"
echo "PASS"
