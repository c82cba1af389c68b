"""The installed game on real desktops, read from what the screen shows: under
a window manager (openbox) at scale 1 and 2, and in a Wayland compositor
(weston, nested in Xvfb), natively and through XWayland. Merlin stands inside
the game window just above the answer box and goes with it when it moves; the
goodbye box stands over the game.

    desktop.py PREFIX [SCREENSHOT_DIR]
"""

import ctypes
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

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
        self.said = tempfile.TemporaryFile()
        self.manager = e2e.spawn(["openbox", "--sm-disable"], stdout=self.said, stderr=subprocess.STDOUT)
        try:
            wait_for("the window manager", lambda: self.manager.poll() is not None or "window id" in subprocess.run(
                ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], capture_output=True, text=True).stdout)
            if self.manager.returncode is not None:
                self.said.seek(0)
                raise Failure(f"openbox ended: {self.said.read()[-400:]!r}")
        except BaseException:
            self.close()
            raise

    def close(self):
        e2e.stop(self.manager)
        super().close()


def xprop(window, name):
    return subprocess.run(["xprop", "-id", window, name], capture_output=True, text=True).stdout


def play(prefix, records, scale, shots):
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
        xdotool("type", "--delay", "40", "5")  # never a product of 6
        wait_for("the typed answer in the box", lambda: answer.queryText().getText(0, -1) == "5")

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
        check(game.ends() == 0, "exit status")
    print(f"desktop: openbox at scale {scale}: Merlin above the answer box at the client corner {corner}, "
          f"then {moved}; screenshots {shot} and beside it")


class Weston(e2e.Closing):
    """A Wayland compositor in a window of the virtual screen, with XWayland."""

    def __init__(self, work):
        self.runtime = tempfile.mkdtemp(dir=work)
        config = os.path.join(self.runtime, "weston.ini")
        with open(config, "w") as file:
            # No on-screen keyboard over the game. No key repeat either: on a
            # busy machine a release that comes late repeats the key ("Evvva").
            file.write("[core]\nidle-time=0\n[input-method]\npath=/bin/true\n[keyboard]\nrepeat-rate=0\n")
        self.said = open(os.path.join(self.runtime, "weston.log"), "w+")
        environment = dict(os.environ, XDG_RUNTIME_DIR=self.runtime)
        self.process = e2e.spawn(
            ["weston", "--backend=x11-backend.so", "--socket=vortana", "--width=1100", "--height=900",
             "--xwayland", "--config=" + config], env=environment, stdout=self.said, stderr=subprocess.STDOUT)
        try:
            self.x_display = wait_for("weston and its XWayland", self._xwayland)
            self.window = wait_for("weston's window", lambda: xdotool("search", "--class", "^Weston Compositor$").split()[0])
        except BaseException:
            self.close()
            raise

    def _xwayland(self):
        if self.process.poll() is not None:
            self.said.seek(0)
            raise Failure(f"weston ended: {self.said.read()[-600:]!r}")
        self.said.seek(0)
        found = re.search(r"xserver listening on display (:\d+)", self.said.read())
        socket = os.path.join(self.runtime, "vortana")
        return found and os.path.exists(socket) and found.group(1)

    def platform(self, native):
        if native:
            return {"QT_QPA_PLATFORM": "wayland", "WAYLAND_DISPLAY": os.path.join(self.runtime, "vortana")}
        return {"QT_QPA_PLATFORM": "xcb", "DISPLAY": self.x_display}

    def close(self):
        e2e.stop(self.process)
        self.said.close()


def until(what, done, act):
    """Acts, at most once a second, until done."""
    acted = [float("-inf")]

    def probe():
        if done():
            return True
        if time.monotonic() - acted[0] >= 1:
            acted[0] = time.monotonic()
            act()
        return False
    wait_for(what, probe)


def on_weston(prefix, work, native, shots):
    kind = "natively" if native else "through XWayland"
    if shutil.which("weston") is None:
        print(f"desktop: weston, {kind}: skipped, weston is not installed")
        return
    with e2e.Screen("1280x1024x24"):
        try:
            weston = Weston(work)
        except Failure as failure:
            print(f"desktop: weston, {kind}: skipped, weston cannot start here ({failure})")
            return
        os.environ["QT_SCALE_FACTOR"] = "1"
        e2e.SCALE = 1
        with weston:
            # The host's pointer and keyboard go to weston's window once, before
            # the game opens a window in it: weston takes the keyboard from the
            # window it gave it to whenever its own window loses the host's
            # focus, and does not always give it back (the box stayed empty
            # under load, through XWayland as well as natively).
            x, y, width, height = geometry(weston.window)
            xdotool("mousemove", "--sync", str(x + 5), str(y + height - 5))
            xdotool("windowfocus", "--sync", weston.window)
            with e2e.Game(prefix, tempfile.mkdtemp(dir=work), weston.platform(native)) as game:
                on_weston_game(game, native, kind, shots)


def on_weston_game(game, native, kind, shots):
    # The compositor gives the keyboard to a new box in its own time: the keys
    # are sent again until the box shows what they did.
    name_box = game.find("the name box", lambda n: n.getRole() in e2e.BOXES and e2e.showing(n))
    field = game.find("the name field", lambda n: n.getRole() == pyatspi.ROLE_TEXT, name_box)
    typed = lambda: field.queryText().getText(0, -1)
    until(lambda: f"the name typed (the box shows {typed()!r})", lambda: typed() == "Eva",
          lambda: xdotool("key", "ctrl+a", "type", "--delay", "60", "Eva"))
    until("the name given", lambda: not e2e.showing(name_box), lambda: xdotool("key", "Return"))
    greeting = game.find("the greeting", lambda n: n.getRole() in e2e.BOXES and e2e.showing(n)
                         and any(c.name == " Eva vediamo se sei un vero campione  " for c in e2e.walk(n)))
    until("the greeting closed", lambda: not e2e.showing(greeting), lambda: xdotool("key", "Return"))
    shot = os.path.join(shots, f"weston-{'native' if native else 'xwayland'}.png")
    corner = wait_for(f"Merlin just above the answer box on weston, {kind}",
                      lambda: merlin_stands(Picture(shot), 1, talking=True))
    print(f"desktop: weston, {kind}: Merlin above the answer box at the client corner {corner}; screenshot {shot}")


def main():
    # Four desktops, each started afresh: more than one game's time.
    e2e.DEADLINE_S = 840
    prefix = os.path.abspath(sys.argv[1])
    check(e2e.menu_entry(prefix).get("StartupWMClass") == "Vortana", "the menu entry names another window class")
    with tempfile.TemporaryDirectory() as work:
        shots = sys.argv[2] if len(sys.argv) > 2 else work
        for scale, size in ((1, "1280x1024x24"), (2, "2400x1800x24")):
            with DesktopScreen(size):
                play(prefix, os.path.join(work, f"records{scale}", "games", "vortana"), scale, shots)
        for native in (True, False):
            on_weston(prefix, work, native, shots)


if __name__ == "__main__":
    e2e.run(main)
