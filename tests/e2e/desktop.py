"""The installed game on a real desktop, read from what the screen shows: under
a window manager (openbox) at scale 1 and 2. Merlin stands inside
the game window just above the answer box, goes with it when it moves, hides
with it under another program or when it is minimized, and leaves the game's
boxes whole.

    desktop.py PREFIX [SCREENSHOT_DIR]
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

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


def nothing_of_merlin(picture):
    return not picture.rows_with(ROBE) and not picture.rows_with(PAPER)


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
        menu = game.find("the first credit menu", lambda n: n.getRoleName() == "menu item" and "example" in n.name)
        def menu_open():
            return any(e2e.showing(n) for n in e2e.walk(game.app) if n.getRoleName() == "popup menu")
        game.click(menu)
        wait_for("the menu open", menu_open)
        game.click(menu)
        wait_for("the menu closed", lambda: not menu_open())
        xdotool("type", "--delay", "40", "5")  # never a product of 6
        wait_for("the typed answer in the box", lambda: answer.queryText().getText(0, -1) == "5")

        # Dragged elsewhere, the window takes him along.
        xdotool("windowmove", main, str(geometry(main)[0] + 90 * scale), str(geometry(main)[1] + 60 * scale))
        moved = wait_for("Merlin to go with the moved window", lambda: (lambda at: at and at != corner and at)(
            merlin_stands(Picture(os.path.join(shots, f"desktop-scale{scale}-moved.png")), scale)))

        # Another program raised over the game hides him and his balloon.
        x, y, width, height = geometry(main)
        other = e2e.spawn(["xlogo", "-geometry", f"{width + 40}x{height + 40}+{x - 20}+{y - 40}"])
        wait_for("another program over the game to hide Merlin",
                 lambda: nothing_of_merlin(Picture(os.path.join(shots, f"desktop-scale{scale}-covered.png"))))
        e2e.stop(other)
        xdotool("windowactivate", "--sync", main)
        wait_for("Merlin back with the game", lambda: merlin_stands(Picture(shot), scale) == moved)

        # A minimized game shows nothing of him.
        xdotool("windowminimize", "--sync", main)
        wait_for("a minimized game to take Merlin along",
                 lambda: nothing_of_merlin(Picture(os.path.join(shots, f"desktop-scale{scale}-minimized.png"))))
        xdotool("windowactivate", "--sync", main)
        xdotool("windowfocus", "--sync", main)
        wait_for("the restored game drawn again", lambda: merlin_stands(Picture(shot), scale) == moved)

        # The goodbye box stands over the game, whole: nothing of Merlin on it.
        game.click(game.find("the exit button", lambda n: n.getRoleName() == "push button" and n.name == "Exit"))
        box = game.box("Ciao. Ti aspetto per la prossima sfida ")
        bx, by, bwidth, bheight = e2e.extents(box)
        fx, fy, fwidth, fheight = e2e.extents(frame)
        # Centred over the game, not over the screen (the game was dragged off the screen's middle).
        check(abs(2 * bx + bwidth - 2 * fx - fwidth) <= 80 * scale and abs(2 * by + bheight - 2 * fy - fheight) <= 80 * scale,
              f"the goodbye box at {(bx, by, bwidth, bheight)} stands away from the game at {(fx, fy, fwidth, fheight)}")

        def box_whole():
            picture = Picture(os.path.join(shots, f"desktop-scale{scale}-goodbye.png"))
            return not any(picture.rows_with(colour, bx, by, bx + bwidth, by + bheight) for colour in (ROBE, PAPER))
        wait_for("the goodbye box whole, over Merlin", box_whole)
        xdotool("key", "Return")
        check(game.ends() == 0, "exit status")
    print(f"desktop: openbox at scale {scale}: Merlin above the answer box at the client corner {corner}, "
          f"then {moved}; screenshots {shot} and beside it")


def main():
    # Two desktops, each started afresh: more than one game's time.
    e2e.DEADLINE_S = 840
    prefix = os.path.abspath(sys.argv[1])
    check(e2e.menu_entry(prefix).get("StartupWMClass") == "Vortana", "the menu entry names another window class")
    with tempfile.TemporaryDirectory() as work:
        shots = sys.argv[2] if len(sys.argv) > 2 else work
        for scale, size in ((1, "1280x1024x24"), (2, "2400x1800x24")):
            with DesktopScreen(size):
                play(prefix, os.path.join(work, f"records{scale}", "games", "vortana"), scale, shots)


if __name__ == "__main__":
    e2e.run(main)
