#!/usr/bin/env bash
# The installed program tried as a user would, on a virtual display with a
# real window manager (openbox), so the window has real decorations: slide
# the about panel away, decode three valid numbers, Cancel, try a number
# that names no date and one that is not a number at all, print to a
# private CUPS-PDF queue, and Exit. Screenshots of each stage are compared
# with the reference pictures in tests/references; a changed look fails
# until the references are renewed on purpose with
#
#   NIC_RENEW_REFERENCES=1 ctest --test-dir BUILD_FOLDER -R '^user_session_test'
#
# A second argument SCALE (default 1) runs the program with QT_SCALE_FACTOR at that value: every
# position and height below is then in the screen's device pixels, as the
# user sees them, and the pictures are compared with references/scale-SCALE.
# The clock is set to 7 December 2026 for the program, so ages do not move.
#
# A Windows cross build (build.sh windows) is tried the same way: its
# installed folder, in a Wine prefix made afresh with no Qt, ICU or MinGW on
# its path, on Qt's windows platform through Wine's X11 driver. SCALE is then
# Windows' own scale, the display's dots per inch (Wine's LogPixels) over 96,
# and the pictures are compared with references/windows/dpi-DPI.
set -euo pipefail
build=$(cd "$1" && pwd)
scale=${2:-1}
here=$(cd "$(dirname "$0")" && pwd)
# ctest names the shared helpers; run by hand, they are in support/ here.
NIC_TEST_SUPPORT=${NIC_TEST_SUPPORT:-$here/support}
references=$here/references
[ "$scale" = 1 ] || references=$here/references/scale-$scale
windows=no
if [ -f "$build/nic-decoder.exe" ] || grep -q '^CMAKE_SYSTEM_NAME:.*=Windows' "$build/CMakeCache.txt" 2>/dev/null; then
    windows=yes
    dpi=$(awk -v s="$scale" 'BEGIN {printf "%d", s * 96 + 0.5}')
    references=$here/references/windows/dpi-$dpi
fi
. "$NIC_TEST_SUPPORT/x11_helpers.sh"
work=$(mktemp -d /tmp/nic-session.XXXXXX)
chmod 755 "$work" # the print filters run as lp and must reach the spool inside
cups_script=$NIC_TEST_SUPPORT/private_cups.sh
title="National Identity Card"
shots=${NIC_SESSION_SHOTS:-$work/shots}
mkdir -p "$shots"

cleanup() {
    # Each step is allowed to fail: the display must go whatever else did.
    [ -n "${program_pid:-}" ] && { kill "$program_pid" 2>/dev/null || true; }
    [ -n "${openbox_pid:-}" ] && { kill "$openbox_pid" 2>/dev/null || true; }
    [ -f "$work/cups/queue" ] && { bash "$cups_script" stop "$work/cups" >/dev/null 2>&1 || true; }
    [ -d "$work/wine" ] && { WINEPREFIX=$work/wine /usr/lib/wine/wineserver64 -k 2>/dev/null || true; }
    stop_xvfb
    rm -rf "$work"
}
trap cleanup EXIT

cmake --install "$build" --prefix "$work/prefix" >/dev/null
program=$work/prefix/bin/nic-decoder
if [ "$windows" = yes ]; then
    export WINEPREFIX=$work/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    unset WINEPATH
    wine=/usr/lib/wine/wine64
    timeout 300 "$wine" wineboot --init >/dev/null 2>&1 || fail "could not make a Wine prefix"
    # A fresh prefix has no faces of its own (Debian's Wine keeps its fonts
    # out of it), so it would show a Windows without its fonts. Given those
    # a Windows PC has: MS Sans Serif as GDI's bitmap face, and Tahoma, which
    # is what "MS Shell Dlg" means.
    cp /usr/share/wine/fonts/sserife.fon /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf \
        "$WINEPREFIX/drive_c/windows/Fonts/" || fail "could not give the Wine prefix its faces"
    for key in 'HKCU\Control Panel\Desktop' 'HKCC\Software\Fonts'; do
        "$wine" reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 || fail "could not set $dpi dpi"
    done
    /usr/lib/wine/wineserver64 -w
