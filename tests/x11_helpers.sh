# Shell helpers for the tests that run the real program on a virtual X display.
# Source it; it needs Xvfb, xdotool and x11-utils.

# Starts Xvfb on a free display with the given screen (default 1024x768x24),
# exports DISPLAY and sets XVFB_PID. The server picks the display itself and
# names it once it is ready (-displayfd): a number guessed from lock files
# could be one that another server, starting or ending at that moment,
# holds, and a test would then talk to that one.
start_xvfb() {
    local screen=${1:-1024x768x24} named number=
    named=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$named" >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do
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
    for _ in $(seq 50); do
        xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "Xvfb on $DISPLAY does not answer" >&2
    return 1
}

# Starts a program in the background on the display and sets PROGRAM_PID.
# Now and then, right after another test's X server went away, a program's
# first connection to a fresh display is refused ("could not connect to
# display") although the display answers: then it is started once more,
# and said so. What the program does once connected is what these tests
# are about.
start_program() {
    "$@" &
    PROGRAM_PID=$!
    for _ in $(seq 20); do
        kill -0 "$PROGRAM_PID" 2>/dev/null || break
        sleep 0.1
    done
    if ! kill -0 "$PROGRAM_PID" 2>/dev/null && xdpyinfo >/dev/null 2>&1; then
        echo "note: $1 could not connect to $DISPLAY at the first try; starting it again" >&2
        "$@" &
        PROGRAM_PID=$!
    fi
}

stop_xvfb() {
    if [ -n "${XVFB_PID:-}" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
    fi
    XVFB_PID=
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
