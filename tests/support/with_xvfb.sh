#!/usr/bin/env bash
# Runs a command on a virtual X display of its own, 1024x768 in 24 bits,
# which goes when the command ends; exits with the command's code.
#
#   with_xvfb.sh COMMAND [ARGUMENT...]
set -uo pipefail
. "$(dirname "$0")/x11_helpers.sh"
start_xvfb 1024x768x24 || exit 1
trap stop_xvfb EXIT
"$@"
