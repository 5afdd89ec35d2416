#!/usr/bin/python3
"""Reads a copy's run history the way the program does, for the soak.

    history.py FILE [row]

With "row" the file is the row a run under way keeps beside the history (no
header, one row), read as if it followed one. Prints one line: "ours ROWS DAMAGED", then the last row's run outcome and
final action, tab-separated ("-" when there is no row). A file that does not
start with the history's header is not ours (ours=0). A line without its
line end, or one that does not split into the 13 fields, is damaged.
"""
import csv
import io
import sys

HEADER = ("start,end,run_seconds,node_program,blocks_before,blocks_after,blocks_downloaded,"
          "folder_bytes_before,folder_bytes_after,block_counter_outcome,run_outcome,node_check,final_action")


def main():
    try:
        with open(sys.argv[1], "rb") as f:
            text = f.read().decode("utf-8", "replace")
    except FileNotFoundError:
        text = ""
    if len(sys.argv) > 2 and sys.argv[2] == "row" and text:
        text = HEADER + "\n" + text
    lines = text.split("\n")
    whole = [True] * (len(lines) - 1) + [False]  # the last piece had no line end
    if not text:
        print("1 0 0\n-\t-")
        return
    if lines[0].rstrip("\r") != HEADER:
        print("0 0 0\n-\t-")
        return
    rows, damaged = [], 0
    for line, ended in zip(lines[1:], whole[1:]):
        line = line.rstrip("\r")
        if not line:
            continue
        fields = next(csv.reader(io.StringIO(line)), [])
        if ended and len(fields) == 13 and fields[0][:2] == "20":
            rows.append(fields)
        else:
            damaged += 1
    print("1 %d %d" % (len(rows), damaged))
    if rows:
        print("%s\t%s" % (rows[-1][10] or "-", rows[-1][12] or "-"))
    else:
        print("-\t-")


if __name__ == "__main__":
    main()
