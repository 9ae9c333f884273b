#!/usr/bin/env bash
# --help and --version answered where the user who asked reads them, each
# way of starting the program one row: captured by a pipe (as a script or CI
# captures it) and written to a file, without a display; and for a Windows
# build under Wine on a display, where a message box would wait for a click,
# also typed in a console (cmd) and started as Explorer starts it, where a
# message box is the answer and OK ends the program. Every start has a time
# limit: a box where none belongs fails the row instead of waiting.
#
#   help_and_version_test.sh PROGRAM VERSION [RUNNER]
#
# VERSION is the project's, as the build hands it to the program. RUNNER
# starts a Windows program (the build's run-under-wine); Wine's rows then
# run on the display that ctest gives the test (with_xvfb.sh).
set -uo pipefail
program=$1
version=$2
runner=${3:-}
here=$(cd "$(dirname "$0")" && pwd)
. "${NIC_TEST_SUPPORT:-$here/../../tests/support}/x11_helpers.sh"
work=$(mktemp -d /tmp/nic-help-version.XXXXXX)
trap 'rm -rf "$work"' EXIT
title="National Identity Card"
version_text="$title $version"
limit=60 # seconds; a first start under Wine makes its prefix first
status=0

start() { # the program's own arguments
    if [ -n "$runner" ]; then timeout "$limit" "$runner" "$program" "$@"; else timeout "$limit" "$program" "$@"; fi
}

check() { # row, what was read, exit status, the option asked
    local row=$1 text=$2 code=$3 option=$4 ok=yes
    text=$(tr -d '\r' <<<"$text")
    if [ "$code" -eq 124 ]; then
        echo "FAIL: $row: $option did not end within $limit seconds (a message box waiting?)" >&2
        status=1
        return
    fi
    case $option in
    --version) [ "$text" = "$version_text" ] || ok=no ;;
    --help) grep -q '^Usage: .*nic-decoder.* \[options\]$' <<<"$text" && grep -q 'use nic-decode\.' <<<"$text" || ok=no ;;
    esac
    if [ "$code" -ne 0 ] || [ "$ok" = no ]; then
        echo "FAIL: $row: $option ended with $code and wrote: $text" >&2
        status=1
        return
    fi
    echo "ok: $row: $option"
}

if [ -z "$runner" ]; then
    unset DISPLAY WAYLAND_DISPLAY
else
    # The prefix, made once before any row's time limit starts counting; its
    # server let go before the first row starts, for a program started while
    # the prefix is still being set up may end at once with nothing written.
    if [ ! -f "${WINEPREFIX:-$HOME/.wine}/system.reg" ]; then
        timeout 300 "$runner" wineboot --init >/dev/null 2>&1 || fail "could not make the Wine prefix"
    fi
    timeout 60 /usr/lib/wine/wineserver64 -w || fail "the Wine prefix's server did not end"
fi

for option in --version --help; do
    text=$(start "$option" </dev/null 2>&1 | cat)
    check "captured by a pipe" "$text" "${PIPESTATUS[0]}" "$option"
    start "$option" </dev/null >"$work/out" 2>&1
    code=$?
    check "written to a file" "$(cat "$work/out")" "$code" "$option"
done
[ -n "$runner" ] || exit $status

# From cmd in a console, as a user types it: the console is a terminal of
# script's, wide enough for every line, whose output is what the user sees.
folder=$(dirname "$program")
name=$(basename "$program")
for option in --version --help; do
    text=$(cd "$folder" && timeout "$limit" script -qec "stty cols 300; '$runner' cmd /c $name $option" /dev/null </dev/null)
    code=$?
    # Wine's console draws on the terminal with its codes: runs of spaces as
    # cursor moves, the cursor hidden and shown around the text.
    text=$(perl -pe 's/\e\[(\d*)C/" " x ($1 || 1)/ge; s/\e\[[0-9;?]*[A-Za-z]//g' <<<"$text" | grep -v '^[[:space:]]*$')
    check "typed in a console" "$text" "$code" "$option"
done

# Started as Explorer starts it, with no console and nowhere to write: the
# text in a message box, which OK closes, ending the program.
(cd "$folder" && timeout "$limit" "$runner" start /wait "$name" --version </dev/null >/dev/null 2>&1)&
starter=$!
if box=$(wait_for_window "$title" 30); then
    xdotool windowfocus "$box" key Return 2>/dev/null
    wait "$starter"
    code=$?
    if [ "$code" -eq 0 ]; then
        echo "ok: started as Explorer starts it: --version in a message box, closed by OK"
    else
        echo "FAIL: started as Explorer starts it: ended with $code after OK" >&2
        status=1
    fi
else
    echo "FAIL: started as Explorer starts it: no message box showed --version" >&2
    kill "$starter" 2>/dev/null
    status=1
fi
exit $status