fi

printing=no
# The Windows program prints through Wine's PostScript driver, which Wine
# hands to this same scheduler: Wine takes CUPS' printers, and its default
# one, from CUPS_SERVER. That driver embeds each face as Type 42, and reads
# the face's TrueType outline tables without asking whether it has them
# (T42_download_header, get_glyf_pos in Wine 8): a face with PostScript
# outlines (CFF, as URW's C059) ends the program there, reading a loca
# table the face does not have. The program prints in the desktop's face
# only where Qt really finds it: here Tahoma, which the prefix is given.
# The Windows sessions at other densities have no printer at all: the
# message says so, and its "Save as PDF..." saves the sheet through the
# Windows file dialog (Wine's own).
if [ "$windows" = yes ] && [ "$scale" != 1 ]; then
    export CUPS_SERVER=$work/no-print-system.sock
    printing=saved
elif [ "$(id -u)" -eq 0 ]; then
    bash "$cups_script" start "$work/cups" >/dev/null
    export CUPS_SERVER=$work/cups/cups.sock
    export HOME=$work/home
    unset PRINTER LPDEST
    mkdir -p "$HOME"
    printing=yes
fi

# The screen of a 1024 x 768 desktop at the scale asked for, so that the grown
# window fits on it: where it does not, the window manager pulls it back on
# screen only as fast as it is given time to, and a picture taken meanwhile
# is cut at the screen's edge.
screen=1024x768
[ "$windows" = no ] && screen=$(awk -v s="$scale" 'BEGIN {printf "%dx%d", 1024 * s, 768 * s}')
start_xvfb "${screen}x24"
openbox --sm-disable >/dev/null 2>&1 &
openbox_pid=$!
sleep 1

export FAKETIME_DONT_FAKE_MONOTONIC=1
. "$NIC_TEST_SUPPORT/faked_clock.sh"
if [ "$windows" = yes ]; then
    # Windows' own scale comes from LogPixels. Wine reads the clock on the
    # Linux side, in the program's process and in the wineserver that this
    # start brings up (the one that made the prefix has ended): both run on
    # the faked clock. The files' own times stay true (NO_FAKE_STAT), else
    # Wine finds its prefix older than its wine.inf and sets it up again.
    NO_FAKE_STAT=1 LD_PRELOAD=$faketime_library FAKETIME='@2026-12-07 10:00:00' "$wine" "$program.exe" &
else
    QT_SCALE_FACTOR=$scale LD_PRELOAD=$faketime_library FAKETIME='@2026-12-07 10:00:00' "$program" &
fi
program_pid=$!
main=$(wait_for_window "$title") || fail "the program showed no window"
window_pid=$(xdotool getwindowpid "$main")
sleep 0.5

# Compares a window's picture with its reference: at most 0.5% of the
# pixels may differ by more than a fifth of the colour range. Under Wine,
# on the same clock, the pictures differ by the text cursor at most (15
# pixels at 96 dots per inch, 44 at 144): 0.1% is allowed there.
share_allowed=0.005
[ "$windows" = yes ] && share_allowed=0.001
# A window's picture once it has settled: a busy machine may still be
# painting it when the state the test waited for is reached. Two pictures
# in a row that differ by no more than a blink of the text cursor count as
# settled; after 3 seconds the last one is taken as it is.
settled_picture() { # window, file
    local window=$1 file=$2 previous="$work/previous.png" changed _
    import -window "$window" "$file"
    for _ in $(seq 15); do
        cp "$file" "$previous"
        sleep 0.2
        import -window "$window" "$file"
        changed=$(compare -metric AE -fuzz 20% "$previous" "$file" null: 2>&1 || true)
        case "$changed" in
        *[!0-9.e+]* | '') continue ;; # another size: still changing
        esac
        awk -v d="$changed" 'BEGIN {exit !(d <= 100)}' && return 0
    done
}

