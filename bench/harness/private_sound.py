"""A PulseAudio server of the harness's own, playing into a null sink, so the
voice is timed through a real sound server without a sound card."""

import os
import subprocess
import time


class PrivateSound:
    STARTUP_S = 10

    def __init__(self, directory):
        self.directory = directory
        self.environment = {
            "HOME": directory,
            "XDG_RUNTIME_DIR": directory,
            "PULSE_RUNTIME_PATH": directory,
            "PULSE_SERVER": "unix:" + os.path.join(directory, "native"),
        }
        environment = dict(os.environ, **self.environment)
        environment.pop("DBUS_SESSION_BUS_ADDRESS", None)
        self.server = subprocess.Popen(
            ["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no", "--disable-shm=yes",
             "-L", "module-null-sink sink_name=vt rate=22050 channels=1",
             "-L", "module-native-protocol-unix auth-anonymous=1 socket=" + os.path.join(directory, "native")],
            env=environment, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + self.STARTUP_S
        while subprocess.run(["pactl", "info"], env=environment, capture_output=True).returncode != 0:
            if self.server.poll() is not None or time.monotonic() > deadline:
                self.close()
                raise RuntimeError("the private PulseAudio server did not start")
            time.sleep(0.1)

    def close(self):
        if self.server.poll() is None:
            self.server.kill()
        self.server.wait()
