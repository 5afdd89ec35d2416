#!/usr/bin/python3
"""Reads a copy's run history the way the program does, for the soak.

    history.py FILE [row]

With "row" the file is the row a run under way keeps beside the history (no
header, one row), read as if it followed one. Prints one line: "ours ROWS DAMAGED", then the last row's run outcome and
final action, tab-separated ("-" when there is no row). A file that does not
start with a header of one of the history's formats is not ours (ours=0). A
line without its line end, or one that does not split into its format's
fields, is damaged. The kept row may be of any format.
"""
import csv
import io
import sys

FIRST_FORMAT = ("start,end,run_seconds,node_program,blocks_before,blocks_after,blocks_downloaded,"
                "folder_bytes_before,folder_bytes_after,block_counter_outcome,run_outcome,node_check,final_action")
# Each format adds columns at the end.
HEADERS = [FIRST_FORMAT, FIRST_FORMAT + ",node_exit_seconds"]


def main():
    try:
        with open(sys.argv[1], "rb") as f:
            text = f.read().decode("utf-8", "replace")
    except FileNotFoundError:
        text = ""
    row_only = len(sys.argv) > 2 and sys.argv[2] == "row"
    lines = text.split("\n")
    whole = [True] * (len(lines) - 1) + [False]  # the last piece had no line end
    if not text:
        print("1 0 0\n-\t-")
        return
    if row_only:
        widths = [len(h.split(",")) for h in HEADERS]
        body = zip(lines, whole)
    elif lines[0].rstrip("\r") in HEADERS:
        widths = [len(lines[0].rstrip("\r").split(","))]
        body = zip(lines[1:], whole[1:])
    else:
        print("0 0 0\n-\t-")
        return
    rows, damaged = [], 0
    for line, ended in body:
        line = line.rstrip("\r")
        if not line:
            continue
        fields = next(csv.reader(io.StringIO(line)), [])
        if ended and len(fields) in widths and fields[0][:2] == "20":
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