shoot() { # window, name
    local window=$1 name=$2 differing total
    settled_picture "$window" "$shots/$name.png"
    if [ -n "${NIC_RENEW_REFERENCES:-}" ]; then
        mkdir -p "$references"
        cp "$shots/$name.png" "$references/$name.png"
        echo "renewed reference $name"
        return 0
    fi
    [ -f "$references/$name.png" ] || fail "no reference picture for $name"
    total=$(identify -format '%[fx:w*h]' "$references/$name.png")
    differing=$(compare -metric AE -fuzz 20% "$references/$name.png" "$shots/$name.png" null: 2>&1 || true)
    case "$differing" in
    *[!0-9.e+]* | '') fail "$name: the picture differs in size or cannot be compared ($differing)" ;;
    esac
    if ! awk -v d="$differing" -v t="$total" -v s="$share_allowed" 'BEGIN {exit !(d <= t * s)}'; then
        # Kept past the test's end, to be looked at beside the reference.
        local kept
        kept=$(mktemp "/tmp/nic-session-$name.XXXXXX.png")
        cp "$shots/$name.png" "$kept"
        fail "$name: $differing of $total pixels differ from the reference (the picture is kept as $kept)"
    fi
    echo "ok: $name looks as before ($differing pixels differ)"
}

wait_until() { # seconds, then a command
    local seconds=$1
    shift
    for _ in $(seq $((seconds * 20))); do
        "$@" && return 0
        sleep 0.05
    done
    return 1
}

# Logical pixels (as at 100%) to the screen's: Qt rounds halves up.
px() { awk -v p="$1" -v s="$scale" 'BEGIN {printf "%d", int(p * s + 0.5)}'; }
height_is() { [ "$(client_height "$main")" -eq "$(px "$1")" ]; }
height_between() { local h; h=$(client_height "$main"); [ "$h" -ge "$(px "$1")" ] && [ "$h" -le "$(px "$2")" ]; }
viewable() { [ "$(window_map_state "$1")" = IsViewable ]; }
unmapped() { [ "$(window_map_state "$1")" != IsViewable ]; }

dialog_window() {
    xdotool search --onlyvisible --pid "$window_pid" 2>/dev/null | grep -vx "$main" | head -1
}

decode() { # number
    xdotool windowactivate --sync "$main"
    xdotool mousemove --window "$main" "$(px 144)" "$(px 49)" click --repeat 3 1
    xdotool type --delay 20 "$1"
    xdotool key Return
}

# The title bar offers no maximize box: Qt leaves it out of the Motif hints
# (functions bit 0x10, decorations bit 0x40). openbox draws one all the same,
# since it lets Motif hints take away no title-bar button.
# (Wine sets the hints from the Windows styles itself.)
if [ "$windows" = no ]; then
    motif=$(xprop -id "$main" _MOTIF_WM_HINTS | sed 's/.*= //; s/,//g')
    read -r _ functions decorations _ <<<"$motif"
    (((functions & 0x10) == 0 && (decorations & 0x40) == 0)) || fail "the window asks for a maximize box: $motif"
fi

shoot "$main" 01-start

# The about panel's OK lies at the bottom of the panel.
xdotool mousemove --window "$main" "$(px 146)" "$(px 140)" click 1
sleep 1.5
shoot "$main" 02-about-gone

# 5585 twips high outside is 5180 inside, 345 pixels; a resize that the X
# server answers late can end the grow a step's rounding away.
decode 811231234V
wait_until 10 height_between 345 346 || fail "the window did not grow to $(px 345) pixels, it is $(client_height "$main")"
sleep 0.3
shoot "$main" 03-811231234V

if [ "$printing" = yes ]; then
    xdotool key alt+p
    queue=$(cat "$work/cups/queue")
    printed() { [ -n "$(find "$work/cups/out" -name '*.pdf')" ] && [ -z "$(lpstat -o "$queue" 2>/dev/null)" ]; }
    wait_until 60 printed || { import -window root "$shots/print-failed.png"; lpstat -W all -o 2>&1 | tail -3; fail "Print wrote no PDF"; }
    pdf=$(find "$work/cups/out" -name '*.pdf' | head -1)
    text=$(pdftotext -layout "$pdf" -)
    grep -q "Detail of Sri Lanka National Identity Card Holder" <<<"$text" || fail "the printed sheet has no title"
    grep -q "811231234V" <<<"$text" || fail "the printed sheet does not show the number"
    grep -Eq "printed on +December +2026" <<<"$text" || fail "the printed sheet has no date stamp: $text"
    pages=$(pdfinfo "$pdf" | awk '/^Pages/ {print $2}')
    [ "$pages" = 1 ] || fail "the printed sheet has $pages pages, not one"
    echo "ok: Print wrote a one-page sheet"
