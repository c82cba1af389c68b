"""The installed game on a desktop with a window manager (openbox), at scale 1
and 2: the title bar, Merlin's place above the answer box, the boxes over the
game, the focus after a credit menu, and the class the taskbar matches.

    desktop.py PREFIX [SCREENSHOT_DIR]
"""

import configparser
import os
import subprocess
import sys
import tempfile
import time

import e2e
from e2e import Failure, check, geometry, wait_for, xdotool

# Where the game puts Merlin, from the window's outer corner, in its own pixels.
MERLIN_AT = (250, 175)


class DesktopScreen(e2e.Screen):
    """A large virtual screen with a real window manager on it."""

    def __init__(self, size):
        super().__init__(size)
        self.said = tempfile.TemporaryFile()
        self.manager = subprocess.Popen(["openbox", "--sm-disable"], stdout=self.said, stderr=subprocess.STDOUT)
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
        self.manager.terminate()
        self.manager.wait()
        super().close()


def xprop(window, name):
    return subprocess.run(["xprop", "-id", window, name], capture_output=True, text=True).stdout


def frame_corner(window):
    """The outer top-left corner of a managed window, its title bar included."""
    x, y, _, _ = geometry(window)
    left, _, top, _ = (int(n) for n in xprop(window, "_NET_FRAME_EXTENTS").split("=")[1].split(","))
    return x - left, y - top, top


def merlin_window(game, main):
    def probe():
        for window in xdotool("search", "--onlyvisible", "--pid", str(game.process.pid)).split():
            x, y, width, height = geometry(window)
            if window != main and height > width:  # the character stands taller than wide
                return window
        return None
    return wait_for("Merlin on screen", probe)


def pixels(shot, x, y, width):
    """The colours of one row of a screenshot, as text."""
    return subprocess.run(["convert", shot, "-crop", f"{width}x1+{x}+{y}", "+repage", "txt:-"],
                          capture_output=True, text=True, check=True).stdout.split("\n")[1:]


