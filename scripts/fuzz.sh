#!/usr/bin/env bash
# Fuzzes the readers of files that come from elsewhere with libFuzzer:
#   scripts/fuzz.sh [SECONDS] [TARGET...]
# runs each target (tow, import, project; all by default) for SECONDS
# (default 60). Builds build-fuzz/ with clang, libFuzzer and the address and
# undefined-behaviour sanitizers; needs clang and its runtime
# (apt-get install clang libclang-rt-dev). Each run starts from
# tests/fuzz/corpus/<target>/ and the seeds the target generates; what it
# learns stays in build-fuzz/corpus/<target>/. A crash, a hang (10 s) or
# too much memory leaves its input in build-fuzz/crashes/<target>/ and makes
# the script exit 1: fix the reader, then add the input to
# tests/fuzz/corpus/<target>/, where every test run replays it.
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_EACH=${1:-60}
[ $# -gt 0 ] && shift
TARGETS=("$@")
[ ${#TARGETS[@]} -gt 0 ] || TARGETS=(tow import project)
BUILD=${BUILD:-build-fuzz}
if ! command -v clang++ >/dev/null; then
  echo "fuzz.sh: clang++ not found (apt-get install clang libclang-rt-dev)" >&2
  exit 2
fi

SANITIZE="-fsanitize=address,undefined -fno-sanitize-recover=undefined"
CC=clang CXX=clang++ cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLINVARA_BUILD_GUI=OFF -DLINVARA_BUILD_PLAN=OFF -DLINVARA_FUZZ=ON \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link $SANITIZE" \
  -DCMAKE_EXE_LINKER_FLAGS="$SANITIZE" >/dev/null
build_targets=()
for t in "${TARGETS[@]}"; do build_targets+=("fuzz_$t" "fuzz_${t}_seeds"); done
cmake --build "$BUILD" -j "$(nproc)" --target "${build_targets[@]}"

failed=0
for t in "${TARGETS[@]}"; do
  work="$BUILD/corpus/$t" crashes="$BUILD/crashes/$t"
  mkdir -p "$work" "$crashes"
  "$BUILD/bin/fuzz_${t}_seeds" "$work"
  echo "== $t: ${SECONDS_EACH} s"
  if ! "$BUILD/bin/fuzz_$t" "$work" "tests/fuzz/corpus/$t" -max_total_time="$SECONDS_EACH" \
       -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$crashes/" -print_final_stats=1; then
    echo "== $t: found a failing input in $crashes/" >&2
    failed=1
  fi
done
exit $failed