elif [ "$printing" = saved ]; then
    xdotool key alt+p
    titled() { xdotool search --name "^$1\$" 2>/dev/null | head -1 || true; }
    has_titled() { [ -n "$(titled "$1")" ]; }
    wait_until 20 has_titled Print || fail "Print with no printer showed no message"
    box=$(titled Print)
    sleep 0.5
    import -window root "$shots/print-no-printer.png"
    xdotool windowactivate --sync "$box"
    xdotool key alt+s
    wait_until 20 has_titled "Save the detail sheet as PDF" || fail "Save as PDF... opened no file dialog"
    dialog=$(titled "Save the detail sheet as PDF")
    sleep 1
    import -window root "$shots/save-dialog.png"
    saved=$work/saved
    mkdir -p "$saved"
    xdotool windowactivate --sync "$dialog"
    xdotool key ctrl+a
    xdotool type --delay 20 "Z:${saved//\//\\}\\sheet.pdf"
    xdotool key Return
    saved_whole() { [ -s "$saved/sheet.pdf" ] && pdfinfo "$saved/sheet.pdf" >/dev/null 2>&1; }
    wait_until 20 saved_whole || fail "the file dialog saved no sheet"
    text=$(pdftotext -layout "$saved/sheet.pdf" -)
    grep -q "811231234V" <<<"$text" || fail "the saved sheet does not show the number"
    pages=$(pdfinfo "$saved/sheet.pdf" | awk '/^Pages/ {print $2}')
    [ "$pages" = 1 ] || fail "the saved sheet has $pages pages, not one"
    echo "ok: with no printer the sheet was saved as a one-page PDF through the file dialog"
fi

decode 857541234V
sleep 0.5
shoot "$main" 04-857541234V
decode 800601234V
sleep 0.5
shoot "$main" 05-800601234V

# From 5585 Cancel shrinks the window to 2635 twips outside: 2230 inside, 149 pixels.
xdotool key Escape
wait_until 10 height_between 148 149 || fail "Cancel did not shrink the window to $(px 149) pixels, it is $(client_height "$main")"
sleep 0.3
shoot "$main" 06-cancelled

# A number that names no date: the dialog over the still visible window.
decode 810601234V
has_dialog() { [ -n "$(dialog_window)" ]; }
wait_until 5 has_dialog || fail "no dialog for 810601234V"
dialog=$(dialog_window)
viewable "$main" || fail "the main window was hidden for 810601234V"
shoot "$dialog" 07-dialog
xdotool windowactivate --sync "$dialog"
xdotool key Return
wait_until 5 unmapped "$dialog" || fail "Enter did not put the dialog away"
wait_until 5 height_is 145 || fail "after the dialog the window is not $(px 145) pixels high"

# Not a number at all: the main window goes away until the dialog's OK.
decode 811231234Q
wait_until 5 unmapped "$main" || fail "the main window stayed on screen for 811231234Q"
wait_until 5 viewable "$dialog" || fail "no dialog for 811231234Q"
xdotool windowactivate --sync "$dialog"
xdotool key Return
wait_until 5 viewable "$main" || fail "the dialog's OK did not bring the main window back"
wait_until 5 height_is 145 || fail "the main window came back $(client_height "$main") pixels high, not $(px 145)"
sleep 0.3
shoot "$main" 08-after-invalid

xdotool windowactivate --sync "$main"
xdotool key alt+x
wait_until 5 sh -c "! kill -0 $program_pid 2>/dev/null" || fail "Exit did not end the program"
wait "$program_pid" || fail "the program ended with code $?"
program_pid=
echo "ok: Exit ended the program"
