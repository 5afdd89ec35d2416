#!/usr/bin/python3
"""The soak's table: one line per fault kind from the per-run results.

    table.py RESULTS

RESULTS has one tab-separated line per run: run, fault kind, start, seconds,
violations, the stored outcome. The table gives, per kind, how many runs,
how many stored a success, the longest run and the violations.
"""
import collections
import sys


def main():
    runs = collections.OrderedDict()
    with open(sys.argv[1]) as f:
        for line in f:
            run, kind, start, seconds, violations, outcome = line.rstrip("\n").split("\t", 5)
            runs.setdefault(kind, []).append((int(seconds), int(violations), outcome))
    print("%-22s %5s %8s %8s %8s %10s" % ("fault", "runs", "success", "mean s", "max s", "violations"))
    total = [0, 0, 0]
    for kind in sorted(runs):
        rows = runs[kind]
        successes = sum(1 for _, _, outcome in rows if outcome.startswith("!!! COMPLETED SUCCESSFULLY"))
        violations = sum(v for _, v, _ in rows)
        seconds = [s for s, _, _ in rows]
        print("%-22s %5d %8d %8.0f %8d %10d" % (kind, len(rows), successes, sum(seconds) / len(seconds),
                                                 max(seconds), violations))
        total = [total[0] + len(rows), total[1] + successes, total[2] + violations]
    print("%-22s %5d %8d %8s %8s %10d" % ("all", total[0], total[1], "", "", total[2]))


if __name__ == "__main__":
    main()
