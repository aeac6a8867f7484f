#!/usr/bin/python3
"""Reads the play list's "Detailed" columns and the status line below it as a screen reader
does, through AT-SPI, on the running player given tagged files.

    ColumnsAccessibility.py QVRL SHOTDIR

Needs a display and the accessibility bus (scripts/with-test-services.sh), python3-pyatspi and
ffmpeg. The player starts with empty settings and two FLAC files that ffmpeg writes with tags;
"View" > "Detailed" is chosen through its accessible action, as Orca would press it. A
screenshot of the window goes to SHOTDIR.
"""
import os
import re
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from AccessibilityWalk import application, fail, find, wait_for, walk  # noqa: E402

import pyatspi  # noqa: E402


def make_files(folder):
    files = []
    for name, title, artist, album, seconds in (("01 one.flac", "First Song", "Ann Artist",
                                                 "Album A", 2),
                                                ("02 two.flac", "Second Song", "Bo Björk",
                                                 "Album B", 3)):
        path = os.path.join(folder, name)
        subprocess.run(["ffmpeg", "-loglevel", "error", "-y", "-f", "lavfi", "-i",
                        "sine=frequency=440:duration=%d" % seconds, "-metadata", "title=" + title,
                        "-metadata", "artist=" + artist, "-metadata", "album=" + album, path],
                       check=True)
        files.append(path)
    return files


def find_anywhere(node, roles, name, depth=0):
    """A node of one of roles named name, shown or not (a closed menu's items show nothing)."""
    if node is None or depth > 12:
        return None
    if node.getRoleName() in roles and node.name == name:
        return node
    for child in node:
        found = find_anywhere(child, roles, name, depth + 1)
        if found is not None:
            return found
    return None


def headers(table):
    """The column headers a screen reader reads. Qt's tree view tells every column of the model
    in the model's order, hidden or moved ones too."""
    return [child.name for child in table
            if child is not None and child.getRoleName() == "table column header"]


def cells(table):
    return [child.name for child in table
            if child is not None and child.getRoleName() in ("table cell", "tree item")]


def main():
    if not os.environ.get("DISPLAY") or not os.environ.get("DBUS_SESSION_BUS_ADDRESS"):
        fail("needs a display and a session bus with the accessibility bus: run it through "
             "scripts/with-test-services.sh")
    qvrl, shots = sys.argv[1], sys.argv[2]
    os.makedirs(shots, exist_ok=True)
    work = tempfile.mkdtemp()
    files = make_files(work)
    environment = dict(os.environ, XDG_CONFIG_HOME=os.path.join(work, "settings"),
                       QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    player = subprocess.Popen([qvrl] + files, env=environment, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL)
    try:
        app = wait_for(lambda: application("Quavrel"))
        if app is None:
            fail("the player never appeared on the accessibility bus")
        detailed = wait_for(lambda: find_anywhere(
            app, ("radio menu item", "check menu item", "menu item"), "Detailed"))
        if detailed is None:
            fail("no menu item 'Detailed'")
        detailed.queryAction().doAction(0)
        table = wait_for(lambda: find(app, "tree", "Play list") or
                         find(app, "tree table", "Play list") or find(app, "table", "Play list"))
        if table is None:
            fail("the play list shows no table in the Detailed style")
        problems = []
        wanted = ["Name", "Type", "Path", "Length", "Title", "Artist", "Album", "Track", "Year",
                  "Genre"]
        if headers(table) != wanted:
            problems.append("the columns read %r, not %r" % (headers(table), wanted))
        if "01 one.flac" not in cells(table) or "02 two.flac" not in cells(table):
            problems.append("the rows read %r, without both files' names" % cells(table))
        pattern = re.compile(r"^2 entries, \d+:\d\d( \+\d+ unknown)?$")
        status = wait_for(lambda: next((node for node, _ in walk(app)
                                        if node.getRoleName() == "label" and
                                        pattern.match(node.name)), None), 10)
        if status is None:
            problems.append("no status line reading '2 entries, m:ss'")
        else:
            print("status line: " + status.name)
        subprocess.run(["import", "-window", "root", os.path.join(shots, "columns.png")],
                       check=False)
        if problems:
            fail("\n  ".join(["what a screen reader does not get:"] + problems))
        print("the columns and the status line read as shown")
    finally:
        player.terminate()
        try:
            player.wait(10)
        except subprocess.TimeoutExpired:
            player.kill()
            player.wait()
        subprocess.run(["rm", "-rf", work], check=False)


if __name__ == "__main__":
    main()
