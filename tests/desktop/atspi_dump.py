#!/usr/bin/python3
# Prints what a screen reader finds in the program, through the accessibility bus (AT-SPI) of the session it runs in:
#   node<TAB>ROLE<TAB>NAME<TAB>VALUE      for every object ("-" where it has no value)
#   row<TAB>TABLE<TAB>CELL<TAB>CELL...    for every row of a named table
#   focused<TAB>ROLE<TAB>NAME             for the object that has the keyboard
import sys
import time

import pyatspi


def rows_of(node):
    """The rows of a table; a table whose rows change while they are read (a list that refreshes each second) is
    read again."""
    for _ in range(10):
        try:
            grid = node.queryTable()
            rows = []
            for row in range(grid.nRows):
                cells = [grid.getAccessibleAt(row, column) for column in range(grid.nColumns)]
                rows.append([cell.name for cell in cells])
            return rows
        except Exception:
            time.sleep(0.05)
    return []


def walk(node, depth=0):
    try:
        role = node.getRoleName()
        name = node.name or ""
    except Exception:
        return
    try:
        value = "%g" % node.queryValue().currentValue
    except Exception:
        value = "-"
    print("\t".join(["node", role, name, value]))
    try:
        if node.getState().contains(pyatspi.STATE_FOCUSED):
            print("\t".join(["focused", role, name]))
    except Exception:
        pass
    if role == "table" and name:
        for cells in rows_of(node):
            print("\t".join(["row", name] + cells))
        return
    if depth < 15:
        try:
            children = [node.getChildAtIndex(i) for i in range(node.childCount)]
        except Exception:  # an object that went away while it was read
            children = []
        for child in children:
            if child is not None:
                walk(child, depth + 1)


for app in pyatspi.Registry.getDesktop(0):
    if app is not None and app.name == "Oruvel":
        walk(app)
sys.exit(0)
