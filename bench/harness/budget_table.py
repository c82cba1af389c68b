"""Measures every figure on a release build and prints one table of figures,
budgets and verdicts; exits with status 1 when a budget is missed.

    budget_table.py BUILD_DIR

Everything it needs it starts itself: a virtual X screen, a session bus and a
PulseAudio server with a null sink, all removed at the end."""

import json
import os
import subprocess
import sys
import tempfile
import time

import google_benchmarks as gb
import program_figures
from private_bus import PrivateBus
from private_screen import PrivateScreen
from private_sound import PrivateSound
from table import Table
from table_rows import character_rows, countdown_row, quiz_rows, record_rows, start_up_rows, waiting_rows

COUNTDOWN_TICKS = 30
REPETITIONS = 3


def attempt(measure):
    """A failed measurement becomes a missed row, not a crash: the table must still come out."""
    try:
        return measure()
    except Exception as failure:
        return failure


def rows(table, result, figure, add):
    try:
        if isinstance(result, Exception):
            raise result
        add(result)
    except Exception as failure:
        table.failed(figure, str(failure))


def measure_program(program, bare, environment, scratch):
    sound = PrivateSound(os.path.join(scratch, "sound"))
    try:
        records = os.path.join(scratch, "records")
        return program_figures.measure(program, bare, dict(environment, VORTANA_RECORD_DIR=records, **sound.environment))
    finally:
        sound.close()


def measure_character(program, environment, scratch):
    sound = PrivateSound(os.path.join(scratch, "character-sound"))
    try:
        return gb.run(program, ["--benchmark_filter=BM_FirstBufferOneWord"], dict(environment, **sound.environment))
    finally:
        sound.close()


def countdown_drift(program):
    """Alone, as the game's own timer would be: nothing else of the harness runs meanwhile."""
    finished = subprocess.run([program, str(COUNTDOWN_TICKS)], capture_output=True, text=True,
                              timeout=COUNTDOWN_TICKS + 30, check=True)
    return json.loads(finished.stdout)


def measure_all(binary, environment, scratch):
    program = attempt(lambda: measure_program(binary("vortana"), binary("bench_bare_window"), environment, scratch))
    character = attempt(lambda: measure_character(binary("bench_character"), environment, scratch))
    quiz = attempt(lambda: gb.run(binary("bench_quiz"), (), environment, REPETITIONS))
    # /var/tmp lies on disk, as the record directory does; /tmp may be kept in memory.
    # Interleaved, so that the store and the disk's floor meet the same disk.
    record = attempt(lambda: gb.run(binary("bench_record"), ("--benchmark_report_aggregates_only=true",
                                                             "--benchmark_enable_random_interleaving=true"),
                                    dict(environment, TMPDIR="/var/tmp")))
    drift = attempt(lambda: countdown_drift(binary("bench_countdown_drift")))
    table = Table()
    rows(table, program, "start-up", lambda figures: start_up_rows(table, figures))
    rows(table, character, "first audio of a one-word Speak", lambda report: character_rows(table, report))
    rows(table, quiz, "question routine and Enter to verdict", lambda report: quiz_rows(table, report))
    rows(table, program, "CPU and memory of the whole program", lambda figures: waiting_rows(table, figures))
    rows(table, drift, "countdown", lambda figures: countdown_row(table, figures))
    rows(table, record, "record replacement", lambda report: record_rows(table, report))
    return table


def main():
    build = os.path.abspath(sys.argv[1])
    began = time.monotonic()
    load_before = os.getloadavg()[0]
    with tempfile.TemporaryDirectory(prefix="vortana-bench-") as scratch:
        screen = PrivateScreen()
        try:
            bus = PrivateBus()
            try:
                environment = dict(os.environ, DISPLAY=screen.display, DBUS_SESSION_BUS_ADDRESS=bus.address)
                environment.pop("QT_QPA_PLATFORM", None)
                table = measure_all(lambda name: os.path.join(build, "bin", name), environment, scratch)
            finally:
                bus.close()
        finally:
            screen.close()
    table.print()
    print("%.0f s; load average %.1f before, %.1f after, on %d cores"
          % (time.monotonic() - began, load_before, os.getloadavg()[0], os.cpu_count()))
    missed = table.missed()
    if missed:
        print("missed: " + "; ".join(missed))
    return 1 if missed else 0


if __name__ == "__main__":
    sys.exit(main())
