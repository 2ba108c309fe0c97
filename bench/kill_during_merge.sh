#!/usr/bin/env bash
# Kills `linvara-cli merge` at many moments and checks that every source is in
# the target whole or not at all: its points, their order rows and the
# tower-base rows, never a part of them.
# Usage: bench/kill_during_merge.sh CLI MAKE_PROJECT [SOURCES] [TRIALS] [WORKDIR]
set -uo pipefail
CLI=$1 MAKE=$2 SOURCES=${3:-20} TRIALS=${4:-40} WORK=${5:-$(mktemp -d)}
mkdir -p "$WORK/src"
"$MAKE" "$WORK/one.PD" 2000 40 20 >/dev/null
for i in $(seq -w 1 "$SOURCES"); do
    cp "$WORK/one.PD" "$WORK/src/line$i.PD"
    "$CLI" info "$WORK/src/line$i.PD" >/dev/null  # working tables made once, outside the kills
done
points=$(sqlite3 "$WORK/src/line01.PD" "SELECT count(*) FROM Electric_DH_Export")
tower=$(sqlite3 "$WORK/src/line01.PD" "SELECT count(*) FROM Electric_Data_TG")
start=$(date +%s%N)
"$CLI" merge "$WORK/src" -o "$WORK/full.PD" >/dev/null 2>&1
duration_ms=$(( ($(date +%s%N) - start) / 1000000 ))
whole=0 broken=0
for t in $(seq 1 "$TRIALS"); do
    rm -f "$WORK/t.PD" "$WORK/t.PD-journal"
    delay_ms=$(( duration_ms * t / TRIALS ))
    "$CLI" merge "$WORK/src" -o "$WORK/t.PD" >/dev/null 2>&1 &
    pid=$!
    sleep "$(printf '%d.%03d' $((delay_ms / 1000)) $((delay_ms % 1000)))"
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    [ -f "$WORK/t.PD" ] || { whole=$((whole + 1)); continue; }
    ok=1
    # Each source's points all there or none (GPS_IDs end with the source's name).
    for i in $(seq -w 1 "$SOURCES"); do
        n=$(sqlite3 "$WORK/t.PD" "SELECT count(*) FROM Electric_DH_Export WHERE GPS_ID LIKE '%\\_line$i' ESCAPE '\\'" 2>/dev/null || echo 0)
        [ "$n" = 0 ] || [ "$n" = "$points" ] || ok=0
    done
    # No order row without its point, no point without its order row.
    o=$(sqlite3 "$WORK/t.PD" "SELECT (SELECT count(*) FROM Electric_DH_Order o WHERE NOT EXISTS (SELECT 1 FROM Electric_DH_Export e WHERE e.GPS_ID = o.GPS_ID)) + (SELECT count(*) FROM Electric_DH_Export e WHERE NOT EXISTS (SELECT 1 FROM Electric_DH_Order o WHERE o.GPS_ID = e.GPS_ID))" 2>/dev/null || echo 0)
    [ "$o" = 0 ] || ok=0
    # The copies share their tower-base rows: they go in once, with the first source.
    g=$(sqlite3 "$WORK/t.PD" "SELECT count(*) FROM Electric_Data_TG" 2>/dev/null || echo 0)
    [ "$g" = 0 ] || [ "$g" = "$tower" ] || ok=0
    if [ $ok = 1 ]; then whole=$((whole + 1)); else broken=$((broken + 1)); cp "$WORK/t.PD" "$WORK/broken-$t.PD"; fi
done
echo "merge of ${SOURCES} sources ${duration_ms} ms, ${TRIALS} kills: whole ${whole}, broken ${broken}"
[ "$broken" -eq 0 ]
