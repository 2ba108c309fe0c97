#!/usr/bin/env python3
"""Runs core_bench and prints a Markdown table: each operation beside its limit
(the sqlite3 shell doing the same work; the writer's own line formats filled in
and written without its logic; the merge's reading and appending alone) and the
ratio of their real times. For writers, "bytes" compares what the limit wrote
with what the writer wrote (1.00 = as many bytes).

Usage: python3 bench/core_ratios.py path/to/core_bench [extra benchmark flags]
"""
import json
import subprocess
import sys

LIMIT_SUFFIXES = ("_Sqlite3Shell", "_FormatAndWrite", "_ReadAndAppend")


def split(name):
    """('BM_Save', '/size:1/real_time', '_Sqlite3Shell' or '')"""
    base, _, args = name.partition("/")
    for suffix in LIMIT_SUFFIXES:
        if base.endswith(suffix):
            return base[: -len(suffix)], args, suffix
    return base, args, ""


def bytes_ratio(limit):
    """The limit's bytes over the writer's, when the limit reports both."""
    if limit.get("writer_bytes"):
        return "%.2f" % (limit["bytes"] / limit["writer_bytes"])
    return ""


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    run = subprocess.run([sys.argv[1], "--benchmark_format=json", *sys.argv[2:]], check=True,
                         stdout=subprocess.PIPE, text=True)
    results = json.loads(run.stdout)["benchmarks"]
    by_key = {}
    for r in results:
        base, args, suffix = split(r["name"])
        by_key.setdefault((base, args), {})[suffix] = r
    print("| operation | args | label | time (ms) | limit | limit (ms) | ratio | bytes |")
    print("|---|---|---|---:|---|---:|---:|---:|")
    for (base, args), entry in by_key.items():
        op = entry.get("")
        if op is None:
            continue
        limit_suffix = next((s for s in LIMIT_SUFFIXES if s in entry), None)
        ms = op["real_time"]  # every case reports in milliseconds
        row = [base[3:], args.replace("/real_time", ""), op.get("label", ""), "%.1f" % ms]
        if limit_suffix:
            limit = entry[limit_suffix]
            lim = limit["real_time"]
            row += [limit_suffix[1:], "%.1f" % lim, "%.2f" % (ms / lim), bytes_ratio(limit)]
        else:
            row += ["", "", "", ""]
        print("| " + " | ".join(row) + " |")


if __name__ == "__main__":
    main()
