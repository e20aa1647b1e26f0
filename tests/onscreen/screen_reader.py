#!/usr/bin/python3
# Starts the game (argv[1]) and reads it as a screen reader does, through
# AT-SPI, while the keys (argv[2]) play it: the trees of the main window and
# the new-game balloon, then the posts after every key. One line a finding:
#   tree|WINDOW|ROLE NAME     posts|KEY|POST 1|POST 2|POST 3|FOCUSED     solved|POST 3
# Run on a session bus of its own (dbus-run-session): the game's request
# for the accessibility bus starts that bus, and the end of the session ends it.
import os
import subprocess
import sys
import time

try:
    import pyatspi
except ImportError:
    sys.exit(77)


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
    return next((c for c in fresh(parent) if c is not None and fresh(c).name == name), None)


def walk(node):
    yield fresh(node)
    for child in node:
        if child is not None:
            yield from walk(child)


def dump(label, window):
    for node in walk(window):
        if node.getState().contains(pyatspi.STATE_SHOWING):
            print("tree|%s|%s %s" % (label, node.getRoleName(), node.name))


def reading(window):
    posts = [n for n in walk(window) if n.getRoleName() == "push button" and n.name.startswith("Post ")]
    focused = [p.name for p in posts if p.getState().contains(pyatspi.STATE_FOCUSED)]
    return [p.name for p in posts] + [focused[0] if focused else ""] if len(posts) == 3 else None


def key(name):
    subprocess.run(["xdotool", "key", "--delay", "0", name], check=True)


def read_a_game(moves):
    app = wait_for(lambda: child_named(pyatspi.Registry.getDesktop(0), "Toran2000"), "the application")
    window = wait_for(lambda: child_named(app, "Toranská věž 2000"), "the main window")
    time.sleep(0.5)
    dump("main", window)
    key("F2")
    dump("balloon", wait_for(lambda: child_named(app, "Dialog pro výběr hry"), "the new-game balloon"))
    key("3")
    wait_for(lambda: (reading(window) or [""])[0] == "Post 1: disky 3, 2, 1" or None, "a new game")
    before = reading(window)
    for k in moves:
        key(k)
        # The reading settles once the move's animation has ended.
        wait_for(lambda: reading(window) != before or None, "a change after key " + k, 5)
        time.sleep(0.2)
        before = reading(window)
        print("posts|%s|%s" % (k, "|".join(before)), flush=True)
    dump("game", window)
    # The timer's next tick finds the tower and holds out the result.
    wait_for(lambda: reading(window)[2].endswith("; vyřešeno") or None, "the solved tower", 5)
    print("solved|" + reading(window)[2])
    dump("result", wait_for(lambda: child_named(app, "Výsledek aktuální hry"), "the result balloon"))


game = subprocess.Popen([sys.argv[1]], cwd=os.path.dirname(sys.argv[1]),
                        env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"))
try:
    read_a_game(sys.argv[2])
finally:
    game.terminate()
    game.wait(10)
