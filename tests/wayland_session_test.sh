#!/usr/bin/env bash
# The installed program in a Wayland session: weston's headless compositor
# (software-rendered, so that its screenshooter works with --debug), the
# program on Qt's wayland platform, and wayland_session_test.py working it
# over the accessibility bus, since Wayland lets no outside program type or
# click into a window. The steps and heights are those of the X11 session;
# the client area is cut out of each screenshot and compared with the
# references in tests/references/wayland, renewed on purpose with
#
#   NIC_RENEW_REFERENCES=1 ctest --test-dir BUILD_FOLDER -R '^wayland_session_test$'
#
# The clock is set to 7 December 2026 for the program, so ages do not move.
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)

if [ -z "${NIC_WAYLAND_INNER:-}" ]; then
    export NIC_WAYLAND_INNER=1
    exec dbus-run-session -- "$0" "$@"
fi

work=$(mktemp -d /tmp/nic-wayland.XXXXXX)
cleanup() {
    # Each step is allowed to fail: the compositor must go whatever else did.
    [ -n "${program_pid:-}" ] && { kill "$program_pid" 2>/dev/null || true; }
    [ -n "${bus_pid:-}" ] && { kill "$bus_pid" 2>/dev/null || true; }
    [ -n "${weston_pid:-}" ] && { kill "$weston_pid" 2>/dev/null || true; wait "$weston_pid" 2>/dev/null || true; }
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cmake --install "$build" --prefix "$work/prefix" >/dev/null
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
export WAYLAND_DISPLAY=nic-wayland
weston --backend=headless-backend.so --use-pixman --debug --socket="$WAYLAND_DISPLAY" \
    --width=1024 --height=768 --idle-time=0 >"$work/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do
    [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break
    kill -0 "$weston_pid" 2>/dev/null || { cat "$work/weston.log" >&2; fail "weston did not start"; }
    sleep 0.1
done
[ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] || fail "weston opened no socket"

/usr/libexec/at-spi-bus-launcher --launch-immediately &
bus_pid=$!
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0
export FAKETIME_DONT_FAKE_MONOTONIC=1
# In a sanitizer build LeakSanitizer finds, at exit, blocks that Qt's
# wayland plugins and libwayland-client keep to the end, one of them in a
# plugin already unloaded, which no suppression can name. The program's own
# leaks are looked for in the X11 session; here only its behaviour counts.
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0
. "$NIC_TEST_SUPPORT/faked_clock.sh"
unset DISPLAY
QT_QPA_PLATFORM=wayland LD_PRELOAD=$faketime_library FAKETIME='@2026-12-07 10:00:00' "$work/prefix/bin/nic-decoder" &
program_pid=$!

shots=${NIC_SESSION_SHOTS:-$work/shots}
mkdir -p "$shots"
/usr/bin/python3 "$here/wayland_session_test.py" "$shots" "$here/references/wayland" "$program_pid"
wait "$program_pid" || fail "the program ended with code $?"
program_pid=
echo "ok: Exit ended the program"
