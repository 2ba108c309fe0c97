#!/usr/bin/env python3
"""Runs core_bench and prints a Markdown table: each operation beside its limit
(the sqlite3 shell doing the same work, or formatting plus writing as many bytes)
and the ratio of their real times.

Usage: python3 bench/core_ratios.py path/to/core_bench [extra benchmark flags]
"""
import json
import subprocess
import sys

LIMIT_SUFFIXES = ("_Sqlite3Shell", "_FormatAndWrite")


def split(name):
    """('BM_Save', '/size:1/real_time', '_Sqlite3Shell' or '')"""
    base, _, args = name.partition("/")
    for suffix in LIMIT_SUFFIXES:
        if base.endswith(suffix):
            return base[: -len(suffix)], args, suffix
    return base, args, ""


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
    print("| operation | args | label | time (ms) | limit | limit (ms) | ratio |")
    print("|---|---|---|---:|---|---:|---:|")
    for (base, args), entry in by_key.items():
        op = entry.get("")
        if op is None:
            continue
        limit_suffix = next((s for s in LIMIT_SUFFIXES if s in entry), None)
        ms = op["real_time"]  # every case reports in milliseconds
        row = [base[3:], args.replace("/real_time", ""), op.get("label", ""), "%.1f" % ms]
        if limit_suffix:
            lim = entry[limit_suffix]["real_time"]
            row += [limit_suffix[1:], "%.1f" % lim, "%.2f" % (ms / lim)]
        else:
            row += ["", "", ""]
        print("| " + " | ".join(row) + " |")


if __name__ == "__main__":
    main()
