#!/usr/bin/python3
# Prints what a screen reader finds in the program's named tables, one row a line: TABLE<TAB>CELL<TAB>CELL...
# Reads through the accessibility bus (AT-SPI) of the session it runs in.
import sys

import pyatspi


def tables(node, depth=0):
    try:
        role = node.getRoleName()
    except Exception:
        return
    if role == "table" and node.name:
        yield node
    if depth < 15:
        for i in range(node.childCount):
            child = node.getChildAtIndex(i)
            if child is not None:
                yield from tables(child, depth + 1)


def main():
    for app in pyatspi.Registry.getDesktop(0):
        if app is None or app.name != "Oruvel":
            continue
        for table in tables(app):
            grid = table.queryTable()
            for row in range(grid.nRows):
                cells = [grid.getAccessibleAt(row, column).name for column in range(grid.nColumns)]
                print("\t".join([table.name] + cells))
    return 0


sys.exit(main())
