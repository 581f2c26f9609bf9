"""Reads the program's accessibility tree through AT-SPI, as a screen reader does.

  tree WINDOW         the controls under the window titled WINDOW, hidden ones too (on tab pages
                      not shown): "role<TAB>name<TAB>labels" a line, where labels are the names
                      of the objects that label it
  cell WINDOW T R C   the name of the cell at row R, column C of the table named T
  focused WINDOW      the role and name of the object that has the keyboard focus in WINDOW
  listen SECONDS      the name changes and showings of notifications, "role<TAB>name" a line
"""
import sys

import pyatspi
from gi.repository import GLib


def window(title):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is None:
            continue
        for frame in app:
            if frame is not None and frame.name == title:
                return frame
    sys.exit(f"no window {title!r}; applications: {[a.name for a in desktop if a]}")


# What a user works with; the containers and the parts inside a control are passed over.
CONTROLS = {pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_SPIN_BUTTON,
            pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_TABLE,
            pyatspi.ROLE_PAGE_TAB, pyatspi.ROLE_LABEL, pyatspi.ROLE_PROGRESS_BAR,
            pyatspi.ROLE_NOTIFICATION}


def labels(node):
    names = []
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            names += [relation.getTarget(i).name for i in range(relation.getNTargets())]
    return ",".join(names)


def walk(node):
    for child in node:
        if child is None:
            continue
        if child.getRole() == pyatspi.ROLE_PAGE_TAB_LIST:
            # Its scroll arrows are the toolkit's own.
            for tab in child:
                if tab.getRole() == pyatspi.ROLE_PAGE_TAB:
                    print(f"{tab.getRoleName()}\t{tab.name}\t")
            continue
        if child.getRole() in CONTROLS:
            print(f"{child.getRoleName()}\t{child.name}\t{labels(child)}")
            # A control's own parts (a table's cells, a combo box's field) are not listed.
            continue
        walk(child)


def find_table(node, name):
    for child in node:
        if child is None:
            continue
        if child.getRole() == pyatspi.ROLE_TABLE and child.name == name:
            return child
        found = find_table(child, name)
        if found is not None:
            return found
    return None


def focused(node):
    for child in node:
        if child is None:
            continue
        state = child.getState()
        if state.contains(pyatspi.STATE_FOCUSED):
            return child
        # A view's current cell or tab counts as focused only while the view has the focus.
        if child.getRole() in (pyatspi.ROLE_TABLE, pyatspi.ROLE_PAGE_TAB_LIST) and \
                not state.contains(pyatspi.STATE_FOCUSED):
            continue
        found = focused(child)
        if found is not None:
            return found
    return None


def listen(seconds):
    def said(event):
        source = event.source
        if source.getRole() != pyatspi.ROLE_NOTIFICATION:
            return
        if event.type.startswith("object:state-changed:showing") and not event.detail1:
            return
        print(f"{event.type}\t{source.name}", flush=True)

    pyatspi.Registry.registerEventListener(
        said, "object:property-change:accessible-name", "object:state-changed:showing")
    GLib.timeout_add_seconds(seconds, pyatspi.Registry.stop)
    print("listening", flush=True)
    pyatspi.Registry.start()


def main(args):
    if args[0] == "tree":
        walk(window(args[1]))
    elif args[0] == "cell":
        table = find_table(window(args[1]), args[2]).queryTable()
        print(table.getAccessibleAt(int(args[3]), int(args[4])).name)
    elif args[0] == "focused":
        node = focused(window(args[1]))
        print(f"{node.getRoleName()}\t{node.name}" if node is not None else "none")
    elif args[0] == "listen":
        listen(int(args[1]))


main(sys.argv[1:])
