#!/usr/bin/python3
"""The soak's fault schedule: one line per run, "RUN FAULT START", from a seed.

    schedule.py RUNS SEED [rotate]

The same seed always gives the same schedule. Every run of a block of as many
runs as there are fault kinds has a different kind, so fifty runs cover each
kind three times or more. With "rotate" the kinds simply follow each other
from an offset the seed picks, so that short soaks with changing seeds (one a
commit) take turns over every kind. SOAK_KINDS in the environment (kinds
separated by blanks) limits the schedule to those kinds, to chase one fault.
"""
import os
import random
import sys

KINDS = [
    "none",
    "mines_during_sync",
    "network_gone",
    "node_killed",
    "node_cannot_start",
    "client_hangs",
    "stop_hangs_node_left",
    "program_sigkill",
    "program_sigterm",
    "display_gone",
    "mail_down",
    "history_cut",
    "disk_full",
    "second_start",
    "report_mail_slow",
]
STARTS = ["plain", "catch_up", "xvfb"]


def main():
    runs, seed = int(sys.argv[1]), sys.argv[2]
    rotate = len(sys.argv) > 3 and sys.argv[3] == "rotate"
    rng = random.Random(seed)
    if os.environ.get("SOAK_KINDS"):
        KINDS[:] = [k for k in KINDS if k in os.environ["SOAK_KINDS"].split()]
    kinds = []
    if rotate:
        offset = rng.randrange(len(KINDS))
        kinds = [KINDS[(offset + i) % len(KINDS)] for i in range(runs)]
    while len(kinds) < runs:
        block = KINDS[:]
        rng.shuffle(block)
        kinds += block
    for run, kind in enumerate(kinds[:runs], 1):
        # A display that is gone is a start of its own: no Xvfb, no offscreen.
        start = "plain" if kind == "display_gone" else rng.choice(STARTS)
        # When a signal or a second start comes, in seconds after the start:
        # the countdown is 11 s, the node is up a few seconds later.
        delay = rng.randint(14, 40)
        print(run, kind, start, delay)


if __name__ == "__main__":
    main()
