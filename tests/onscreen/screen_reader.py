#!/usr/bin/python3
# Reads the running game as a screen reader does, through AT-SPI, while the
# keys play it: the trees of the main window and the new-game balloon, then
# the posts after every key of the moves given. One line a finding:
#   tree|WINDOW|DEPTH|ROLE|NAME     posts|KEY|POST 1|POST 2|POST 3|FOCUSED     solved|POST 3
import subprocess
import sys
import time

import pyatspi


def wait_for(find, what, seconds=20):
    deadline = time.time() + seconds
    while time.time() < deadline:
        found = find()
        if found is not None:
            return found
        time.sleep(0.1)
    sys.exit("not found: " + what)


def fresh(node):
    # Names change without this reader listening for it: read them afresh.
    node.clearCache()
    return node


def child_named(parent, name):
    for child in fresh(parent):
        if child is not None and fresh(child).name == name:
            return child
    return None


def walk(node, depth=0):
    fresh(node)
    yield depth, node
    for child in node:
        if child is not None:
            yield from walk(child, depth + 1)


def dump(label, window):
    for depth, node in walk(window):
        if node.getState().contains(pyatspi.STATE_SHOWING):
            print("tree|%s|%d|%s|%s" % (label, depth, node.getRoleName(), node.name))


def posts(window):
    found = [n for _, n in walk(window) if n.getRoleName() == "push button" and n.name.startswith("Post ")]
    return found if len(found) == 3 else None


def reading(window):
    names = [fresh(p).name for p in posts(window)]
    focused = [p.name for p in posts(window) if p.getState().contains(pyatspi.STATE_FOCUSED)]
    return names + [focused[0] if focused else ""]


def key(name):
    subprocess.run(["xdotool", "key", "--delay", "0", name], check=True)


def main():
    moves = sys.argv[1]
    app = wait_for(lambda: child_named(pyatspi.Registry.getDesktop(0), "Toran2000"), "the application")
    window = wait_for(lambda: child_named(app, "Toranská věž 2000"), "the main window")
    time.sleep(0.5)
    dump("main", window)
    key("F2")
    balloon = wait_for(lambda: child_named(app, "Dialog pro výběr hry"), "the new-game balloon")
    dump("balloon", balloon)
    key("3")
    wait_for(lambda: posts(window) if reading(window)[0] == "Post 1: disky 3, 2, 1" else None, "a new game")
    before = reading(window)
    for k in moves:
        key(k)
        # The reading settles once the move's animation has ended.
        wait_for(lambda: True if reading(window) != before else None, "a change after key " + k, 5)
        time.sleep(0.2)
        before = reading(window)
        print("posts|%s|%s" % (k, "|".join(before)))
        sys.stdout.flush()
    dump("game", window)
    # The timer's next tick finds the tower and holds out the result.
    wait_for(lambda: True if reading(window)[2].endswith("; vyřešeno") else None, "the solved tower", 5)
    print("solved|" + reading(window)[2])
    dump("result", wait_for(lambda: child_named(app, "Výsledek aktuální hry"), "the result balloon"))


main()
