# Shell helpers for the tests that run the real program on a virtual X display.
# Source it; it needs Xvfb, xdotool and x11-utils.

# Starts Xvfb on a free display with the given screen (default 1024x768x24),
# exports DISPLAY and a runtime folder of its own (XDG_RUNTIME_DIR), and
# sets XVFB_PID. The server picks the display itself and names it once it is
# ready (-displayfd): a number guessed from lock files could be one that
# another server, starting or ending at that moment, holds, and a test would
# then talk to that one. Xvfb writes the number just before it serves its
# first request, so no probe is needed after it.
#
# -noreset: by default an X server resets itself each time its last client
# goes, and a reset ends every connection still being set up. A program
# started while xdotool or xdpyinfo closes its connection is then refused
# ("could not connect to display") although the display answers at once
# after.
start_xvfb() {
    local screen=${1:-1024x768x24} named number=
    named=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$named" >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 200); do
        read -r number <"$named" || true
        [ -n "$number" ] && break
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    rm -f "$named"
    if [ -z "$number" ]; then
        echo "could not start Xvfb" >&2
        return 1
    fi
    export DISPLAY=":$number"
    XVFB_RUNTIME_DIR=$(mktemp -d)
    export XDG_RUNTIME_DIR=$XVFB_RUNTIME_DIR
}

stop_xvfb() {
    if [ -n "${XVFB_PID:-}" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
    fi
    XVFB_PID=
    [ -n "${XVFB_RUNTIME_DIR:-}" ] && rm -rf "$XVFB_RUNTIME_DIR"
    XVFB_RUNTIME_DIR=
    return 0
}

# Waits for a visible window with exactly this title; prints its id.
wait_for_window() {
    local title=$1 timeout=${2:-20} id
    for _ in $(seq $((timeout * 10))); do
        id=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    echo "no window titled '$title' appeared" >&2
    return 1
}

# Prints a window's absolute x, y, width and height.
window_geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /^ *Width/ {w=$NF} /^ *Height/ {h=$NF} END {print x, y, w, h}'
}

window_map_state() {
    xwininfo -id "$1" | awk -F': ' '/Map State/ {print $2}'
}

client_height() {
    xwininfo -id "$1" | awk '/^ *Height:/ {print $2}'
}

# Waits up to WAIT_SECONDS (default 10) for a command's output to equal a value.
wait_for() {
    local expected=$1 actual=
    shift
    for _ in $(seq $((${WAIT_SECONDS:-10} * 10))); do
        actual=$("$@" || true)
        [ "$actual" = "$expected" ] && return 0
        sleep 0.1
    done
    fail "$* gave '$actual', not '$expected'"
}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
