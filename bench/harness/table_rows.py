"""The table's rows, in the order the figures are listed, from what was measured."""


def start_up_rows(table, figures):
    start = figures["start_up"]
    table.add("start-up: launch to Merlin's first word, program's own work", start["own_work"], "ms", 250)
    table.add("  launch to the first question asked (its handler done)", start["first_question_asked"], "ms", 250)
    table.add("  launch to the character's first request", start["first_request"], "ms")
    table.add("  animations before the first word (their length is design)", start["animations"], "ms")
    table.add("  launch to Merlin's first word, animations included", start["first_speech"], "ms")
    table.add("  launch to the first question's first word (after the intro)", figures["first_question_speech"], "ms")


def character_rows(table, report):
    if report.entry("BM_FirstBufferOneWordInGame").get("label") != "private PulseAudio server":
        raise RuntimeError("no sound server: the voice was only paced")
    table.add("first audio of a one-word Speak at the head of the queue",
              report.milliseconds("BM_FirstBufferOneWordInGame"), "ms", 30, 2)
    table.add("  the same on an idle queue, its synthesis included",
              report.milliseconds("BM_FirstBufferOneWordIdleQueue"), "ms", 30, 2)


def quiz_rows(table, report):
    table.add("question routine with the backdrop, ratio 1",
              report.milliseconds("questionWithBackdrop/1", "median"), "ms", 5, 2)
    table.add("question routine with the backdrop, ratio 2",
              report.milliseconds("questionWithBackdrop/2", "median"), "ms", 10, 2)
    verdict = max(report.milliseconds("enterToVerdict/%d" % right, "median") for right in (0, 1))
    table.add("Enter to verdict (the handler, right or wrong)", verdict, "ms", 1, 3)


def waiting_rows(table, figures):
    table.add("CPU waiting for an answer, character resting (10 s)", figures["cpu_resting"], "%", 1, 2)
    table.add("CPU while the character animates and talks (5 s)", figures["cpu_animating"], "%", 10, 2)
    table.add("peak resident memory of the whole program", figures["peak_resident_mb"], "MB", 80)


def countdown_row(table, drift):
    table.add("countdown: tick 420's lateness, from %d ticks (worst %.1f + 420 x %.4f)"
              % (drift["ticks"], drift["worst_ms"], max(drift["drift_ms_per_tick"], 0)),
              drift["projected_tick_420_ms"], "ms", 50)


def record_rows(table, report):
    table.add("record replacement, both files (lock, one flush, renames)",
              report.milliseconds("replaceRecordPair", "median"), "ms", 5, 2)
    table.add("  before: each file synced, renamed, its directory synced",
              report.milliseconds("replaceRecordFilesOneByOne", "median"), "ms", None, 2)
    table.add("  the disk's floor: one small new file written and synced",
              report.milliseconds("syncOneNewFile", "median"), "ms", None, 2)
