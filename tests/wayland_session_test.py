#!/usr/bin/python3
"""The user session of user_session_test.sh, on Wayland, over AT-SPI.

Run by wayland_session_test.sh, which provides the compositor, the
accessibility bus and the program. Arguments: the folder for screenshots,
the folder of reference pictures, and the program's process id.

Wayland gives no client the others' windows or their places, so what the
user sees is read from the compositor's own screenshots: the main window's
client area is the teal (0, 128, 128) in them, the dialog is the only thing
in light yellow (255, 255, 128), its OK button.
"""
import glob
import os
import subprocess
import sys
import time

import pyatspi

APP_NAMES = ("nic-decoder", "National Identity Card")
TEAL = "rgb(0,128,128)"
DIALOG_YELLOW = "rgb(255,255,128)"
MESSAGE = "You have entered an invalid number"
# Client heights in pixels, as in the X11 session: collapsed at start, grown,
# after a Cancel's shrink, and after the dialog's OK.
COLLAPSED = 152
GROWN = 345
CANCELLED = 149
AFTER_DIALOG = 145
# The client width; the about panel covers part of it until its slide ends.
WIDTH = 288

shots, references, program_pid = sys.argv[1], sys.argv[2], int(sys.argv[3])
renew = bool(os.environ.get("NIC_RENEW_REFERENCES"))


def fail(message):
    sys.exit(f"FAIL: {message}")


def wait_until(seconds, condition):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.1)
    return condition()


def screenshot(name):
    """The whole output as the compositor shows it."""
    before = set(glob.glob(os.path.join(shots, "wayland-screenshot-*.png")))
    subprocess.run(["weston-screenshooter"], cwd=shots, check=True)
    taken = set(glob.glob(os.path.join(shots, "wayland-screenshot-*.png"))) - before
    if len(taken) != 1:
        fail(f"weston-screenshooter left {len(taken)} new pictures")
    path = os.path.join(shots, f"{name}.png")
    os.replace(taken.pop(), path)
    return path


def magick(*arguments):
    return subprocess.run(["convert", *arguments], check=True, capture_output=True, text=True).stdout.strip()


def box_of(path, colour):
    """The bounding box (width, height, left, top) of one colour, or None."""
    only = ["-fill", "black", "+opaque", colour, "-fill", "white", "-opaque", colour]
    if float(magick(path, *only, "-format", "%[fx:maxima]", "info:")) == 0:
        return None
    size, left, top = magick(path, *only, "-format", "%@", "info:").replace("+", " ").split()
    width, height = size.split("x")
    return int(width), int(height), int(left), int(top)


def client_height(name):
    """The client's height once all its width shows, else 0."""
    box = box_of(screenshot(name), TEAL)
    return box[1] if box and box[0] == WIDTH else 0


def dialog_shown(name):
    return box_of(screenshot(name), DIALOG_YELLOW) is not None


def compare_client(path, name):
    """The client area cut out of the screenshot against its reference: at
    most 0.5% of the pixels may differ by more than a fifth of the range."""
    width, height, left, top = box_of(path, TEAL)
    cut = os.path.join(shots, f"{name}-client.png")
    magick(path, "-crop", f"{width}x{height}+{left}+{top}", "+repage", cut)
    reference = os.path.join(references, f"{name}.png")
    if renew:
        os.makedirs(references, exist_ok=True)
        magick(cut, reference)
        print(f"renewed reference {name}")
        return
    if not os.path.exists(reference):
        fail(f"no reference picture for {name}")
    result = subprocess.run(["compare", "-metric", "AE", "-fuzz", "20%", reference, cut, "null:"],
                            capture_output=True, text=True)
    try:
        differing = float(result.stderr.strip())
    except ValueError:
        fail(f"{name}: the picture differs in size or cannot be compared ({result.stderr.strip()})")
    if differing > width * height * 0.005:
        fail(f"{name}: {differing:.0f} of {width * height} pixels differ from the reference")
    print(f"ok: {name} looks as before ({differing:.0f} pixels differ)")


def expect_height(name, wanted, seconds=10):
    seen = wait_until(seconds, lambda: client_height(name) == wanted and wanted)
    if not seen:
        fail(f"{name}: the client is {client_height(name)} pixels high, not {wanted}")
    compare_client(os.path.join(shots, f"{name}.png"), name)


def find_application(timeout=60.0):
    def search():
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name in APP_NAMES:
                return app
        return None

    app = wait_until(timeout, search)
    if app is None:
        fail("the program never appeared on the accessibility bus")
    return app


def buttons_named(app, caption):
    return pyatspi.findAllDescendants(
        app, lambda n: n is not None and n.getRole() == pyatspi.ROLE_PUSH_BUTTON and n.name == caption)


def button_beside(app, caption, sibling):
    """The button of that caption whose container also holds sibling."""
    for button in buttons_named(app, caption):
        if sibling in [child.name for child in button.parent if child is not None]:
            return button
    return None


def main_ok(app):
    for button in buttons_named(app, "OK"):
        names = [child.name for child in button.parent if child is not None]
        if "Cancel" in names:
            return button
    fail("no OK beside Cancel")


def press(node):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("Press") if "Press" in names else 0)


def find(app, role, name):
    found = pyatspi.findDescendant(app, lambda n: n is not None and n.getRole() == role and n.name == name)
    if found is None:
        fail(f"no {pyatspi.Role(role)!s} named {name!r}")
    return found


def decode(app, number):
    find(app, pyatspi.ROLE_TEXT, "Enter NIC Number").queryEditableText().setTextContents(number)
    press(main_ok(app))


def dialog_ok(app):
    ok = wait_until(5, lambda: button_beside(app, "OK", MESSAGE))
    if ok is None:
        fail("the dialog has no OK")
    return ok


def ended(pid):
    try:
        with open(f"/proc/{pid}/stat") as stat:
            return stat.read().split(") ")[1].startswith("Z")
    except FileNotFoundError:
        return True


def main():
    app = find_application()
    wait_until(10, lambda: box_of(screenshot("01-start"), "rgb(255,192,192)"))  # the about OK shows
    if box_of(screenshot("01-start"), TEAL):
        fail("something of the window shows beside the about panel at start")

    press(button_beside(app, "OK", "Sri Lanka National Identity Card"))
    expect_height("02-about-gone", COLLAPSED)

    decode(app, "811231234V")
    expect_height("03-811231234V", GROWN)
    print("ok: 811231234V grew the window to its full height")

    # From the grown height Cancel shrinks the window step by step.
    press(buttons_named(app, "Cancel")[0])
    expect_height("04-cancelled", CANCELLED)

    # A number that names no date: the dialog over the still visible window.
    decode(app, "810601234V")
    if not wait_until(5, lambda: dialog_shown("05-dialog")):
        fail("no dialog for 810601234V")
    if not client_height("05-dialog"):
        fail("the main window was hidden for 810601234V")
    press(dialog_ok(app))
    if not wait_until(5, lambda: not dialog_shown("06-after-dialog")):
        fail("the dialog's OK did not put it away")
    expect_height("06-after-dialog", AFTER_DIALOG)

    # Not a number at all: the main window goes away until the dialog's OK.
    decode(app, "811231234Q")
    if not wait_until(5, lambda: dialog_shown("07-invalid") and not box_of(screenshot("07-invalid"), TEAL)):
        fail("for 811231234Q the dialog did not come up alone")
    press(dialog_ok(app))
    expect_height("08-after-invalid", AFTER_DIALOG)

    press(buttons_named(app, "Exit")[0])
    if not wait_until(10, lambda: ended(program_pid)):
        fail("Exit did not end the program")


main()
