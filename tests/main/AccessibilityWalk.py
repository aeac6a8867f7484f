#!/usr/bin/python3
"""Reads the running player as a screen reader (Orca) reads it, through AT-SPI, and fails on any
interactive control that has no name.

    AccessibilityWalk.py QVRL

Needs a display and the accessibility bus on a session bus (scripts/with-test-services.sh starts
both) and python3-pyatspi. The player starts with empty settings; the walk covers the main
window, then the volume pop-up opened through its button's action, as Orca would press it.
"""
import os
import subprocess
import sys
import tempfile
import time

# Roles a user acts on: each must say what it is.
INTERACTIVE = {
    "push button", "toggle button", "check box", "radio button", "slider", "spin button",
    "text", "entry", "password text", "combo box", "list", "list box", "list item", "tree",
    "tree table", "table", "menu item", "check menu item", "radio menu item", "page tab",
    "link", "scroll bar",
}


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


try:
    import pyatspi
except ImportError:
    fail("python3-pyatspi is not installed (scripts/install-deps.sh installs it)")


def wait_for(what, timeout=20.0):
    end = time.time() + timeout
    while time.time() < end:
        found = what()
        if found:
            return found
        time.sleep(0.2)
    return None


def application(name):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == name and app.childCount > 0:
            return app
    return None


def showing(node):
    try:
        return node.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def walk(node, path=()):
    """Every showing node below node, with the path of roles and names that leads to it."""
    here = path + ("%s %r" % (node.getRoleName(), node.name),)
    yield node, here
    for child in node:
        if child is not None and showing(child):
            yield from walk(child, here)


def unnamed(root):
    return [" > ".join(path) for node, path in walk(root)
            if node.getRoleName() in INTERACTIVE and not node.name.strip()]


def find(root, role, name=None):
    for node, _ in walk(root):
        if node.getRoleName() == role and (name is None or node.name == name):
            return node
    return None


def main():
    if not os.environ.get("DISPLAY") or not os.environ.get("DBUS_SESSION_BUS_ADDRESS"):
        fail("needs a display and a session bus with the accessibility bus: run it through "
             "scripts/with-test-services.sh")
    qvrl = sys.argv[1]
    settings = tempfile.mkdtemp()
    environment = dict(os.environ, XDG_CONFIG_HOME=settings, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                       QT_QPA_PLATFORM="xcb")
    player = subprocess.Popen([qvrl], env=environment, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL)
    try:
        app = wait_for(lambda: application("Quavrel"))
        if app is None:
            fail("the player never appeared on the accessibility bus")
        window = wait_for(lambda: find(app, "frame"))
        if window is None:
            fail("the player's window never showed")
        problems = ["no name: " + path for path in unnamed(app)]

        # What the window shows must be told too, not only what it offers to press.
        for role, name in (("slider", "Position"), ("label", "Shuffle off"),
                           ("label", "Loop on"), ("label", "Preview off")):
            if find(app, role, name) is None:
                problems.append("no %s named %r" % (role, name))
        # The mode buttons say whether their mode is on (loop is on at start).
        for name, on in (("Shuffle", False), ("Loop", True), ("Preview", False)):
            mode = find(app, "check box", name)
            if mode is None:
                problems.append("no check box named %r" % name)
            elif mode.getState().contains(pyatspi.STATE_CHECKED) != on:
                problems.append("%s does not read as %s" % (name, "on" if on else "off"))

        button = find(app, "push button", "Volume")
        if button is None:
            problems.append("no push button named 'Volume'")
        else:
            button.queryAction().doAction(0)
            slider = wait_for(lambda: find(application("Quavrel"), "slider", "Volume"), 10)
            if slider is None:
                problems.append("the volume pop-up's slider 'Volume' is not in the tree")
            else:
                value = slider.queryValue()
                if not (value.minimumValue == 0 and value.maximumValue == 100 and
                        0 <= value.currentValue <= 100):
                    problems.append("the volume reads %s in %s..%s, not 0 to 100 %%" % (
                        value.currentValue, value.minimumValue, value.maximumValue))
                if find(application("Quavrel"), "check box", "Mute") is None:
                    problems.append("the volume pop-up has no check box 'Mute'")
                problems += ["no name: " + path for path in unnamed(application("Quavrel"))
                             if "no name: " + path not in problems]
        if problems:
            fail("\n  ".join(["what a screen reader cannot name:"] + problems))
        print("every control has a name")
    finally:
        player.terminate()
        try:
            player.wait(10)
        except subprocess.TimeoutExpired:
            player.kill()
            player.wait()
        subprocess.run(["rm", "-rf", settings], check=False)


if __name__ == "__main__":
    main()
