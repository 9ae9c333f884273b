#!/usr/bin/env bash
# The program on a machine whose ICU data is unreadable: it says why it
# cannot start and ends with code 1, instead of crashing or showing dates
# worked out from fallbacks.
#
#   unreadable_icu_data_start_test.sh PROGRAM DATA_LIBRARY_FOLDER
set -uo pipefail
program=$1
data=$2

output=$(LD_LIBRARY_PATH=$data QT_QPA_PLATFORM=offscreen timeout 30 "$program" 2>&1)
code=$?
if [ "$code" -ne 1 ]; then
    echo "exit code $code, not 1; output: $output" >&2
    exit 1
fi
if ! grep -q "nic-decoder: cannot start: .*ICU" <<<"$output"; then
    echo "no reason given; output: $output" >&2
    exit 1
fi
echo "refused with: $(grep 'cannot start' <<<"$output")"
