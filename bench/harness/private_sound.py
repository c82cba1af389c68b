"""A sound server of its own that speaks PulseAudio's protocol, with one null
sink, vortana_test, whose monitor can be recorded: the PulseAudio daemon, or
PipeWire with its pulse service and session manager. It lives in a directory
of its own, so it neither needs nor touches a desktop's sound server.

The benchmarks start one and hand its environment to the program they measure.
"""

import os
import subprocess
import time

RATE = 22050
RECORD = ["parec", "--device=vortana_test.monitor", "--raw", "--format=s16le", "--channels=1", f"--rate={RATE}"]

# WirePlumber gives up where there is no session bus unless everything that
# wants one is off; there are no devices here to watch anyway.
WIREPLUMBER = {
    "main.lua.d/51-private.lua": "alsa_monitor.enabled = false\nv4l2_monitor.enabled = false\n"
                                 "libcamera_monitor.enabled = false\n"
                                 "default_access.properties[\"enable-flatpak-portal\"] = false\n",
    "bluetooth.lua.d/51-private.lua": "bluez_monitor.enabled = false\n",
}


class PrivateSound:
    # Generous: a busy machine may take long to start it; a server that
    # cannot start says so at once by ending.
    STARTUP_S = 120

    def __init__(self, directory, kind="pulseaudio"):
        os.makedirs(directory, exist_ok=True)
        self.directory = directory
        socket = os.path.join(directory, "native")
        self.environment = {"HOME": directory, "XDG_RUNTIME_DIR": directory, "PULSE_RUNTIME_PATH": directory,
                            "XDG_CONFIG_HOME": os.path.join(directory, "config"), "PIPEWIRE_RUNTIME_DIR": directory,
                            "PULSE_SERVER": "unix:" + socket}
        self._env = dict(os.environ, **self.environment)
        for name in ("PIPEWIRE_REMOTE", "DBUS_SESSION_BUS_ADDRESS"):
            self._env.pop(name, None)
        self._processes = []
        try:
            if kind == "pulseaudio":
                self.server = self._start("pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1",
                                          "--use-pid-file=no", "--disable-shm=yes", "--log-target=stderr",
                                          "-L", f"module-null-sink sink_name=vortana_test rate={RATE} channels=1",
                                          "-L", "module-native-protocol-unix auth-anonymous=1 socket=" + socket)
                self._await(self.server, "pactl", "info")
            else:
                for name, text in WIREPLUMBER.items():
                    path = os.path.join(directory, "config", "wireplumber", name)
                    os.makedirs(os.path.dirname(path), exist_ok=True)
                    with open(path, "w") as file:
                        file.write(text)
                # The other two give up if PipeWire does not answer yet.
                self._await(self._start("pipewire"), "pw-cli", "info", "0")
                manager = self._start("wireplumber")
                self.server = self._start("pipewire-pulse")
                self._await(self.server, "pactl", "info")
                if not self._run("pactl", "load-module", "module-null-sink", "sink_name=vortana_test",
                                 f"rate={RATE}", "channels=1"):
                    raise RuntimeError("pipewire-pulse made no null sink")
                # A recording's silence flows once the session manager has linked it.
                with subprocess.Popen(RECORD, env=self._env, stdout=subprocess.PIPE) as recorder:
                    linked = recorder.stdout.read(2)
                    recorder.kill()
                if not linked or manager.poll() is not None:
                    raise RuntimeError("wireplumber linked no stream: " + self._said(manager))
        except BaseException:
            self.close()
            raise

    def _start(self, *command):
        log = open(os.path.join(self.directory, command[0] + ".log"), "wb")
        try:
            process = subprocess.Popen(command, env=self._env, stdin=subprocess.DEVNULL, stdout=log,
                                       stderr=subprocess.STDOUT)
        except FileNotFoundError:
            raise RuntimeError(command[0] + " is not installed") from None
        finally:
            log.close()
        self._processes.append(process)
        return process

    def _said(self, process):
        with open(os.path.join(self.directory, os.path.basename(process.args[0]) + ".log"), "rb") as log:
            return log.read()[-400:].decode(errors="replace")

    def _run(self, *command):
        return subprocess.run(command, env=self._env, stdin=subprocess.DEVNULL, capture_output=True).returncode == 0

    def _await(self, process, *command):
        deadline = time.monotonic() + self.STARTUP_S
        while not self._run(*command):
            if process.poll() is not None:
                raise RuntimeError(f"{process.args[0]} ended at once: {self._said(process)}")
            if time.monotonic() > deadline:
                raise RuntimeError(f"{process.args[0]} did not answer within {self.STARTUP_S} s")
            time.sleep(0.1)

    def close(self):
        for process in reversed(self._processes):
            if process.poll() is None:
                process.kill()
            process.wait()

