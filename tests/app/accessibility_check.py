"""What a screen reader finds in the running program, read over the accessibility bus with
pyatspi as a screen reader reads it. Called by accessibility_check.sh with one step:

  clock              the clock is in the tree, named by the time and date (LC_ALL=C words)
  tree               the customize dialog's option tree lists rows with names and values
  toolbar            the customize dialog's toolbar buttons take the focus and are named
  keys KEY...        the tree takes the focus; xdotool presses the keys; each press that moves
                     to another row gives a focus event naming that row
  zones              the time zone dialog's boxes are named by their labels

Prints what it found; exits 1 with the reason when something is missing.
"""
import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib


def fail(message):
    print("accessibility check: " + message, file=sys.stderr)
    sys.exit(1)


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    until = time.time() + 10
    while time.time() < until:
        for app in desktop:
            if app is not None and app.name == "velmora":
                return app
        time.sleep(0.2)
    fail("no application named velmora on the accessibility bus")


def walk(node, depth=0, limit=12):
    """Every node under node (itself included), depth first, skipping broken ones."""
    if node is None or depth > limit:
        return
    yield node
    try:
        children = list(node)
    except Exception:
        return
    for child in children:
        yield from walk(child, depth + 1, limit)


def find_all(role, until_s=10):
    until = time.time() + until_s
    while True:
        found = [n for n in walk(application()) if n.getRole() == role]
        if found or time.time() > until:
            return found
        time.sleep(0.2)


def value_text(node):
    try:
        text = node.queryText()
        return text.getText(0, text.characterCount)
    except NotImplementedError:
        return ""


def is_row(node):
    # Qt gives its tree items the bus's table cell role, as its own tree views' rows have.
    return node.getRole() in (pyatspi.ROLE_TREE_ITEM, pyatspi.ROLE_TABLE_CELL)


def check_clock():
    spoken = re.compile(r"^\d{2}:\d{2}, [A-Z][a-z]+day, \d{1,2} [A-Z][a-z]+ \d{4}$")
    for node in walk(application(), limit=2):
        if spoken.match(node.name or ""):
            today = time.strftime("%-d %B %Y", time.gmtime())
            if today not in node.name and time.gmtime().tm_hour != 23:
                fail("the clock names another day: %r, today is %s" % (node.name, today))
            print("clock: %r (%s), %r" % (node.name, node.getRoleName(), node.description))
            return
    fail("no node is named by the time and date: %r"
         % [n.name for n in walk(application(), limit=2)])


def option_tree():
    trees = find_all(pyatspi.ROLE_TREE)
    if not trees:
        fail("no tree in the program")
    return trees[0]


def check_tree():
    until = time.time() + 10
    while True:
        tree = option_tree()
        rows = [n for n in walk(tree) if is_row(n)]
        if rows or time.time() > until:
            break
        time.sleep(0.3)
    named = [r for r in rows if r.name]
    valued = [(r.name, value_text(r)) for r in rows if value_text(r)]
    print("tree %r: %d rows, e.g. %s" % (tree.name, len(rows), valued[:6]))
    if len(named) < 5 or len(named) != len(rows):
        fail("the option tree's rows are not all named: %r" % [r.name for r in rows])
    if len(valued) < 3:
        fail("the option tree's rows carry no values: %r" % valued)
    described = [r for r in rows if r.description]
    if not described:
        fail("no row has a description")


def check_toolbar():
    bars = find_all(pyatspi.ROLE_TOOL_BAR)
    # The toolbar's own overflow button shows only when the buttons do not fit.
    buttons = [n for bar in bars for n in walk(bar) if n.getRole() == pyatspi.ROLE_PUSH_BUTTON
               and n.getState().contains(pyatspi.STATE_SHOWING)]
    print("toolbar buttons: %r" % [(b.name, b.getState().contains(pyatspi.STATE_FOCUSABLE))
                                   for b in buttons])
    names = [b.name for b in buttons]
    if "New hand" not in names or not all(names):
        fail("the toolbar's buttons are not all named: %r" % names)
    if not all(b.getState().contains(pyatspi.STATE_FOCUSABLE) for b in buttons):
        fail("some toolbar buttons cannot take the focus")
    steps = [n.name for n in walk(application()) if n.getRole() == pyatspi.ROLE_PUSH_BUTTON]
    if "Undo" not in steps or "Redo" not in steps:
        fail("the step buttons are not named Undo and Redo: %r" % steps)


def check_keys(keys):
    tree = option_tree()
    heard = []

    def on_focus(event):
        if event.detail1 == 1 and is_row(event.source):
            heard.append(event.source.name)

    pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
    tree.queryComponent().grabFocus()

    def press():
        for key in keys:
            subprocess.run(["xdotool", "key", key], check=True)
            time.sleep(0.3)
        GLib.timeout_add(1000, stop)
        return False

    def stop():
        pyatspi.Registry.stop()
        return False

    GLib.timeout_add(700, press)
    pyatspi.Registry.start()
    print("focus events for rows: %r" % heard)
    moved = [name for i, name in enumerate(heard) if i == 0 or heard[i - 1] != name]
    if len(moved) < len(keys):
        fail("%d keys moved the focus, %d focus events for rows were heard: %r"
             % (len(keys), len(moved), heard))


def labels_of(node):
    names = [node.name]
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            names += [relation.getTarget(i).name for i in range(relation.getNTargets())]
    return names


def check_zones():
    boxes = find_all(pyatspi.ROLE_COMBO_BOX)
    names = sorted(name.rstrip(":") for b in boxes for name in labels_of(b))
    print("combo boxes and their labels: %r" % names)
    for n in range(1, 5):
        if "User time zone #%d" % n not in names:
            fail("no box is named \"User time zone #%d\": %r" % (n, names))


step = sys.argv[1]
if step == "clock":
    check_clock()
elif step == "tree":
    check_tree()
elif step == "toolbar":
    check_toolbar()
elif step == "keys":
    check_keys(sys.argv[2:])
elif step == "zones":
    check_zones()
else:
    fail("unknown step " + step)
