#!/usr/bin/env bash
# The Windows packages of a cross build (build.sh windows), each in a Wine
# prefix made afresh with no Qt, ICU or MinGW on its path: the ZIP unpacked
# and the NSIS installer run silently (/S), then the uninstaller. Each time
# the packaged program must start on a virtual display and decode a number;
# the installer must leave the program, a Start-menu entry and one entry
# under Add/Remove Programs with its publisher, version and icon, installed
# twice as well, and the uninstaller no file of the program.
#
#   windows_package_test.sh BUILD_FOLDER
#
# Needs Wine (Debian's wine64), NSIS, unzip, Xvfb, openbox and xdotool.
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/support/x11_helpers.sh"
work=$(mktemp -d /tmp/nic-windows-package.XXXXXX)
wine=/usr/lib/wine/wine64
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset WINEPATH

cleanup() {
    [ -n "${openbox_pid:-}" ] && { kill "$openbox_pid" 2>/dev/null || true; }
    for prefix in "$work"/prefix-*; do
        [ -d "$prefix" ] && { WINEPREFIX=$prefix /usr/lib/wine/wineserver64 -k 2>/dev/null || true; }
    done
    stop_xvfb
    rm -rf "$work"
}
trap cleanup EXIT

(cd "$build" && cpack -G "ZIP;NSIS" >/dev/null) || fail "cpack made no ZIP and installer"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
zip=$build/nic-decoder-$version-win64.zip
installer=$build/nic-decoder-$version-win64.exe
[ -f "$zip" ] && [ -f "$installer" ] || fail "no $zip or $installer"

# Everything the program loads, and nothing of the build machine's.
listing=$(unzip -Z1 "$zip" | sed 's|^[^/]*/||' | grep -v '/$' | sort)
expected=$(printf '%s\n' bin/nic-decoder.exe bin/nic-decode.exe bin/qt.conf bin/Qt6Core.dll bin/Qt6Gui.dll bin/Qt6Widgets.dll \
    bin/Qt6PrintSupport.dll bin/icuuc72.dll bin/icuin72.dll bin/icudt72.dll bin/libstdc++-6.dll \
    bin/libgcc_s_seh-1.dll bin/libwinpthread-1.dll plugins/platforms/qwindows.dll \
    plugins/styles/qwindowsvistastyle.dll | sort)
[ "$listing" = "$expected" ] || fail "the ZIP holds: $(tr '\n' ' ' <<<"$listing")"
echo "ok: the ZIP holds the programs, their DLLs, qt.conf and plugins"

fresh_prefix() { # name
    export WINEPREFIX=$work/prefix-$1
    timeout 300 "$wine" wineboot --init >/dev/null 2>&1 || fail "could not make the Wine prefix $1"
    /usr/lib/wine/wineserver64 -w
}

start_xvfb 1024x768x24
openbox --sm-disable >/dev/null 2>&1 &
openbox_pid=$!
sleep 1

# Starts the program, decodes 811231234V and ends it with Exit; the window
# must grow to its full height (345 pixels inside at 96 dpi) to pass.
decodes() { # the program, as a Unix path
    local main
    "$wine" "$1" &
    local pid=$!
    main=$(wait_for_window "National Identity Card" 60) || fail "$1 showed no window"
    sleep 1
    xdotool mousemove --window "$main" 146 140 click 1
    sleep 1.5
    xdotool mousemove --window "$main" 144 49 click 1
    xdotool type --delay 20 811231234V
    xdotool key Return
    for _ in $(seq 50); do
        [ "$(client_height "$main")" -ge 345 ] && break
        sleep 0.2
    done
    [ "$(client_height "$main")" -ge 345 ] || fail "$1 did not decode 811231234V"
    xdotool key alt+x
    for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.2
    done
    ! kill -0 "$pid" 2>/dev/null || fail "Exit did not end $1"
    echo "ok: $1 started and decoded 811231234V"
}

fresh_prefix zip
unzip -q "$zip" -d "$WINEPREFIX/drive_c"
decodes "$WINEPREFIX/drive_c/nic-decoder-$version-win64/bin/nic-decoder.exe"
row=$("$wine" "$WINEPREFIX/drive_c/nic-decoder-$version-win64/bin/nic-decode.exe" --today 2026-12-07 811231234V |
    tr -d '\r' | tail -1)
[ "$row" = "811231234V,valid,1981-05-02,1401-06-28,Saturday,male,45,7,198112301234" ] ||
    fail "the unpacked nic-decode.exe wrote: $row"
echo "ok: the unpacked nic-decode.exe decoded 811231234V"
/usr/lib/wine/wineserver64 -k

fresh_prefix nsis
"$wine" "$installer" /S
/usr/lib/wine/wineserver64 -w
folder="$WINEPREFIX/drive_c/Program Files/National Identity Card"
[ -f "$folder/bin/nic-decoder.exe" ] || fail "the installer put no program in $folder"
find "$WINEPREFIX/drive_c" -path '*Start Menu*' -name 'National Identity Card.lnk' | grep -q . ||
    fail "the installer made no Start-menu entry"

# Add/Remove Programs: one entry, with publisher, version and icon.
uninstall_entry() {
    awk 'BEGIN {RS = ""} /^\[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\/ && /"DisplayName"="National Identity Card/' \
        "$WINEPREFIX/system.reg"
}
entry=$(uninstall_entry)
[ "$(grep -c '^\[' <<<"$entry")" -eq 1 ] || fail "not one Add/Remove Programs entry: $entry"
grep -q '"Publisher"="Vantrel Computers"' <<<"$entry" || fail "the entry names no publisher: $entry"
grep -q "\"DisplayVersion\"=\"$version\"" <<<"$entry" || fail "the entry names no version: $entry"
grep -q '"DisplayIcon"=".*nic-decoder.exe"' <<<"$entry" || fail "the entry shows no icon: $entry"
echo "ok: installed, with a Start-menu entry and one Add/Remove Programs entry"
decodes "$folder/bin/nic-decoder.exe"

# Installed once more over itself, the older copy goes first: still one entry.
"$wine" "$installer" /S
/usr/lib/wine/wineserver64 -w
[ "$(uninstall_entry | grep -c '^\[')" -eq 1 ] || fail "a second install left two entries"
[ -f "$folder/bin/nic-decoder.exe" ] || fail "the second install left no program"
echo "ok: installed over itself, one entry"

"$wine" "$folder/Uninstall.exe" /S
/usr/lib/wine/wineserver64 -w
# The uninstaller copies itself away and runs from there; give it a moment.
for _ in $(seq 50); do
    [ -z "$(find "$folder" -type f 2>/dev/null)" ] && break
    sleep 0.2
done
left=$(find "$folder" -type f 2>/dev/null || true)
[ -z "$left" ] || fail "the uninstaller left: $left"
[ -z "$(uninstall_entry)" ] || fail "the uninstaller left its Add/Remove Programs entry"
echo "ok: the uninstaller left no file and no entry"
echo "PASS"
