#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a temporary folder and checks
# that it carries a working program with valid desktop integration, and that
# apt can satisfy its dependencies on this Debian release.
set -euo pipefail
build=$(cd "$1" && pwd)
. "$NIC_TEST_SUPPORT/x11_helpers.sh"
work=$(mktemp -d)
cleanup() {
    kill $(jobs -p) 2>/dev/null || true
    stop_xvfb
    rm -rf "$work"
}
trap cleanup EXIT

(cd "$work" && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/package" >/dev/null)
deb=$(find "$work/package" -maxdepth 1 -name '*.deb' | head -1)
[ -n "$deb" ] || fail "cpack made no .deb"
dpkg-deb --field "$deb" Depends | grep -q fonts-wine || fail "the package does not depend on fonts-wine"

dpkg -x "$deb" "$work/root"
app_id=au.com.vantrel.NationalIdentityCard
for file in usr/bin/nic-decoder usr/bin/nic-decode usr/share/man/man1/nic-decoder.1 usr/share/man/man1/nic-decode.1 \
    "usr/share/applications/$app_id.desktop" \
    "usr/share/metainfo/$app_id.metainfo.xml" "usr/share/icons/hicolor/32x32/apps/$app_id.png" \
    "usr/share/icons/hicolor/128x128/apps/$app_id.png"; do
    [ -e "$work/root/$file" ] || fail "the package lacks $file"
done
# The program loads it at its first Print, from the library folder beside its own.
module=$(find "$work/root/usr/lib" -path '*/nic-decoder/cups-queue.so' | head -1)
[ -n "$module" ] || fail "the package lacks the CUPS module the program prints through"
! ldd "$module" | grep -q 'not found' || fail "the CUPS module needs libraries that are not found"
desktop-file-validate "$work/root/usr/share/applications/$app_id.desktop"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/$app_id.metainfo.xml" >/dev/null

row=$("$work/root/usr/bin/nic-decode" --today 2026-12-07 811231234V | tail -1)
[ "$row" = "811231234V,valid,1981-05-02,1401-06-28,Saturday,male,45,7,198112301234" ] || fail "the unpacked nic-decode wrote: $row"
echo "unpacked nic-decode decodes"

start_xvfb
"$work/root/usr/bin/nic-decoder" &
wait_for_window "National Identity Card" >/dev/null || fail "the unpacked program showed no window"
echo "unpacked program shows its window"

# Every dependency must be installable from this release's archive.
apt-get install --simulate "$deb" >"$work/simulate.log" 2>&1 || { cat "$work/simulate.log"; fail "apt cannot install the package"; }
echo "apt-get install --simulate of $(basename "$deb") succeeds"
