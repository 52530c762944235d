#!/usr/bin/python3
# Prints what a screen reader finds in the program, through the accessibility bus (AT-SPI) of the session it runs in:
#   node<TAB>ROLE<TAB>NAME<TAB>VALUE      for every object ("-" where it has no value)
#   row<TAB>TABLE<TAB>CELL<TAB>CELL...    for every row of a named table
#   focused<TAB>ROLE<TAB>NAME             for the object that has the keyboard
import sys

import pyatspi


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
        grid = node.queryTable()
        for row in range(grid.nRows):
            cells = [grid.getAccessibleAt(row, column).name for column in range(grid.nColumns)]
            print("\t".join(["row", name] + cells))
        return
    if depth < 15:
        for i in range(node.childCount):
            child = node.getChildAtIndex(i)
            if child is not None:
                walk(child, depth + 1)


for app in pyatspi.Registry.getDesktop(0):
    if app is not None and app.name == "Oruvel":
        walk(app)
sys.exit(0)
