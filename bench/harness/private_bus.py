"""A D-Bus session bus of the harness's own: a desktop always has one, and
without it the toolkit would start one on its own and leave it running."""

import subprocess


class PrivateBus:
    def __init__(self):
        self.daemon = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                                       stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self.address = self.daemon.stdout.readline().strip()
        if not self.address:
            self.close()
            raise RuntimeError("dbus-daemon did not start")

    def close(self):
        if self.daemon.poll() is None:
            self.daemon.kill()
        self.daemon.wait()
