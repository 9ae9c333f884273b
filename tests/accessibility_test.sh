#!/usr/bin/env bash
# Runs the program on a virtual display with the accessibility bus up and
# lets accessibility_test.py work it as a screen reader would.
set -euo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)

if [ -z "${NIC_A11Y_INNER:-}" ]; then
    export NIC_A11Y_INNER=1
    exec dbus-run-session -- "$0" "$@"
fi

# A display of its own.
. "$NIC_TEST_SUPPORT/x11_helpers.sh"
start_xvfb 1024x768x24

/usr/libexec/at-spi-bus-launcher --launch-immediately &
bus=$!
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0
"$program" &
app=$!
trap 'kill $app $bus 2>/dev/null || true; stop_xvfb' EXIT
/usr/bin/python3 "$here/accessibility_test.py"
