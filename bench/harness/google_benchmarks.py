"""Runs a Google Benchmark program and reads its JSON report."""

import json
import subprocess

TIME_UNIT_MS = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}


class Report:
    def __init__(self, entries):
        self.entries = entries

    def entry(self, name, aggregate=None):
        for entry in self.entries:
            run_name = entry.get("run_name", entry["name"])
            if run_name != name and not run_name.startswith(name + "/"):
                continue
            if entry.get("aggregate_name") == aggregate:
                return entry
        raise KeyError("no benchmark '%s' (%s) in the report" % (name, aggregate or "single run"))

    def milliseconds(self, name, aggregate=None):
        entry = self.entry(name, aggregate)
        if entry.get("error_occurred"):
            raise RuntimeError("%s: %s" % (name, entry.get("error_message")))
        return entry["real_time"] * TIME_UNIT_MS[entry["time_unit"]]


def run(program, arguments=(), environment=None, repetitions=None):
    command = [program, "--benchmark_format=json", *arguments]
    if repetitions:
        command += ["--benchmark_repetitions=%d" % repetitions, "--benchmark_report_aggregates_only=true"]
    finished = subprocess.run(command, env=environment, capture_output=True, text=True)
    if finished.returncode != 0:
        raise RuntimeError("%s failed (%d): %s" % (program, finished.returncode, finished.stderr[-400:]))
    return Report(json.loads(finished.stdout)["benchmarks"])
