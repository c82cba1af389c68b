"""One run of the whole program, read through its milestone trace: the boxes
are answered at once, as a quick child would, and the process can be sampled
for CPU time and peak memory while it runs."""

import os
import subprocess
import threading
import time

CLOCK_TICKS = os.sysconf("SC_CLK_TCK")
PATIENCE_S = 60


def xdotool(environment, *args):
    return subprocess.run(["xdotool", *args], env=environment, capture_output=True, text=True,
                          timeout=PATIENCE_S).stdout


class ProgramRun:
    def __init__(self, program, environment, name="Eva"):
        self.environment = dict(environment, VORTANA_TRACE="1")
        self.name = name
        self.events = []
        self.boxes = 0
        self.changed = threading.Condition()
        self.launched_ns = time.monotonic_ns()
        self.process = subprocess.Popen([program], env=self.environment, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.PIPE, text=True)
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()

    def _read(self):
        for line in self.process.stderr:
            words = line.split()
            if len(words) < 3 or words[0] != "vortana-trace":
                continue
            event = (int(words[1]), words[2])
            with self.changed:
                self.events.append(event)
                self.changed.notify_all()
            if event[1] == "box-open":
                self._answer_box()
        with self.changed:
            self.changed.notify_all()

    def _answer_box(self):
        """Types the name into the first box, and presses Enter on each."""
        self.boxes += 1
        found = xdotool(self.environment, "search", "--sync", "--onlyvisible", "--name", "^Vortana$").split()
        xdotool(self.environment, "windowfocus", "--sync", found[-1])
        if self.boxes == 1:
            xdotool(self.environment, "type", self.name)
        xdotool(self.environment, "key", "Return")

    def wait_for(self, name, count=1, after=0):
        """The time of the count-th event of that name later than `after`, once it has come."""
        deadline = time.monotonic() + PATIENCE_S
        with self.changed:
            while True:
                times = [ns for ns in self.times(name) if ns > after]
                if len(times) >= count:
                    return times[count - 1]
                if self.process.poll() is not None and not self.reader.is_alive():
                    raise RuntimeError("the program ended before '%s' (status %s)" % (name, self.process.returncode))
                if time.monotonic() > deadline:
                    raise RuntimeError("no '%s' within %d s" % (name, PATIENCE_S))
                self.changed.wait(0.5)

    def times(self, name):
        return [ns for ns, event in self.events if event == name]

    def cpu_seconds(self):
        with open("/proc/%d/stat" % self.process.pid) as stat:
            fields = stat.read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / CLOCK_TICKS

    def cpu_percent(self, seconds):
        """The share of one core the program used over the next few seconds."""
        cpu = self.cpu_seconds()
        start = time.monotonic()
        time.sleep(seconds)
        return (self.cpu_seconds() - cpu) / (time.monotonic() - start) * 100

    def peak_resident_kib(self):
        with open("/proc/%d/status" % self.process.pid) as status:
            for line in status:
                if line.startswith("VmHWM:"):
                    return int(line.split()[1])
        raise RuntimeError("no VmHWM in /proc")

    def private_kib(self):
        """Memory that is this process's alone and cannot be shared: the pages it
        wrote (its heaps, stacks, and the libraries' relocated data). Clean
        library pages are left out: whether they count as private depends on
        what else the machine runs."""
        with open("/proc/%d/smaps_rollup" % self.process.pid) as rollup:
            for line in rollup:
                if line.startswith("Private_Dirty:"):
                    return int(line.split()[1])
        raise RuntimeError("no Private_Dirty in /proc")

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
        self.process.wait()
        self.reader.join(5)

    def sleep_until(self, ns):
        time.sleep(max(0.0, (ns - time.monotonic_ns()) / 1e9))
