"""The printed table: each figure, its budget, and whether it holds."""

HOLDS = "holds"
MISSES = "MISSES"


class Table:
    def __init__(self):
        self.rows = []

    def add(self, figure, value, unit, budget=None, digits=1):
        """A figure with its budget (an upper bound), or an informative line when budget is None."""
        if budget is None:
            verdict = "-"
        else:
            verdict = HOLDS if value <= budget else MISSES
        shown_budget = "<= %g %s" % (budget, unit) if budget is not None else ""
        self.rows.append((figure, "%.*f %s" % (digits, value, unit), shown_budget, verdict))

    def add_text(self, figure, shown):
        """An informative line whose figures are already written out."""
        self.rows.append((figure, shown, "", "-"))

    def add_against(self, figure, value, unit, reference, limit, what, digits=1):
        """A figure held to a multiple (limit as 'N x') or an excess (limit as '+N') of a
        reference measured in the same run, so that the machine's speed cancels out."""
        if isinstance(limit, str):
            allowed = reference + float(limit)
            shown_budget = "<= %s %s %s (%.*f)" % (what, limit, unit, digits, allowed)
            shown = "%.*f %s (%+.*f)" % (digits, value, unit, digits, value - reference)
        else:
            allowed = reference * limit
            shown_budget = "<= %g x %s" % (limit, what)
            shown = "%.*f %s (%.2f x)" % (digits, value, unit, value / reference)
        self.rows.append((figure, shown, shown_budget, HOLDS if value <= allowed else MISSES))

    def failed(self, figure, reason):
        self.rows.append((figure, "no figure", reason[:60], MISSES))

    def missed(self):
        return [row[0] for row in self.rows if row[3] == MISSES]

    def print(self):
        header = ("figure", "measured", "budget", "verdict")
        widths = [max(len(row[i]) for row in [header, *self.rows]) for i in range(4)]
        line = "  ".join("%-*s" if i == 0 else "%*s" for i in range(4))
        rule = "-" * (sum(widths) + 6)
        print(rule)
        print(line % tuple(x for pair in zip(widths, header) for x in pair))
        print(rule)
        for row in self.rows:
            print(line % tuple(x for pair in zip(widths, row) for x in pair))
        print(rule)
