#!/usr/bin/env bash
# Downloads Debian 12's own source packages into the folder named first,
# through a private list of Debian's archive, so the machine's own apt
# sources stay as they are.
#
#   cmake/debian-sources.sh FOLDER PACKAGE...
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: $0 FOLDER PACKAGE..." >&2; exit 2; }
folder=$1
shift
apt_state=$(mktemp -d)
trap 'rm -rf "$apt_state"' EXIT
mkdir -p "$folder" "$apt_state/lists/partial"
# Beside the lists, not among them: apt-get update removes what it does not know there.
echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main" \
    >"$apt_state/src.list"
apt=(apt-get -q -o APT::Sandbox::User=root -o Dir::Etc::SourceList="$apt_state/src.list"
    -o Dir::Etc::SourceParts=/dev/null -o Dir::State::Lists="$apt_state/lists")
"${apt[@]}" update >/dev/null
cd "$folder"
"${apt[@]}" source --download-only "$@" >/dev/null
