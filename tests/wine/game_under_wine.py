#!/usr/bin/python3
"""The Windows game under Wine, started as a player starts it: unpacked from
the portable zip, or installed by the installer in silence. Runs on the X
server of tests/support/with-xvfb.sh, in a Wine prefix of its own that it
makes in a scratch folder and ends afterwards.

    game_under_wine.py --zip Toran2000-5.0-win64.zip [--shots DIR]
    game_under_wine.py --setup Toran2000-5.0-setup.exe [--shots DIR]
    game_under_wine.py --native FOLDER [--shots DIR]   the same, a Linux copy

The main window comes up with its caption, fixed in size, and painted
before its opening animation has run; a 3-disk game played with the keys
1, 2 and 3, typed wherever the game has put the keyboard, ends with the
result balloon; a Czech name typed there is in
the table the game wrote, read here by an independent dBASE reader; a
second start shows the second-copy notice. The installed game writes into
the player's data folder, and its uninstaller keeps the results there.
"""
import argparse
import glob
import os
import pwd
import re
import shutil
import subprocess
import sys
import tempfile
import time

import dbfread

CAPTION = "Toranská věž 2000"
BOSS_CAPTION = "Plnění plánu v letošním roce"
NAME = "Jiří ěščřžýáíéůú"
# The smallest-number solution of three disks: posts to lift from and to put on.
MOVES = [(1, 3), (1, 2), (3, 2), (1, 3), (2, 1), (2, 3), (1, 3)]
NEW_GAME_SIZE = (203, 214)
RESULT_SIZE = (252, 176)
NOTICE_SIZE = (320, 97)
VIEWER_SIZE = (396, 276)
CLIENT_HEIGHT = 336
# A point of the idle picture that the title panel covers once the opening
# animation has ended (silver); before, it is background or a falling disk.
TITLE_POINT = (400, 98)
SILVER = (192, 192, 192)
# The uninstaller's entry in the installer's language: the system's.
UNINSTALL_LINKS = {"Odinstalovat Toranská věž 2000.lnk", "Uninstall Toranská věž 2000.lnk"}
# Wine has no Times New Roman or MS Sans Serif: the dialog fonts stand for
# the metric twins a player's Wine would substitute too.
FONT_SUBSTITUTES = {"MS Shell Dlg": "Liberation Sans", "MS Shell Dlg 2": "Liberation Sans"}
QUIET = {"stdout": subprocess.DEVNULL, "stderr": subprocess.DEVNULL}


def xdotool(*args):
    return subprocess.run(["xdotool", *args], capture_output=True, text=True).stdout


