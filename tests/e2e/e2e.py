"""The installed game on a virtual screen, as desktop.py drives it.

Started through its menu entry's command, it is answered with real key presses
and clicks (xdotool) and read the way a screen reader reads it (AT-SPI).

Every run has a home, a runtime directory, a session bus and an accessibility
bus of its own; whatever it starts dies with it, also when it is killed.
"""

import atexit
import configparser
import ctypes
import os
import shlex
import shutil
import signal
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import Atspi

APP_ID = "org.example.Vortana"
TITLE = " " * 83 + "VORTANA" + " " * 31 + "posta@example.org" + " " * 4
# Waits are for things to happen, not measurements: generous, never slept out.
PATIENCE_S = 180
# Screen pixels to one of the program's own (QT_SCALE_FACTOR): the
# accessibility tree tells places in the program's pixels.
SCALE = 1
# Roles a screen reader meets in the window, each with a name of its own. The
# menu bar and its drop-downs are named by their entries. Roles are compared by
# number: their names change between releases ("push button" became "button").
NAMED_ROLES = {pyatspi.ROLE_LABEL, pyatspi.ROLE_TEXT, pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_IMAGE,
               pyatspi.ROLE_FILLER, pyatspi.ROLE_MENU_ITEM}
UNNAMED_ROLES = {pyatspi.ROLE_MENU_BAR, pyatspi.ROLE_POPUP_MENU}
BOXES = (pyatspi.ROLE_DIALOG, pyatspi.ROLE_ALERT)
# Less than the test's own time-out, so that a run ends by itself and cleans up.
DEADLINE_S = 840


class Failure(Exception):
    pass


class OutOfTime(BaseException):  # not an Exception: no probe swallows it
    pass


def _die_with_parent():
    ctypes.CDLL(None).prctl(1, signal.SIGKILL)  # PR_SET_PDEATHSIG


def spawn(command, **options):
    """A process of the test's: the kernel kills it if the test is killed."""
    return subprocess.Popen(command, preexec_fn=_die_with_parent, **options)


def stop(process):
    """Ends a process of the test's, by force if it does not end soon by itself."""
    process.terminate()
    try:
        process.wait(timeout=30)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


def _descendants(pid):
    children = subprocess.run(["pgrep", "-P", str(pid)], capture_output=True, text=True).stdout.split()
    return [int(c) for child in children for c in [child, *_descendants(child)]]


def _raise(error):
    def handler(signum, frame):
        raise error(f"signal {signum}")
    return handler


_work = None


def private_session():
    """A home, a runtime directory and a session bus of the run's own, made
    once; whatever the run started is ended with it."""
    global _work
    if _work:
        return
    signal.signal(signal.SIGALRM, _raise(OutOfTime))
    signal.alarm(DEADLINE_S)
    for stop in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
        signal.signal(stop, _raise(SystemExit))
    _work = tempfile.mkdtemp(prefix="vortana-e2e-")
    atexit.register(_end_session)
    for name in ("XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME", "DISPLAY"):
        os.environ.pop(name, None)
    for name in ("HOME", "XDG_RUNTIME_DIR"):
        os.environ[name] = os.path.join(_work, name)
        os.mkdir(os.environ[name], 0o700)
    # It starts the accessibility bus, before any screen, for every screen of the run.
    bus = spawn(["dbus-daemon", "--session", "--nofork", "--print-address=1"], stdout=subprocess.PIPE)
    os.environ["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().decode().strip()


def _end_session():
    for pid in _descendants(os.getpid()):
        try:
            os.kill(pid, signal.SIGTERM)
        except ProcessLookupError:
            pass
    shutil.rmtree(_work, ignore_errors=True)


def wait_for(what, probe):
    deadline = time.monotonic() + PATIENCE_S
    while True:
        try:
            result = probe()
        except Failure:  # what the probe saw is wrong: waiting will not mend it
            raise
        except Exception:  # a node that went away while it was read
            result = None
        if result:
            return result
        if time.monotonic() > deadline:
            raise Failure("gave up waiting for " + (what() if callable(what) else what))
        time.sleep(0.05)


def menu_entry(prefix):
    entry = configparser.ConfigParser(interpolation=None)
    entry.optionxform = str
    entry.read(os.path.join(prefix, "share", "applications", APP_ID + ".desktop"), encoding="utf-8")
    return entry["Desktop Entry"]


def xdotool(*args):
    return subprocess.run(["xdotool", *args], check=True, capture_output=True, text=True).stdout


def geometry(window):
    """Where an X window is on screen, also when a window manager framed it."""
    info = subprocess.run(["xwininfo", "-id", window], check=True, capture_output=True, text=True).stdout
    field = dict(line.strip().split(": ", 1) for line in info.splitlines() if ": " in line)
    return tuple(int(field[name]) for name in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))


