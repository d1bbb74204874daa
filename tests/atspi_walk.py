# SPDX-License-Identifier: GPL-3.0-or-later
"""A screen reader's walk over the panel: the panel runs on the virtual meter under Xvfb with its
accessibility tree on a private AT-SPI bus; every window is opened as a screen reader user opens
it (the controls' own actions, the keyboard) and every control that takes focus must say its name.

Usage: atspi_walk.py PATH/TO/veltrix-panel   (exit 77: a tool it needs is missing here)
"""
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIP = 77
OVERALL_SECONDS = 150
LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
APP = "Veltrix Panel"


def missing_tools():
    gone = [t for t in ("xvfb-run", "dbus-run-session", "xdotool") if not shutil.which(t)]
    if not os.access(LAUNCHER, os.X_OK):
        gone.append(LAUNCHER)
    try:
        import importlib.util
        if importlib.util.find_spec("pyatspi") is None:
            gone.append("pyatspi")
    except ImportError:
        gone.append("pyatspi")
    return gone


def outer(panel):
    """Runs this script again inside its own X server and D-Bus session, with a hard deadline."""
    panel = os.path.abspath(panel)
    gone = missing_tools()
    if gone:
        print("SKIP: not installed here: " + ", ".join(gone))
        return SKIP
    if not os.access(panel, os.X_OK):
        print("FAIL: no panel program at " + panel)
        return 1
    # -noreset: by default Xvfb starts afresh when its last client leaves, and a program that
    # connects in that moment is refused.
    cmd = ["xvfb-run", "-a", "-s", "-screen 0 1600x1200x24 -noreset", "dbus-run-session", "--",
           sys.executable, os.path.abspath(__file__), "--inner", panel]
    run = subprocess.Popen(cmd, process_group=0)
    try:
        return run.wait(timeout=OVERALL_SECONDS)
    except subprocess.TimeoutExpired:
        print(f"FAIL: the walk did not end within {OVERALL_SECONDS} s")
        return 1
    finally:
        # What is left of the X server, the buses and the panel: TERM lets Xvfb drop its lock.
        try:
            os.killpg(run.pid, signal.SIGTERM)
            until("the X server to end", lambda: not group_alive(run.pid), 3)
        except (ProcessLookupError, Failure):
            pass
        if group_alive(run.pid):
            os.killpg(run.pid, signal.SIGKILL)


def group_alive(pgid):
    try:
        os.killpg(pgid, 0)
        return True
    except ProcessLookupError:
        return False


# Says which windows are open when a wait fails.
WINDOWS_OPEN = [lambda: ""]


class Failure(Exception):
    pass


def until(what, probe, seconds=20.0):
    """Polls `probe` until it gives a true value; fails naming `what` after `seconds`."""
    deadline = time.monotonic() + seconds
    while True:
        try:
            got = probe()
        except Failure:
            raise
        except Exception:  # a node that went away while being read
            got = None
        if got:
            return got
        if time.monotonic() > deadline:
            raise Failure("timed out waiting for " + what + WINDOWS_OPEN[0]())
        time.sleep(0.05)


class Walk:
    def __init__(self, pyatspi):
        self.at = pyatspi
        self.windows = []
        self.focusable = 0
        self.unnamed = []
        self.readings = []

    def app(self):
        for a in self.at.Registry.getDesktop(0):
            if a is not None and a.name == APP:
                return a
        return None

    def frames(self):
        a = self.app()
        return [w for w in a if w is not None] if a else []

    def frame(self, title):
        """The window whose title matches the pattern `title`."""
        for w in self.frames():
            if re.search(title, w.name) and w.getState().contains(self.at.STATE_SHOWING):
                return w
        return None

    def nodes(self, node):
        yield node
        for child in node:
            if child is not None:
                yield from self.nodes(child)

    def find(self, root, role, name):
        for n in self.nodes(root):
            if n.getRoleName() == role and n.name == name:
                return n
        return None

    def check(self, window):
        """Every showing control that takes focus has a name."""
        self.windows.append(window.name)
        for n in self.nodes(window):
            st = n.getState()
            if st.contains(self.at.STATE_FOCUSABLE) and st.contains(self.at.STATE_SHOWING):
                self.focusable += 1
                # A table's cells are its data, read with their column's header; an empty
                # cell has nothing to say.
                if not n.name.strip() and n.getRoleName() != "table cell":
                    self.unnamed.append(f"{window.name}: {n.getRoleName()} "
                                        f"(in {n.parent.getRoleName()} '{n.parent.name}')")

    def press(self, node):
        node.queryAction().doAction(0)


