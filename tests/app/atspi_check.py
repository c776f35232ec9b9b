#!/usr/bin/python3
"""Reads the running program as a screen reader does, over AT-SPI, and fails on what it cannot
read: the main window's frame, the channel grid as a table with column headers and cell texts,
and the option window's boxes with their names. Prints what it read of the grid.

  atspi_check.py PID     (the program's process, already started on the accessibility bus)
"""
import sys
import time

import pyatspi

PID = int(sys.argv[1])
DEADLINE = time.monotonic() + 60


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def wait_for(what, find):
    """The first answer of find() before the deadline; the program starts, then opens windows."""
    while time.monotonic() < DEADLINE:
        found = find()
        if found:
            return found
        time.sleep(0.2)
    fail("no " + what)


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for index in range(desktop.childCount):
        app = desktop.getChildAtIndex(index)
        try:
            if app is not None and app.get_process_id() == PID:
                return app
        except Exception:  # an application that left the bus meanwhile
            continue
    return None


def find_all(root, predicate, limit=20000):
    found, stack = [], [root]
    while stack and limit > 0:
        node = stack.pop()
        limit -= 1
        if node is None:
            continue
        try:
            if predicate(node):
                found.append(node)
            stack.extend(node.getChildAtIndex(i) for i in range(node.childCount))
        except Exception:
            continue
    return found


def role(node):
    return node.getRole()


def frame_of(app):
    frames = find_all(app, lambda n: role(n) == pyatspi.ROLE_FRAME and n.name.startswith("ORX-740["))
    return frames[0] if frames else None


def main():
    app = wait_for("program on the accessibility bus", application)
    frame = wait_for("main window frame", lambda: frame_of(app))
    print("frame: %r" % frame.name)

    grid = wait_for("channel grid", lambda: next(iter(find_all(
        frame, lambda n: role(n) == pyatspi.ROLE_TABLE)), None))
    table = grid.queryTable()
    headers = [table.getColumnHeader(c).name for c in range(table.nColumns)]
    print("grid: role=%s name=%r rows=%d columns=%d" % (grid.getRoleName(), grid.name,
                                                          table.nRows, table.nColumns))
    print("grid column headers: %s" % headers)
    if table.nRows < 1 or table.nColumns != 2 or not all(headers):
        fail("grid without rows, columns or header names")
    cells = []
    for row in range(min(3, table.nRows)):
        for column in range(table.nColumns):
            cell = table.getAccessibleAt(row, column)
            cells.append(cell.name)
            print("grid cell (%d,%d): %r  description: %r" % (row, column, cell.name,
                                                              cell.description))
    if not cells[1].startswith("Channel 1, Frequency"):
        fail("first frequency cell reads %r" % cells[1])

    # Edit > Option Features, as a screen reader's user activates the menu item.
    item = wait_for("Option Features menu item", lambda: next(iter(find_all(
        frame, lambda n: role(n) == pyatspi.ROLE_MENU_ITEM and n.name == "Option Features")), None))
    item.queryAction().doAction(0)
    window = wait_for("option window", lambda: next(iter(find_all(
        frame, lambda n: n.name == "Optional Features" and role(n) != pyatspi.ROLE_MENU_ITEM)),
        None))
    # A list box's name is its current item; Orca speaks the label that the box is labelled by.
    boxes = find_all(window, lambda n: role(n) == pyatspi.ROLE_COMBO_BOX
                     and n.getState().contains(pyatspi.STATE_VISIBLE))
    named = []
    for box in boxes:
        labels = [relation.getTarget(i).name for relation in box.getRelationSet()
                  if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY
                  for i in range(relation.getNTargets())]
        named.append((labels[0] if labels else "", box.name))
    unnamed = [value for label, value in named if not label]
    print("option boxes: %d labelled, %d not; first: %s" % (
        len(named) - len(unnamed), len(unnamed), named[:4]))
    if len(named) < 10 or unnamed:
        fail("option boxes without labels")
    print("PASS")


main()