def extents(accessible):
    """Where an accessible object is drawn, in screen pixels."""
    return tuple(v * SCALE for v in accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS))


def walk(node):
    node.clear_cache()
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


class Closing:
    """Closed at the end of a with block, whatever ends it."""

    def __enter__(self):
        return self

    def __exit__(self, *ending):
        self.close()


class Screen(Closing):
    """Xvfb and the accessibility bus that the program will join."""

    def __init__(self, size="1280x1024x24"):
        private_session()
        read_end, write_end = os.pipe()
        self.server = spawn(
            # Without -noreset the server resets whenever its last client
            # leaves, and refuses the next one meanwhile: a tool's quick query
            # before the window manager or the program starts would cost it
            # its connection.
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", size, "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as display:
            number = display.readline().strip()
        try:
            if not number:
                raise Failure("Xvfb did not start")
            os.environ["DISPLAY"] = ":" + number
            # Qt joins the accessibility bus only if it is already there, and
            # announces itself once: the registry must be up to hear it, not
            # started by that very announcement.
            subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
                            "org.a11y.Bus.GetAddress"], check=True, stdout=subprocess.DEVNULL)
            wait_for("the accessibility registry", lambda: pyatspi.Registry.getDesktop(0).childCount >= 0)
        except BaseException:
            self.close()
            raise

    def close(self):
        stop(self.server)