def key(title, keys, active=lambda: True):
    """Gives the window titled `title` the keyboard and types `keys` (xdotool names) once
    `active` says the window has taken it."""
    pattern = "^" + re.sub(r"([][.*+?^$(){}|\\])", r"\\\1", title)
    subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--limit", "1", "--name",
                    pattern, "windowfocus", "--sync"], check=True, timeout=20,
                   stdout=subprocess.DEVNULL)
    until(title + " to take the keyboard", active, 5)
    subprocess.run(["xdotool", "key", "--delay", "50"] + keys.split(), check=True, timeout=20)


def type_text(text):
    subprocess.run(["xdotool", "type", "--delay", "20", text], check=True, timeout=20)


READING = re.compile(r"-?[0-9]+(\.[0-9]+)? (mG|µT)")


def reads(w, window):
    """A readout of the window says value and unit ("12.9 mG") as its name or description."""
    def said():
        for n in w.nodes(window):
            for text in (n.name, n.description):
                if READING.fullmatch(text):
                    return f"{n.name or n.getRoleName()}: {text}"
        return None
    found = until(window.name + " to say the reading with its unit", said, 10)
    w.readings.append(f"{window.name}: {found}")


def open_and_walk(w, title, opener, then=None, readout=False):
    """Opens a window with `opener`, walks it (and `then` with it) and closes it with Escape."""
    opener()
    window = until("the window " + title, lambda: w.frame(title))
    until(title + " to show", lambda: window.getState().contains(w.at.STATE_SHOWING))
    w.check(window)
    if readout:
        reads(w, window)
    if then:
        then(w)
    key(window.name, "Escape", lambda: window.getState().contains(w.at.STATE_ACTIVE))
    until(title + " to close on Escape", lambda: gone(w, title))


def gone(w, title):
    """No window titled `title` shows (a closed window may stay in the tree, hidden)."""
    f = w.frame(title)
    return f is None or not f.getState().contains(w.at.STATE_SHOWING)


def launch(w, args, env, tmp, title):
    """Starts the program and waits for its window `title` to show on the bus."""
    log = open(os.path.join(tmp, "panel.log"), "w+")
    proc = subprocess.Popen(args, env=env, cwd=tmp, stdout=log, stderr=subprocess.STDOUT)
    try:
        window = until("the window " + title, lambda: started(proc) and w.frame(title))
        until(title + " to show", lambda: window.getState().contains(w.at.STATE_SHOWING))
        return proc, window
    except Failure:
        log.seek(0)
        said = log.read().strip()
        proc.kill()
        proc.wait()
        raise Failure(f"{args[0]} did not show {title}: {said[-600:]}")


def started(proc):
    """True while the program runs; says how it ended if it did not."""
    if proc.poll() is not None:
        raise Failure(f"{proc.args[0]} ended with status {proc.returncode} "
                      f"(DISPLAY={os.environ.get('DISPLAY')})")
    return True


def walk_port_window(w, panel, env, tmp):
    """Without a port chosen the panel asks for one first: the Port window."""
    proc, window = launch(w, [panel], env, tmp, "^Port$")
    try:
        w.check(window)
        # Escape leaves the Port window, and with it the program.
        key("Port", "Escape", lambda: window.getState().contains(w.at.STATE_ACTIVE))
        proc.wait(timeout=20)
    finally:
        proc.kill()
        proc.wait()
    until("the Port window's program to leave the bus", lambda: w.app() is None)


def walk_panel(w, panel, env, tmp):
    proc, main = launch(w, [panel, "--simulate"], env, tmp, "^" + APP)
    try:
        reads(w, main)
        w.check(main)
        tool = lambda name: (lambda: w.press(w.find(main, "push button", name)))
        open_and_walk(w, "Digital", lambda: w.press(w.find(main, "menu item", "Digital Display")),
                      readout=True)
        for title, button, readout in (
                ("^RealTimeGraph", "Graph", True), ("^Record Real Time Graph", "Record Graph", True),
                ("^Analog", "Analog", True), ("^Data Logger", "Data Logger", False),
                ("^Alarm", "Alarm", False), ("^Meter Clock", "System Time Set", False)):
            open_and_walk(w, title, tool(button), readout=readout)
        open_and_walk(w, "^Real Time List", tool("List"), walk_report_dialog)
        walk_survey(w, tool("Survey"))
        record_by_keyboard(w, main, tmp)
    finally:
        proc.kill()
        proc.wait()


def is_dialog(frame):
    return frame.getRoleName() in ("dialog", "file chooser")


def press_later(title, role, name):
    """Presses a control that opens a modal dialog: from another process, as the press returns
    only when the dialog closes."""
    return subprocess.Popen([sys.executable, os.path.abspath(__file__), "--press", title, role,
                             name])


