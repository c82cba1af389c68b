"""The figures of the whole program: how soon it starts, what it costs in CPU
while the child thinks, and its memory; and the same start-up and memory of a
bare Qt window, launched on the same screen between the game's launches, so
that both meet the same machine."""

import statistics
import time

from program_run import ProgramRun

MS = 1e6
ANIMATING_DELAY_S = 1
ANIMATING_WINDOW_S = 5
RESTING_WINDOW_S = 10
EXTRA_START_UPS = 4
BARE_SETTLE_S = 1


def start_up(run):
    """Milliseconds from launch to each start-up milestone, less the time the
    boxes were open (the child's, not the program's). The animations that come
    before Merlin's first word are taken out as well for the program's own work:
    their length is drawn in the character file."""
    speech = run.wait_for("speech-start")
    asked = run.wait_for("first-question-asked")
    opened, closed = run.times("box-open"), run.times("box-closed")
    boxes = sum(c - o for o, c in zip(opened, closed))
    starts, ends = run.times("request-start"), run.times("request-end")
    animations = sum(end - start for start, end in zip(starts, ends) if end <= speech)
    since_launch = lambda ns: (ns - run.launched_ns - boxes) / MS
    return {
        "own_work": since_launch(speech) - animations / MS,
        "first_question_asked": since_launch(asked),
        "first_request": since_launch(starts[0]),
        "animations": animations / MS,
        "first_speech": since_launch(speech),
        "boxes": boxes / MS,
    }


def bare_window(program, environment):
    """Launch to first paint, then its memory once it has settled."""
    run = ProgramRun(program, environment)
    try:
        painted = run.wait_for("first-paint")
        time.sleep(BARE_SETTLE_S)
        return dict(memory(run), first_paint=(painted - run.launched_ns) / MS)
    finally:
        run.stop()


def memory(run):
    return {"peak_resident_mb": run.peak_resident_kib() * 1024 / 1e6, "private_mb": run.private_kib() * 1024 / 1e6}


def memory_through_first_question(program, environment):
    """Memory once the first question has been spoken, on its own run (at another scale)."""
    run = ProgramRun(program, environment)
    try:
        run.wait_for("character-idle", after=run.wait_for("speech-start", 2))
        return memory(run)
    finally:
        run.stop()


def median_of(runs):
    return {key: statistics.median(run[key] for run in runs) for key in runs[0]}


def measure(program, bare, environment):
    figures = {}
    bares = []
    run = ProgramRun(program, environment)
    try:
        starts = [start_up(run)]
        speech = run.wait_for("speech-start")
        run.sleep_until(speech + ANIMATING_DELAY_S * 1_000_000_000)
        figures["cpu_animating"] = run.cpu_percent(ANIMATING_WINDOW_S)
        question = run.wait_for("speech-start", 2)
        figures["first_question_speech"] = (question - run.launched_ns) / MS - starts[0]["boxes"]
        run.wait_for("character-idle", after=question)
        figures["cpu_resting"] = run.cpu_percent(RESTING_WINDOW_S)
        figures.update(memory(run))
    finally:
        run.stop()
    for _ in range(EXTRA_START_UPS):
        bares.append(bare_window(bare, environment))
        run = ProgramRun(program, environment)
        try:
            starts.append(start_up(run))
        finally:
            run.stop()
    bares.append(bare_window(bare, environment))
    figures["bare"] = median_of(bares)
    figures["start_up"] = median_of(starts)
    figures["start_up_runs"] = starts
    doubled = dict(environment, QT_SCALE_FACTOR="2")
    figures["scale_2"] = memory_through_first_question(program, doubled)
    figures["bare_scale_2"] = bare_window(bare, doubled)
    return figures
