#!/usr/bin/env bash
# Builds the benchmarks in Release and prints every table: the core operations
# beside their limits, the desktop beside its limits, and peak memory.
#
#   bench/run.sh [build-dir=build-bench]
#
# Extra Google Benchmark flags go in BENCH_FLAGS (default: --benchmark_min_time=0.5).
# LINVARA_BENCH_1M=1 adds the 1 000 000-point size (20 000 J stakes) to the
# core operations and a memory table of the command line at that size; it takes
# many minutes and a few GB, so it is never on by default.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
flags=${BENCH_FLAGS:---benchmark_min_time=0.5}

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLINVARA_BUILD_BENCH=ON -DLINVARA_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target core_bench desktop_bench make_project linvara linvara-cli

echo "## Core operations"
python3 bench/ratios.py "$build/bin/core_bench" $flags
echo
echo "## Desktop"
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} python3 bench/ratios.py "$build/bin/desktop_bench" $flags
echo
echo "## Peak memory"
bench/memory.sh "$build"
if [ "${LINVARA_BENCH_1M:-}" = 1 ]; then
  echo
  LINVARA_NO_DESKTOP=1 bench/memory.sh "$build" 1000000
fi
