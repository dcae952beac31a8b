#!/usr/bin/env python3
"""Reads the play log the plain way, as a peer to measure our reader against: Python 3's csv module over
the file decoded as cp932, every record's six items kept and the seconds converted to a number.

    peer_read.py DIR [--runs N]

Prints one JSON line: the median, fastest and every run's wall-clock seconds, the median processor
seconds, and the records read."""
import argparse
import csv
import json
import os
import statistics
import time


def read_log(path):
    records = []
    with open(path, encoding="cp932", newline="") as f:
        for row in csv.reader(f):
            if not row:
                continue
            records.append((row[0], row[1], row[2], float(row[3]), row[4]))
    return records


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("dir")
    parser.add_argument("--runs", type=int, default=7)
    args = parser.parse_args()
    path = os.path.join(args.dir, "データ.txt")
    read_log(path)  # the first run only warms the file cache
    runs, cpu = [], []
    for _ in range(args.runs):
        start, start_cpu = time.perf_counter(), time.process_time()
        records = read_log(path)
        runs.append(time.perf_counter() - start)
        cpu.append(time.process_time() - start_cpu)
    size = os.path.getsize(path)
    print(json.dumps({"median_s": statistics.median(runs), "min_s": min(runs), "runs_s": runs,
                      "cpu_median_s": statistics.median(cpu),
                      "records": len(records), "bytes": size}))


if __name__ == "__main__":
    main()