def press_now(title, role, name):
    import pyatspi
    w = Walk(pyatspi)
    w.press(until(name, lambda: w.find(w.frame(title), role, name)))


def walk_report_dialog(w):
    """The live table's Report… button opens the report dialog."""
    table = until("the live table", lambda: w.frame("^Real Time List"))
    presser = press_later("^Real Time List", "push button", "Report…")
    dialog = until("the report dialog", lambda: next(
        (f for f in w.frames() if is_dialog(f)), None))
    w.check(dialog)
    key(dialog.name, "Escape", lambda: dialog.getState().contains(w.at.STATE_ACTIVE))
    until("the report dialog to close on Escape", lambda: not any(is_dialog(f) for f in w.frames()))
    presser.wait(20)
    return table


def walk_survey(w, opener):
    """The Survey window and its details dialog from its menu by keys; Ctrl+W closes it."""
    opener()
    survey = until("the Survey window", lambda: w.frame("^Survey"))
    w.check(survey)
    for entry, title in (("d", "^Survey details"),):
        key(survey.name, "alt+s " + entry, lambda: survey.getState().contains(w.at.STATE_ACTIVE))
        dialog = until("the dialog " + title, lambda: next(
            (f for f in w.frames() if re.search(title, f.name) and is_dialog(f)), None))
        w.check(dialog)
        key(dialog.name, "Escape", lambda: dialog.getState().contains(w.at.STATE_ACTIVE))
        until(title + " to close on Escape", lambda: gone(w, title))
    key(survey.name, "ctrl+w", lambda: survey.getState().contains(w.at.STATE_ACTIVE))
    until("the Survey window to close on Ctrl+W", lambda: gone(w, "^Survey"))


def record_by_keyboard(w, main, tmp):
    """Ctrl+R asks for a file name, starts the recording; Ctrl+R again stops it."""
    key(main.name, "ctrl+r", lambda: main.getState().contains(w.at.STATE_ACTIVE))
    dialog = until("the Save As dialog", lambda: next(
        (f for f in w.frames() if is_dialog(f)), None))
    w.check(dialog)
    path = os.path.join(tmp, "walk.txt")
    key(dialog.name, "ctrl+a", lambda: dialog.getState().contains(w.at.STATE_ACTIVE))
    type_text(path)
    key(dialog.name, "Return")
    recording = lambda: w.find(main, "label", "Recording")
    until("the panel to say it records", lambda: showing(w, recording()))
    until("the recording to write " + path, lambda: os.path.getsize(path) > 40)
    key(main.name, "ctrl+r", lambda: main.getState().contains(w.at.STATE_ACTIVE))
    until("the recording to stop on Ctrl+R", lambda: not showing(w, recording()))


def showing(w, node):
    return node is not None and node.getState().contains(w.at.STATE_SHOWING)


def inner(panel):
    # xvfb-run may hand over before the X server takes connections.
    until("the X server", lambda: subprocess.run(
        ["xdotool", "getdisplaygeometry"], capture_output=True, timeout=5).returncode == 0)
    bus = subprocess.Popen([LAUNCHER, "--launch-immediately"], start_new_session=True)
    tmp = tempfile.mkdtemp(prefix="veltrix-atspi-")
    try:
        import pyatspi
        w = Walk(pyatspi)
        WINDOWS_OPEN[0] = lambda: " (open: " + "; ".join(f.name for f in w.frames()) + ")"
        env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   HOME=tmp, XDG_CONFIG_HOME=os.path.join(tmp, ".config"),
                   VELTRIX_LANGUAGE="en", QT_ACCESSIBILITY="1")
        walk_port_window(w, panel, env, tmp)
        walk_panel(w, panel, env, tmp)
    except (Failure, subprocess.SubprocessError) as e:
        print("FAIL:", e)
        return 1
    finally:
        os.killpg(bus.pid, signal.SIGKILL)
        shutil.rmtree(tmp, ignore_errors=True)
    print(f"{len(w.windows)} windows, {w.focusable} focusable controls, "
          f"{len(w.unnamed)} without a name")
    print("windows walked: " + "; ".join(w.windows))
    print("readings heard: " + "; ".join(w.readings))
    for u in w.unnamed:
        print("  without a name: " + u)
    return 1 if w.unnamed else 0


if __name__ == "__main__":
    if len(sys.argv) == 5 and sys.argv[1] == "--press":
        sys.exit(press_now(*sys.argv[2:]))
    if len(sys.argv) == 3 and sys.argv[1] == "--inner":
        sys.exit(inner(sys.argv[2]))
    if len(sys.argv) != 2:
        print(__doc__)
        sys.exit(2)
    sys.exit(outer(sys.argv[1]))
