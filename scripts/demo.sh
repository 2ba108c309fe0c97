#!/usr/bin/env bash
# The main job on the bundled demo project: builds, then opens a copy of
# examples/demo.PD, orders it and writes every output into demo-out/.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD" -j "$(nproc)" --target linvara-cli
CLI="$BUILD/bin/linvara-cli"
OUT=demo-out
rm -rf "$OUT" && mkdir -p "$OUT"
cp examples/demo.PD "$OUT/demo.PD"
"$CLI" order "$OUT/demo.PD"
"$CLI" info "$OUT/demo.PD"
echo "Outputs in $OUT/:"
ls -1 "$OUT"
