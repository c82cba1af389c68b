"""The installed game played as a child plays it, read from what the screen
shows: under a window manager (openbox) at scale 1, a game that sets the record,
then at scale 2; and natively in a Wayland compositor (weston, nested in Xvfb).
Merlin stands inside the game window just above the answer box and goes with it
when it moves; the goodbye box stands over the game. With RECORDS, the record
goes where the program was built to keep it (through the record helper,
run_e2e.sh), otherwise to a directory of the test's own.

    desktop.py PREFIX [RECORDS]
"""

import ctypes
import os
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile

import pyatspi

import e2e
from e2e import Failure, check, geometry, wait_for, xdotool

# Colours only Merlin and his balloon show: his robe, his shoes, the paper.
ROBE, SHOE, PAPER = bytes.fromhex("3056c8"), bytes.fromhex("7a4a2a"), bytes.fromhex("fffbe8")
# In the game's own pixels: the rim of the score panel at the client area's
# corner, and the top of the band behind the answer box.
RIM, RIM_WIDTH, BAND_TOP, BAND_LEFT, BAND_RIGHT = bytes.fromhex("00c0c0"), 225, 328, 192, 681
# His drawn feet stand this close above the band, and no closer.
FOOTING = 16


class Picture:
    """A screenshot of the whole screen, as rows of RGB bytes."""

    def __init__(self, path):
        subprocess.run(["import", "-window", "root", path], check=True)
        data = subprocess.run(["convert", path, "ppm:-"], check=True, capture_output=True).stdout
        fields = data.split(maxsplit=4)
        self.width, self.height, self.path, self.data = int(fields[1]), int(fields[2]), path, fields[4]

    def row(self, y, left=0, right=None):
        right = self.width if right is None else min(right, self.width)
        left = max(0, left)
        start = (y * self.width + left) * 3
        return self.data[start:start + (right - left) * 3]

    def rows_with(self, colour, left=0, top=0, right=None, bottom=None):
        """The rows of the area where the colour shows."""
        bottom = self.height if bottom is None else min(bottom, self.height)
        found = []
        for y in range(max(0, top), bottom):
            row = self.row(y, left, right)
            if any(row[i:i + 3] == colour for i in range(0, len(row), 3)):
                found.append(y)
        return found

    def client_corner(self, scale):
        """The game's client area: the first row where the score panel's rim runs wide."""
        run = RIM * (RIM_WIDTH * scale * 9 // 10)
        for y in range(self.height):
            x = self.row(y).find(run)
            if x >= 0 and x % 3 == 0:
                return x // 3 - scale, y - scale
        return None


def merlin_stands(picture, scale, talking=False):
    """Where the game's client area is, when Merlin stands in it just above the
    answer box (and, talking, with his balloon beside him)."""
    corner = picture.client_corner(scale)
    if corner is None:
        return None
    left, top = corner[0] + BAND_LEFT * scale, corner[1]
    right, band = corner[0] + BAND_RIGHT * scale, corner[1] + BAND_TOP * scale
    robe = picture.rows_with(ROBE, left, top, right, band + 100 * scale)
    shoes = picture.rows_with(SHOE, left, top, right, band + 100 * scale)
    paper = picture.rows_with(PAPER, corner[0], top, corner[0] + 785 * scale, band + 100 * scale)
    if not robe or not shoes or (talking and not paper):
        return None
    check(max(shoes) < band and max(robe) < band, f"Merlin stands on the answer box: {picture.path}")
    check(band - max(shoes) <= FOOTING * scale, f"Merlin floats {band - max(shoes)} px above the answer box: "
                                                f"{picture.path}")
    check(max(paper, default=0) < band, f"the balloon covers the answer box: {picture.path}")
    return corner


class CursorImage(ctypes.Structure):
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short), ("width", ctypes.c_ushort),
                ("height", ctypes.c_ushort), ("xhot", ctypes.c_ushort), ("yhot", ctypes.c_ushort)]


def pointer_size():
    """The pointer as the screen shows it, in screen pixels (XFixes)."""
    x11, xfixes = ctypes.CDLL("libX11.so.6"), ctypes.CDLL("libXfixes.so.3")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(CursorImage)
    display = x11.XOpenDisplay(None)
    try:
        image = xfixes.XFixesGetCursorImage(ctypes.c_void_p(display))
        size = (image.contents.width, image.contents.height)
        x11.XFree(image)
        return size
    finally:
        x11.XCloseDisplay(ctypes.c_void_p(display))


