#!/usr/bin/python3
"""Reaches the running program as a screen reader would, over AT-SPI.

Finds the entry field and the OK button by their accessible names, types a
number, presses OK, and reads the five results back by the names of their
labels. Run inside accessibility_test.sh, which provides the display and the
accessibility bus.
"""
import sys
import time

import pyatspi

APP_BINARY = "nic-decoder"
EXPECTED = {
    "Date Of Birth": "1981   May   2",
    "Date Of Birth (Hijri)": "1401   Jamada al Thani   28",
    "Day of Birth": "Sturday",
    "Sex": "Male",
}


def find_application(timeout=60.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name in (APP_BINARY, "National Identity Card"):
                return app
        time.sleep(0.2)
    sys.exit("the program never appeared on the accessibility bus")


def find(root, role, name):
    def matches(node):
        return node is not None and node.getRole() == role and node.name == name

    found = pyatspi.findDescendant(root, matches, breadth_first=True)
    if found is None:
        sys.exit(f"no {pyatspi.Role(role)!s} named {name!r}")
    return found


def ok_buttons(app):
    """The about panel's OK and the main OK share a caption; the about one
    lies in the panel that also holds the program's title."""
    buttons = pyatspi.findAllDescendants(
        app, lambda n: n is not None and n.getRole() == pyatspi.ROLE_PUSH_BUTTON and n.name == "OK")
    about = main = None
    for button in buttons:
        siblings = [child.name for child in button.parent if child is not None]
        if "Sri Lanka National Identity Card" in siblings:
            about = button
        else:
            main = button
    if about is None or main is None:
        sys.exit(f"expected the about OK and the main OK, found {len(buttons)} buttons named OK")
    return about, main


def text_of(node):
    text = node.queryText()
    return text.getText(0, text.characterCount)


def press(node):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("Press") if "Press" in names else 0)


def main():
    app = find_application()
    about_ok, main_ok = ok_buttons(app)
    press(about_ok)
    entry = find(app, pyatspi.ROLE_TEXT, "Enter NIC Number")
    entry.queryEditableText().setTextContents("811231234V")
    press(main_ok)

    deadline = time.monotonic() + 10
    failures = {}
    while time.monotonic() < deadline:
        failures = {}
        for label, expected in EXPECTED.items():
            got = text_of(find(app, pyatspi.ROLE_TEXT, label))
            if got != expected:
                failures[label] = got
        age = text_of(find(app, pyatspi.ROLE_TEXT, "Age"))
        if not age.endswith("  Month") or "  Years   &   " not in age:
            failures["Age"] = age
        if not failures:
            print("accessibility: entry, OK and the five results reached by name")
            return
        time.sleep(0.2)
    sys.exit(f"results read over AT-SPI differ: {failures}")


if __name__ == "__main__":
    main()