class Game:
    """One run of the installed program, started by its menu entry's command."""

    def __init__(self, prefix, records=None, platform=None):
        """records: the directory VORTANA_RECORD_DIR names; None, the program's own.
        platform: variables that put the program on another display or platform."""
        command = [word for word in shlex.split(menu_entry(prefix)["Exec"]) if not word.startswith("%")]
        # A home and runtime directory of the game's own, inside the run's.
        home = tempfile.mkdtemp(dir=os.environ["HOME"])
        environment = dict(os.environ)
        environment.update({
            "PATH": os.path.join(prefix, "bin") + os.pathsep + os.environ["PATH"],
            "HOME": home,
            "XDG_RUNTIME_DIR": home,
            "QT_QPA_PLATFORM": "xcb",
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
            # No sound server: Merlin speaks in silence, at the pace of his words.
            "PULSE_SERVER": "unix:" + os.path.join(home, "no-sound-server"),
        })
        environment.pop("VORTANA_RECORD_DIR", None)
        if records is not None:
            environment["VORTANA_RECORD_DIR"] = records
        environment.update(platform or {})
        self.process = spawn(command, env=environment)
        try:
            self.app = wait_for("the program on the accessibility bus", self._find_application)
        except BaseException:
            self.kill()
            raise
        self.app.set_cache_mask(Atspi.Cache.NONE)

    def _find_application(self):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.get_process_id() == self.process.pid:
                return app
        return None

    def find(self, what, test, root=None):
        def probe():
            return next((node for node in walk(root or self.app) if test(node)), None)
        return wait_for(what, probe)

    def label(self, meaning):
        return self.find("the label " + meaning, lambda n: n.getRole() == pyatspi.ROLE_LABEL
                         and (n.name == meaning or n.name.startswith(meaning + ": ")))

    def value(self, meaning):
        name = self.label(meaning).name
        return name[len(meaning) + 2:] if name.startswith(meaning + ": ") else ""

    def wait_value(self, meaning, expected):
        wait_for(f"{meaning} to read {expected!r}", lambda: self.value(meaning) == expected)

    def x_window(self, accessible):
        """The X window on screen where the accessible object is drawn."""
        def probe():
            place = extents(accessible)
            for window in xdotool("search", "--onlyvisible", "--pid", str(self.process.pid)).split():
                # Scaled, the program rounds an odd screen pixel to its own.
                if all(abs(a - b) < SCALE for a, b in zip(geometry(window), place)):
                    return window
            return None
        return wait_for("the X window of " + repr(accessible.name), probe)

    def dialog(self, text):
        """The message or input box showing text."""
        return self.find("a box saying " + repr(text), lambda n: n.getRole() in BOXES and showing(n)
                         and any(c.getRole() == pyatspi.ROLE_LABEL and c.name == text for c in walk(n)))

    def box(self, text):
        """The box showing text, focused for the keyboard."""
        dialog = self.dialog(text)
        xdotool("windowfocus", "--sync", self.x_window(dialog))
        return dialog

    def main_window(self):
        frame = self.find("the main window", lambda n: n.getRole() == pyatspi.ROLE_FRAME and showing(n))
        window = self.x_window(frame)
        return frame, window

    def click(self, accessible):
        x, y, width, height = extents(accessible)
        # From one pixel away, so that the pointer moves into the control even
        # where it already stands there from an earlier game.
        xdotool("mousemove", "--sync", str(x + width // 2 + 1), str(y + height // 2 + 1),
                "mousemove", "--sync", str(x + width // 2), str(y + height // 2), "click", "1")

    def ends(self):
        try:
            return self.process.wait(timeout=PATIENCE_S)
        except subprocess.TimeoutExpired:
            raise Failure("the program did not end") from None

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()

    def __enter__(self):
        return self

    def __exit__(self, *ending):
        self.kill()


def start(game, name):
    game.box("Come ti chiami?")
    xdotool("type", "--delay", "40", name)
    xdotool("key", "Return")
    game.box(f" {name} vediamo se sei un vero campione  ")
    xdotool("key", "Return")
    frame, window = game.main_window()
    check(xdotool("getwindowname", window).rstrip("\n") == TITLE, "window title")
    # Merlin and his balloon are widgets of the game's window, not windows of
    # their own: they move, stack and minimize with it, and never cover a box.
    for part in ("Merlin", "Fumetto di Merlin"):
        game.find(part + " in the game window", lambda n: n.name == part, frame)
    xdotool("windowfocus", "--sync", window)
    game.wait_value("Nome dello sfidante", name)
    # The first question clears the answer box and the verdict.
    game.find("the empty answer box", lambda n: n.name == "Risposta" and n.queryText().characterCount == 0)
    game.wait_value("Verdetto", "")
    return frame


def audit_accessibility(frame):
    """Every control on screen has a role a screen reader knows and a name."""
    for node in walk(frame):
        if node is frame or not showing(node):
            continue
        if node.getRole() in UNNAMED_ROLES:
            continue
        check(node.getRole() in NAMED_ROLES, f"role {node.getRoleName()!r} of {node.name!r}")
        check(node.name.strip() != "", f"a {node.getRoleName()} without a name")


def check(condition, what):
    if not condition:
        raise Failure(what)


def run(main):
    """Runs a test's main: a failure is told in a line and ends the run with status 1."""
    try:
        main()
    except Failure as failure:
        print("FAIL:", failure)
        sys.exit(1)