class DesktopScreen(e2e.Screen):
    """A large virtual screen with a real window manager on it."""

    def __init__(self, size):
        super().__init__(size)
        self.manager = e2e.spawn(["openbox", "--sm-disable"])
        try:
            wait_for("the window manager", lambda: "window id" in subprocess.run(
                ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], capture_output=True, text=True).stdout)
        except BaseException:
            self.close()
            raise

    def close(self):
        e2e.stop(self.manager)
        super().close()


def xprop(window, name):
    return subprocess.run(["xprop", "-id", window, name], capture_output=True, text=True).stdout


def play(prefix, records, scale, shots, right):
    """One game; right: one right answer, a record over none."""
    os.environ["QT_SCALE_FACTOR"] = str(scale)
    e2e.SCALE = scale
    with e2e.Game(prefix, records) as game:
        frame = e2e.start(game, "Eva")
        _, main = game.main_window()
        check("=" in xprop(main, "_NET_FRAME_EXTENTS"), "the main window has no frame")
        check("Vortana" in xprop(main, "WM_CLASS").split('"'), f"class {xprop(main, 'WM_CLASS')!r}")
        check("_NET_WM_ICON(CARDINAL)" in xprop(main, "_NET_WM_ICON"), "no icon for the taskbar")
        shot = os.path.join(shots, f"desktop-scale{scale}.png")
        corner = wait_for("Merlin and his balloon just above the answer box",
                          lambda: merlin_stands(Picture(shot), scale, talking=True))

        # A credit menu opened and closed with the mouse gives the keyboard back.
        answer = game.find("the answer box", lambda n: n.name == "Risposta")
        menu = game.find("the first credit menu",
                         lambda n: n.getRole() == pyatspi.ROLE_MENU_ITEM and "example" in n.name)
        def menu_open():
            return any(e2e.showing(n) for n in e2e.walk(game.app) if n.getRole() == pyatspi.ROLE_POPUP_MENU)
        game.click(menu)
        wait_for("the menu open", menu_open)
        game.click(menu)
        wait_for("the menu closed", lambda: not menu_open())
        # Over the window the pointer is the wizard's head, drawn for the screen's pixels.
        xdotool("mousemove", "--sync", str(corner[0] + 400 * scale), str(corner[1] + 20 * scale))
        wait_for(lambda: f"a pointer of 48 pixels at scale {scale}: {pointer_size()}",
                 lambda: pointer_size() == (48 * scale, 48 * scale))
        # The factors can be read before the question shows; 5 is never a product of 6.
        typed = str(6 * int(game.value("Secondo fattore"))) if right else "5"
        xdotool("type", "--delay", "40", typed)
        wait_for("the typed answer in the box", lambda: answer.queryText().getText(0, -1) == typed)
        if right:
            xdotool("key", "Return")
            game.wait_value("Punteggio", "1")
            # The label keeps its starting caption, "00.07.00", until the first tick.
            wait_for("the countdown's first tick",
                     lambda: re.fullmatch(r"00:0[0-6]:[0-5][0-9]", game.value("Conto alla rovescia")))
            e2e.audit_accessibility(frame)

        # Dragged elsewhere, the window takes him along.
        xdotool("windowmove", main, str(geometry(main)[0] + 90 * scale), str(geometry(main)[1] + 60 * scale))
        moved = wait_for("Merlin to go with the moved window", lambda: (lambda at: at and at != corner and at)(
            merlin_stands(Picture(os.path.join(shots, f"desktop-scale{scale}-moved.png")), scale)))

        # The goodbye box stands over the game.
        game.click(game.find("the exit button",
                             lambda n: n.getRole() == pyatspi.ROLE_PUSH_BUTTON and n.name == "Exit"))
        box = game.box("Ciao. Ti aspetto per la prossima sfida ")
        bx, by, bwidth, bheight = e2e.extents(box)
        fx, fy, fwidth, fheight = e2e.extents(frame)
        # Centred over the game, not over the screen (the game was dragged off the screen's middle).
        check(abs(2 * bx + bwidth - 2 * fx - fwidth) <= 80 * scale
              and abs(2 * by + bheight - 2 * fy - fheight) <= 80 * scale,
              f"the goodbye box at {(bx, by, bwidth, bheight)} stands away from the game at {(fx, fy, fwidth, fheight)}")
        xdotool("key", "Return")
        if right:
            game.box('Ok ho registrato il tuo record, C A M P I O N E"')
            xdotool("key", "Return")
        check(game.ends() == 0, "exit status")
    print(f"desktop: openbox at scale {scale}: Merlin above the answer box at the client corner {corner}, "
          f"then {moved}; screenshots {shot} and beside it")


