#!/usr/bin/env python3
"""Runs a benchmark program with JSON output and prints a Markdown table: every
case beside its limits and the ratio of their real times. A limit is a case
named like another case plus "_Suffix" (BM_PlanPaintFull_Dots is the limit of
BM_PlanPaintFull, BM_Save_Sqlite3Shell that of BM_Save) with the same
arguments. Counters are shown as well; a writer's limit that reports
"writer_bytes" shows its own bytes over the writer's as "bytes" (1.00 = as
many bytes).

Usage: python3 bench/ratios.py path/to/core_bench|desktop_bench [extra benchmark flags]
"""
import json
import subprocess
import sys

TIME_UNITS_MS = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}
NOT_COUNTERS = {"items_per_second", "writer_bytes", "name", "run_name", "run_type", "repetitions", "repetition_index", "threads", "iterations",
                "real_time", "cpu_time", "time_unit", "family_index", "per_family_instance_index", "label",
                "aggregate_name", "aggregate_unit", "error_occurred", "error_message"}


def milliseconds(result):
    return result["real_time"] * TIME_UNITS_MS[result.get("time_unit", "ns")]


def counters(result, besides=None):
    """The user counters as "name=value", leaving out those equal in `besides`."""
    shown = []
    if result.get("writer_bytes"):
        shown.append("bytes=%.2f" % (result["bytes"] / result["writer_bytes"]))
        besides = dict(besides or {}, bytes=result["bytes"])
    for key, value in result.items():
        if key in NOT_COUNTERS or not isinstance(value, (int, float)):
            continue
        if besides is not None and besides.get(key) == value:
            continue
        shown.append("%s=%s" % (key, ("%.1f" % value) if value != int(value) else "%d" % value))
    return " ".join(shown)


def pair_up(results):
    """[(operation, [limits])] in the program's order; a limit is named after its operation."""
    cases = {}
    order = []
    for r in results:
        if r.get("run_type", "iteration") != "iteration":
            continue
        base, _, args = r["name"].partition("/")
        cases[(base, args)] = r
        order.append((base, args))
    limits = {}
    operations = []
    for base, args in order:
        parent = base
        while "_" in parent[3:]:
            parent = parent.rsplit("_", 1)[0]
            if (parent, args) in cases:
                limits.setdefault((parent, args), []).append((base[len(parent) + 1:], cases[(base, args)]))
                break
        else:
            operations.append((base, args))
    return [(cases[key], key, limits.get(key, [])) for key in operations]


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    run = subprocess.run([sys.argv[1], "--benchmark_format=json", *sys.argv[2:]], check=True,
                         stdout=subprocess.PIPE, text=True)
    results = json.loads(run.stdout)["benchmarks"]
    failed = [r["name"] for r in results if r.get("error_occurred")]
    if failed:
        sys.exit("failed: " + ", ".join(failed))
    print("| operation | args | label | time (ms) | limit | limit (ms) | ratio | counters |")
    print("|---|---|---|---:|---|---:|---:|---|")
    for op, (base, args), limits in pair_up(results):
        ms = milliseconds(op)
        args = args.replace("/real_time", "").replace("real_time", "")
        row = [base[3:], args, op.get("label", ""), "%.1f" % ms]
        if not limits:
            print("| " + " | ".join(row + ["", "", "", counters(op)]) + " |")
        for suffix, limit in limits:
            lim = milliseconds(limit)
            shown = counters(op)
            own = counters(limit, op)
            if own:
                shown += " (limit: %s)" % own
            print("| " + " | ".join(row + [suffix, "%.1f" % lim, "%.2f" % (ms / lim), shown.strip()]) + " |")


if __name__ == "__main__":
    main()
