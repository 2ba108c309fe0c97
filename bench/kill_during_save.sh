#!/usr/bin/env bash
# Kills `linvara-cli order` at many moments of its run on a large project and
# checks that the working tables then hold either the whole old list or the
# whole new one, never a mixture.
# Usage: bench/kill_during_save.sh CLI PROJECT.PD [TRIALS] [WORKDIR]
set -uo pipefail
CLI=$1 SRC=$2 TRIALS=${3:-40} WORK=${4:-$(mktemp -d)}
mkdir -p "$WORK"
state() {  # the working tables as one checksum
    sqlite3 "$1" "SELECT * FROM Electric_DH_Export ORDER BY ID; SELECT * FROM Electric_DH_Order ORDER BY Order_ID;" | md5sum | cut -d' ' -f1
}
# The old state: ordered once. The new state: ordered again from another start mileage.
cp "$SRC" "$WORK/old.PD" && "$CLI" order "$WORK/old.PD" >/dev/null 2>&1
cp "$WORK/old.PD" "$WORK/new.PD"
start=$(date +%s%N)
"$CLI" order "$WORK/new.PD" --start-mileage 1000 >/dev/null 2>&1
duration_ms=$(( ($(date +%s%N) - start) / 1000000 ))
OLD=$(state "$WORK/old.PD") NEW=$(state "$WORK/new.PD")
[ "$OLD" != "$NEW" ] || { echo "the two states do not differ"; exit 1; }
old=0 new=0 mixed=0
for i in $(seq 1 "$TRIALS"); do
    cp "$WORK/old.PD" "$WORK/t.PD" && rm -f "$WORK/t.PD-journal"
    delay_ms=$(( duration_ms * 3 * i / (2 * TRIALS) ))  # past the end too: a slower run is still saving
    "$CLI" order "$WORK/t.PD" --start-mileage 1000 >/dev/null 2>&1 &
    pid=$!
    sleep "$(printf '%d.%03d' $((delay_ms / 1000)) $((delay_ms % 1000)))"
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    s=$(state "$WORK/t.PD")  # opening rolls a hot journal back
    if [ "$s" = "$OLD" ]; then old=$((old + 1)); elif [ "$s" = "$NEW" ]; then new=$((new + 1)); else mixed=$((mixed + 1)); cp "$WORK/t.PD" "$WORK/mixed-$i.PD"; fi
done
echo "run ${duration_ms} ms, ${TRIALS} kills: old ${old}, new ${new}, mixed ${mixed}"
[ "$mixed" -eq 0 ]