class Weston(e2e.Closing):
    """A Wayland compositor in a window of the virtual screen."""

    def __init__(self, work):
        runtime = tempfile.mkdtemp(dir=work)
        config = os.path.join(runtime, "weston.ini")
        with open(config, "w") as file:
            file.write("[core]\nidle-time=0\n[input-method]\npath=/bin/true\n")  # no on-screen keyboard over the game
        self.said = open(os.path.join(runtime, "weston.log"), "w+")
        self.platform = {"QT_QPA_PLATFORM": "wayland", "WAYLAND_DISPLAY": os.path.join(runtime, "vortana")}
        self.process = e2e.spawn(
            ["weston", "--backend=x11-backend.so", "--socket=vortana", "--width=1100", "--height=900",
             "--config=" + config], env=dict(os.environ, XDG_RUNTIME_DIR=runtime), stdout=self.said, stderr=subprocess.STDOUT)
        try:
            wait_for("weston", self._listening)
        except BaseException:
            self.close()
            raise

    def _listening(self):
        if self.process.poll() is not None:
            self.said.seek(0)
            raise Failure(f"weston ended: {self.said.read()[-600:]!r}")
        return os.path.exists(self.platform["WAYLAND_DISPLAY"])

    def close(self):
        e2e.stop(self.process)
        self.said.close()


def on_weston(prefix, work):
    if shutil.which("weston") is None:
        print("desktop: weston: skipped, weston is not installed")
        return
    with e2e.Screen("1280x1024x24"):
        try:
            weston = Weston(work)
        except Failure as failure:
            print(f"desktop: weston: skipped, weston cannot start here ({failure})")
            return
        os.environ["QT_SCALE_FACTOR"] = "1"
        e2e.SCALE = 1
        with weston, e2e.Game(prefix, tempfile.mkdtemp(dir=work), weston.platform) as game:
            # The compositor hands its keyboard on in its own time: the boxes are
            # answered as a screen reader answers them.
            field = game.find("the name field", lambda n: n.getRole() == pyatspi.ROLE_TEXT, game.dialog("Come ti chiami?"))
            field.queryEditableText().setTextContents("Eva")
            for text in ("Come ti chiami?", " Eva vediamo se sei un vero campione  "):
                button = game.find("its OK button", lambda n: n.getRole() == pyatspi.ROLE_PUSH_BUTTON and n.name == "OK",
                                   game.dialog(text))
                button.queryAction().doAction(0)
            shot = os.path.join(work, "weston.png")
            corner = wait_for("Merlin just above the answer box on weston",
                              lambda: merlin_stands(Picture(shot), 1, talking=True))
    print(f"desktop: weston: Merlin above the answer box at the client corner {corner}; screenshot {shot}")


def record_files(records):
    return {entry.name: entry.read_bytes() for entry in pathlib.Path(records).iterdir() if entry.name != ".lock"}


def main():
    prefix = os.path.abspath(sys.argv[1])
    shared = sys.argv[2] if len(sys.argv) > 2 else None
    check(e2e.menu_entry(prefix).get("StartupWMClass") == "Vortana", "the menu entry names another window class")
    with tempfile.TemporaryDirectory() as work:
        records = shared or os.path.join(work, "records")
        for scale, size in ((1, "1280x1024x24"), (2, "2400x1800x24")):
            with DesktopScreen(size):
                play(prefix, None if shared else records, scale, work, right=scale == 1)
        expected = {"aquizrec6.txt": b"1\r\n", "nquizrec6.txt": b"Eva\r\n"}
        check(record_files(records) == expected, f"record files hold {record_files(records)!r}")
        on_weston(prefix, work)
    print(f"desktop: the record kept in {records}" + (f" by uid {os.getuid()} through the record helper" if shared else ""))


if __name__ == "__main__":
    e2e.run(main)
