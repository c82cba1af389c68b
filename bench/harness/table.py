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