def wait_for(what, predicate, timeout=30.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        found = predicate()
        if found:
            return found
        time.sleep(0.2)
    raise AssertionError(f"timed out waiting for {what}")


def pixel(wid, x, y):
    text = subprocess.run(["import", "-window", wid, "-crop", f"1x1+{x}+{y}", "-depth", "8", "txt:-"],
                          capture_output=True, text=True).stdout
    found = re.search(r"\((\d+),(\d+),(\d+)", text.splitlines()[-1] if text else "")
    return tuple(int(v) for v in found.groups()) if found else None


def first_picture(main):
    """The colour at TITLE_POINT when the window first shows more than black."""
    x, y = TITLE_POINT[0], TITLE_POINT[1] + main["size"][1] - CLIENT_HEIGHT

    def painted():
        colour = pixel(main["id"], x, y)
        return colour if colour and any(colour) else None
    return wait_for("the main window's first picture", painted, timeout=20)


def assert_fixed_size(main, functions_told):
    """The window system is told a size the window keeps, and no maximise or resize
    (where the window tells its functions: Qt on X11 leaves that to the size)."""
    hints = subprocess.run(["xprop", "-id", main["id"], "WM_NORMAL_HINTS", "_MOTIF_WM_HINTS"],
                           capture_output=True, text=True).stdout
    sizes = {kind: (int(w), int(h)) for kind, w, h in
             re.findall(r"program specified (minimum|maximum) size: (\d+) by (\d+)", hints)}
    assert sizes == {"minimum": main["size"], "maximum": main["size"]}, hints
    motif = re.search(r"_MOTIF_WM_HINTS\(_MOTIF_WM_HINTS\) = (\w+), (\w+)", hints)
    if functions_told and motif and int(motif.group(1), 0) & 1:
        functions = int(motif.group(2), 0)
        assert not functions & (1 | 2 | 16), f"resizable or maximisable: {hints}"


class Game:
    """The game's windows, as the X server shows them."""

    def windows(self):
        found = []
        for wid in xdotool("search", "--onlyvisible", "--classname", "^[Tt]oran2000").split():
            shell = dict(line.split("=", 1) for line in xdotool("getwindowgeometry", "--shell", wid).split())
            if "WIDTH" not in shell:
                continue   # gone meanwhile
            name = xdotool("getwindowname", wid).strip()
            found.append({"id": wid, "name": name, "size": (int(shell["WIDTH"]), int(shell["HEIGHT"]))})
        return found

    def window(self, name=None, size=None):
        for w in self.windows():
            if (name is None or w["name"] == name) and (size is None or w["size"] == size):
                return w
        return None

    def wait(self, what, name=None, size=None, timeout=30.0):
        return wait_for(what, lambda: self.window(name, size), timeout)

    def keys(self, window, *keys, delay_ms=60):
        # A window that another one of the game's took the keyboard from
        # gets it back by a click, as a player gives it: on the empty end of
        # the main window's menu bar, or anywhere on a balloon's top edge.
        xdotool("mousemove", "--window", window["id"], str(window["size"][0] - 60), "8", "click", "1")
        xdotool("windowfocus", "--sync", window["id"])
        time.sleep(0.3)
        xdotool("key", "--delay", str(delay_ms), *keys)


class Wine:
    def __init__(self, scratch):
        self.prefix = os.path.join(scratch, "prefix")
        # A Czech player's Windows: the game speaks Czech, as on Linux under a
        # Czech or no language. The machine need not have the Czech locale:
        # Wine reads its name, and characters go through C.UTF-8.
        self.env = dict(os.environ, WINEPREFIX=self.prefix, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=",
                        LANG="cs_CZ.UTF-8", LC_CTYPE="C.UTF-8")
        self.env.pop("LC_ALL", None)
        self.env.pop("QT_QPA_PLATFORM", None)

    def run(self, *args, timeout=180):
        subprocess.run(["wine", *args], env=self.env, check=True, timeout=timeout, **QUIET)

    def start(self, exe):
        return subprocess.Popen(["wine", exe], env=self.env, **QUIET)

    def boot(self, scratch):
        subprocess.run(["wineboot", "-i"], env=self.env, check=True, timeout=180, **QUIET)
        reg = os.path.join(scratch, "fonts.reg")
        with open(reg, "w", encoding="utf-16") as f:
            f.write("Windows Registry Editor Version 5.00\r\n\r\n"
                    "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]\r\n")
            for face, substitute in FONT_SUBSTITUTES.items():
                f.write(f'"{face}"="{substitute}"\r\n')
        self.run("regedit", "/S", "Z:" + reg.replace("/", "\\"))

    def reg_values(self, key):
        """The values of a registry key as {name: (type, data)}; None when there is no such key."""
        out = subprocess.run(["wine", "reg", "query", key], env=self.env, capture_output=True, text=True,
                             errors="replace", timeout=60)
        return {m.group(1): (m.group(2), m.group(3).strip())
                for m in re.finditer(r"^\s+(\S+)\s+(REG_\w+)\s*(.*)$", out.stdout, re.M)} \
            if out.returncode == 0 else None

    def drive_c(self, *parts):
        return os.path.join(self.prefix, "drive_c", *parts)

    def stop(self):
        subprocess.run(["wineserver", "-k"], env=self.env, **QUIET)


class Native:
    """The Linux game, started the same way, to compare with."""

    def __init__(self):
        self.env = dict(os.environ, QT_QPA_PLATFORM="xcb", LANG="C.UTF-8")
        self.env.pop("LC_ALL", None)
        self.started = []

    def boot(self, scratch):
        pass

    def start(self, exe):
        self.started.append(subprocess.Popen([exe], env=self.env))
        return self.started[-1]

    def stop(self):
        for process in self.started:
            process.kill()
            process.wait()


def shot(shots, name):
    if shots:
        time.sleep(1)   # Wine maps a window before it paints it
        subprocess.run(["import", "-window", "root", os.path.join(shots, f"{name}.png")], check=True)


def play(wine, exe, shots):
    game = Game()
    first = wine.start(exe)
    main = game.wait("the main window", name=CAPTION, timeout=60)
    print(f"main window: {main['name']!r} {main['size'][0]}x{main['size'][1]}")
    first = first_picture(main)
    print(f"first picture at the title's place: {first}")
    assert first != SILVER, "the window was first painted after its opening animation"
    assert_fixed_size(main, not isinstance(wine, Native))
    time.sleep(3)   # the opening animation
    assert game.window(name="Pomocník"), "the assistant did not come with the main window"
    shot(shots, "main")

    game.keys(main, "F2")
    new_game = game.wait("the new-game balloon", size=NEW_GAME_SIZE)
    shot(shots, "new-game")
    game.keys(new_game, "3")
    wait_for("the new-game balloon to close", lambda: not game.window(size=NEW_GAME_SIZE))
    # Typed as a player types them, into whichever window of the game the
    # window system gave the keyboard when the balloon closed.
    for start, end in MOVES:
        xdotool("key", "--delay", "60", str(start), str(end))
        time.sleep(1.2)   # a lift, a slide and a drop
    shot(shots, "moves")
    try:
        result = game.wait("the result balloon", size=RESULT_SIZE, timeout=30)
    except AssertionError:
        subprocess.run(["import", "-window", "root", "/tmp/toran-wine-no-result.png"])
        raise AssertionError(f"no result balloon; the game's windows: {game.windows()}") from None
    print("result balloon after 7 moves")
    shot(shots, "result")

    xdotool("windowfocus", "--sync", result["id"])
    time.sleep(0.5)
    xdotool("type", "--delay", "120", NAME)
    time.sleep(0.5)
    xdotool("key", "Return")
    wait_for("the result balloon to close", lambda: not game.window(size=RESULT_SIZE))

    second = wine.start(exe)
    game.wait("the second copy's notice", size=NOTICE_SIZE, timeout=60)
    print("second start: the notice")
    shot(shots, "second-copy")
    game.keys(game.window(size=NOTICE_SIZE), "Return")
    second.wait(timeout=30)
    assert game.window(name=CAPTION), "the second copy's end took the first one along"

    game.keys(main, "alt+n", "z")
    viewer = game.wait("the best results", size=VIEWER_SIZE, timeout=10)
    shot(shots, "viewer")
    game.keys(viewer, "Escape")
    wait_for("the best results to close", lambda: not game.window(size=VIEWER_SIZE))

    game.keys(main, "alt+n", "p")
    game.wait("the boss screen", name=BOSS_CAPTION, timeout=10)
    print("boss screen")
    shot(shots, "boss")
    return first


def stored(table):
    records = list(dbfread.DBF(table, encoding="cp1250"))
    return [(r["JMENO"], int(r["TAHY"]), r["HRA"]) for r in records]


def lay_out(args, wine, scratch):
    """The game as the player gets it: its folder, its program as started and its table."""
    if args.setup:
        wine.run(os.path.abspath(args.setup), "/S")
        folder = wine.drive_c("Program Files", "Toran2000")
        assert os.path.isfile(os.path.join(folder, "Toran2000.shared")), "no mark of the installation"
        assert not os.path.exists(os.path.join(folder, "Data", "Toran.dbf")), "a live table in Program Files"
        menu = glob.glob(wine.drive_c("ProgramData", "Microsoft", "Windows", "Start Menu", "Programs", "*", "*.lnk"))
        entries = {os.path.basename(m) for m in menu} - {CAPTION + ".lnk"}
        assert len(entries) == 1 and entries <= UNINSTALL_LINKS and len(menu) == 2, menu
        entry = wine.reg_values("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Toran2000")
        assert entry and entry.get("NoModify") == entry.get("NoRepair") == ("REG_DWORD", "0x1"), entry
        assert entry["EstimatedSize"][0] == "REG_DWORD" and int(entry["EstimatedSize"][1], 0) > 10000, entry
        player = wine.drive_c("users", pwd.getpwuid(os.getuid()).pw_name, "AppData", "Roaming", "KQ2000", "Toran2000")
        return folder, "C:\\Program Files\\Toran2000\\Toran2000.exe", os.path.join(player, "Data", "Toran.dbf")
    folder = os.path.join(scratch, "Toran2000")
    if args.native:
        shutil.copytree(args.native, folder, symlinks=True)
        exe = os.path.join(folder, "Toran2000")
    else:
        subprocess.run(["unzip", "-q", args.zip, "-d", scratch], check=True)
        exe = "Z:" + os.path.join(folder, "Toran2000.exe").replace("/", "\\")
    return folder, exe, os.path.join(folder, "Data", "Toran.dbf")


def main():
    parser = argparse.ArgumentParser()
    kind = parser.add_mutually_exclusive_group(required=True)
    kind.add_argument("--zip")
    kind.add_argument("--setup")
    kind.add_argument("--native")
    parser.add_argument("--shots", default=os.environ.get("TORAN_WINE_SHOTS"),
                        help="a folder for screenshots (default: $TORAN_WINE_SHOTS)")
    args = parser.parse_args()
    if args.shots:
        args.shots = os.path.join(args.shots, "zip" if args.zip else "setup" if args.setup else "linux")
        os.makedirs(args.shots, exist_ok=True)
    # A Czech keyboard, as the player has one: the accented letters are keys
    # of it (Wine reads the keyboard once, at its start).
    subprocess.run(["setxkbmap", "cz"], check=True)
    scratch = tempfile.mkdtemp(prefix="toran-wine-")
    wine = Native() if args.native else Wine(scratch)
    started = time.monotonic()
    try:
        wine.boot(scratch)
        folder, exe, table = lay_out(args, wine, scratch)
        # A returning player's settings: one who keeps the assistant open.
        writeable = os.path.dirname(os.path.dirname(table))
        os.makedirs(writeable, exist_ok=True)
        with open(os.path.join(writeable, "KQ2000.ini"), "w", newline="") as f:
            f.write("[Nastaveni]\r\nPomocnik=1\r\n")
        play(wine, exe, args.shots)
        records = stored(table)
        print(f"{os.path.relpath(table, scratch)}: {records}")
        assert records == [(NAME, 7, "3")], records
        if args.setup:
            wine.stop()
            wine.run("C:\\Program Files\\Toran2000\\Uninstall.exe", "/S")
            # The uninstaller runs on as a copy of itself; its last steps
            # remove its own file and the maker's key.
            wait_for("the uninstaller", lambda: not os.path.exists(os.path.join(folder, "Uninstall.exe")))
            wait_for("the uninstaller to leave nothing in HKLM\\Software\\KQ2000",
                     lambda: wine.reg_values("HKLM\\Software\\KQ2000") is None)
            assert not os.path.exists(os.path.join(folder, "Toran2000.exe")), "the uninstaller left the program"
            assert stored(table) == records, "the uninstaller took the results along"
            print("uninstalled; the results stay")
    finally:
        wine.stop()
        shutil.rmtree(scratch, ignore_errors=True)
    print(f"passed in {time.monotonic() - started:.0f} s")


if __name__ == "__main__":
    sys.exit(main())
