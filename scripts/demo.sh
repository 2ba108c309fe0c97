#!/usr/bin/env bash
# The main job on the bundled demo project: builds the command line, then
# works on a copy of examples/demo.PD (the bundled file stays untouched):
# opens and orders it, converts it to ORG, writes the TOW and tower-base
# files and every result kind, and merges it into a new project. Everything
# lands in demo-out/.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD" -j "$(nproc)" --target linvara-cli
CLI="$BUILD/bin/linvara-cli"
OUT=demo-out
rm -rf "$OUT" && mkdir -p "$OUT/project"
DEMO="$OUT/project/demo.PD"
cp examples/demo.PD "$DEMO"

"$CLI" order "$DEMO"
"$CLI" info "$DEMO"
"$CLI" org "$DEMO" -o "$OUT/demo.org"
"$CLI" tow "$DEMO"
"$CLI" towerbase "$DEMO" -o "$OUT/towerbase.org"
# Every result kind the program knows, with its own extension.
while IFS=$'\t' read -r -u 3 _ kind ext; do
  "$CLI" export "$DEMO" --kind "$kind" -o "$OUT/result-$kind.$ext"
done 3< <("$CLI" export --list-kinds)
"$CLI" merge "$OUT/project" -o "$OUT/merged.PD"

echo "Outputs in $OUT/:"
ls -1 "$OUT"
