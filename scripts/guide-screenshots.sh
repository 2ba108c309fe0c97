#!/usr/bin/env bash
# Takes the pictures of the user guide (docs/images/*.png) again from the demo
# project, on a virtual X screen, so the guide shows the program as it is.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD" -j "$(nproc)" --target gui_guide_screenshots_test
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
xvfb-run -a -s "-screen 0 1400x900x24" env QT_QPA_PLATFORM=xcb LINVARA_GUIDE_SHOTS_DIR="$shots" \
  "$BUILD/bin/gui_guide_screenshots_test"
mkdir -p docs/images
cp "$shots"/*.png docs/images/
# Every picture the guide shows must exist.
missing=0
for image in $(grep -o 'images/[A-Za-z0-9_.-]*\.png' docs/用户手册.md | sort -u); do
  [ -s "docs/$image" ] || { echo "missing docs/$image"; missing=1; }
done
ls -l docs/images
exit $missing