def play(prefix, home, records, scale, shots):
    os.environ["QT_SCALE_FACTOR"] = str(scale)
    e2e.SCALE = scale
    game = e2e.Game(prefix, home, records)
    try:
        frame = e2e.start(game, "Eva")
        _, main = game.main_window()
        corner_x, corner_y, title = frame_corner(main)
        check(title > 0, "the main window has no title bar")
        check("Vortana" in xprop(main, "WM_CLASS").split('"'), f"class {xprop(main, 'WM_CLASS')!r}")
        check("_NET_WM_ICON(CARDINAL)" in xprop(main, "_NET_WM_ICON"), "no icon for the taskbar")

        merlin = merlin_window(game, main)
        # Above the game, out of the taskbar, never taking the keyboard.
        kind = xprop(merlin, "_NET_WM_STATE") + xprop(merlin, "_NET_WM_WINDOW_TYPE") + xprop(merlin, "WM_HINTS")
        check(all(word in kind for word in ("_NET_WM_STATE_ABOVE", "_NET_WM_WINDOW_TYPE_UTILITY", "focus: False")),
              f"Merlin's window: {kind!r}")
        expected = (corner_x + MERLIN_AT[0] * scale, corner_y + MERLIN_AT[1] * scale)
        wait_for(f"Merlin at {expected}", lambda: geometry(merlin)[:2] == expected)
        mx, _, mwidth, _ = geometry(merlin)
        answer = game.find("the answer box", lambda n: n.name == "Risposta")
        ax, ay, awidth, aheight = e2e.extents(answer)
        # The row just inside the box's top edge, under his feet (the middle
        # of his window; the balloon may reach the right of it), shows the box alone.
        # He stands still once he has glided into place and started talking.
        shot = os.path.join(shots, f"desktop-scale{scale}.png")

        def feet_clear():
            subprocess.run(["import", "-window", "root", shot], check=True)
            under = pixels(shot, mx + mwidth * 3 // 10, ay + 3 * scale, mwidth * 4 // 10)
            inside = pixels(shot, ax + awidth // 2, ay + aheight // 2, 1)[0].split()[2]
            return all(row.split()[2] == inside for row in under if row)
        try:
            wait_for("Merlin's feet clear of the answer box", feet_clear)
        except Failure:
            raise Failure(f"Merlin's feet stand on the answer box: {shot}") from None
        # Where the balloon's rounded corner leaves its window empty, the game
        # shows through, not black.
        def corner_clear():
            others = (geometry(w) for w in xdotool("search", "--onlyvisible", "--pid", str(game.process.pid)).split()
                      if w not in (main, merlin))
            balloon = next((g for g in others if g[2] > g[3]), None)
            if balloon is None:
                return False
            bx, by, bwidth, bheight = balloon
            subprocess.run(["import", "-window", "root", shot], check=True)
            inside = pixels(shot, bx + bwidth // 2, by + bheight // 2, 1)[0].split()[2]
            corner, beyond = (pixels(shot, x, by + scale, 1)[0].split()[2] for x in (bx + bwidth - 2 * scale, bx + bwidth + scale))
            return min(int(inside[i:i + 2], 16) for i in (1, 3, 5)) > 200 and corner == beyond
        wait_for("the balloon's corner to show the game behind it", corner_clear)

        # A credit menu opened and closed with the mouse gives the keyboard back.
        menu = game.find("the first credit menu", lambda n: n.getRoleName() == "menu item" and "example" in n.name)
        game.click(menu)
        wait_for("the menu open", lambda: any(e2e.showing(n) for n in e2e.walk(game.app)
                                               if n.getRoleName() == "popup menu"))
        game.click(menu)
        wait_for("the menu closed", lambda: not any(e2e.showing(n) for n in e2e.walk(game.app)
                                                     if n.getRoleName() == "popup menu"))
        xdotool("type", "--delay", "40", "5")  # never a product of 6
        wait_for("the typed answer in the box", lambda: answer.queryText().getText(0, -1) == "5")

        # An Enter held down on the next-question button asks one question
        # and judges nothing: its repeats land in the empty answer box.
        xdotool("key", "Return")
        game.wait_value("Errori", "1")
        xdotool("keydown", "Return")
        game.wait_value("Verdetto", "")
        time.sleep(1.5)  # what a child's slow finger does, not a wait for a result
        xdotool("keyup", "Return")
        check(game.value("Risposte date") == "1", "a held Enter judged the empty answer box")

        game.click(game.find("the exit button", lambda n: n.getRoleName() == "push button" and n.name == "Exit"))
        box = game.box("Ciao. Ti aspetto per la prossima sfida ")
        bx, by, bwidth, bheight = e2e.extents(box)
        fx, fy, fwidth, fheight = e2e.extents(frame)
        check(fx <= bx + bwidth // 2 <= fx + fwidth and fy <= by + bheight // 2 <= fy + fheight,
              "the goodbye box stands away from the game")
        xdotool("key", "Return")
        check(game.ends() == 0, "exit status")
    except Failure:
        print(game.describe())
        raise
    finally:
        game.kill()
    print(f"desktop: scale {scale}: title bar {title} px, Merlin at {expected}, screenshot {shot}")


def main():
    prefix = os.path.abspath(sys.argv[1])
    entry = configparser.ConfigParser(interpolation=None)
    entry.optionxform = str
    entry.read(os.path.join(prefix, "share", "applications", e2e.APP_ID + ".desktop"), encoding="utf-8")
    check(entry["Desktop Entry"].get("StartupWMClass") == "Vortana", "the menu entry names another window class")
    with tempfile.TemporaryDirectory() as work:
        shots = sys.argv[2] if len(sys.argv) > 2 else work
        for scale, size in ((1, "1280x1024x24"), (2, "2400x1800x24")):
            screen = DesktopScreen(size)
            try:
                home = os.path.join(work, f"home{scale}")
                os.mkdir(home, 0o700)
                play(prefix, home, os.path.join(work, f"records{scale}", "games", "vortana"), scale, shots)
            finally:
                screen.close()


if __name__ == "__main__":
    try:
        main()
    except Failure as failure:
        print("FAIL:", failure)
        sys.exit(1)
