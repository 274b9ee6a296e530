#!/usr/bin/python3
"""Reads PENSILIO Memo's main window through AT-SPI, as a screen reader does: the names of the
buttons, and the grid's column headers and first row cell by cell. Prints one line per finding
and exits non-zero when something a screen reader needs is missing."""

import sys
import time

import pyatspi


def find_application(name, seconds=30):
    deadline = time.time() + seconds
    while time.time() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == name:
                return app
        time.sleep(0.5)
    return None


def walk(node, depth=0):
    yield node
    if depth > 40:
        return
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child, depth + 1)


def main():
    app = find_application(sys.argv[1] if len(sys.argv) > 1 else "pensilio")
    if app is None:
        print("application not found on the accessibility bus")
        return 1
    buttons = []
    table = None
    for node in walk(app):
        role = node.getRole()
        if role == pyatspi.ROLE_PUSH_BUTTON and node.getState().contains(pyatspi.STATE_SHOWING):
            buttons.append(node.name)
        elif role == pyatspi.ROLE_TABLE and table is None:
            table = node
    print("buttons: " + ", ".join(buttons))
    if table is None:
        print("no table")
        return 1
    t = table.queryTable()
    headers = [t.getColumnDescription(c) or (t.getColumnHeader(c).name if t.getColumnHeader(c) else "")
               for c in range(t.nColumns)]
    print("columns: " + ", ".join(headers))
    if t.nRows < 1:
        print("no rows")
        return 1
    cells = [t.getAccessibleAt(0, c).name for c in range(t.nColumns)]
    print("row 1: " + " | ".join(cells))
    expected_buttons = {"Inserisci", "Modifica", "Cancella", "Stampa", "Esci"}
    missing = expected_buttons - set(buttons)
    if missing:
        print("missing buttons: " + ", ".join(sorted(missing)))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
