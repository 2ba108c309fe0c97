#!/usr/bin/env bash
# Runs the same command-line pipeline with two builds on copies of one
# project and compares every output file and every table byte for byte.
# Usage: bench/compare_outputs.sh OLD_CLI NEW_CLI PROJECT.PD [WORKDIR]
set -uo pipefail
OLD=$1 NEW=$2 SRC=$3 WORK=${4:-$(mktemp -d)}
# The result kinds as the new build lists them; both builds write each.
KINDS=$("$NEW" export --list-kinds | cut -f1) || { echo "$NEW export --list-kinds failed" >&2; exit 2; }
run() {  # cli dir
    local cli=$1 dir=$2 p="$2/project/p.PD"
    rm -rf "$dir" && mkdir -p "$dir/project" && cp "$SRC" "$p"
    {
        "$cli" info "$p"
        "$cli" order "$p" --start-mileage 1000
        "$cli" sort "$p" --start-name 7 --offset-range 2.5
        "$cli" order "$p"
        "$cli" info "$p"
        "$cli" org "$p" -o "$dir/out.org"
        "$cli" tow "$p"
        "$cli" towerbase "$p" -o "$dir/tb.org"
        for k in $KINDS; do "$cli" export "$p" --kind "$k" -o "$dir/result-$k.txt"; done
        "$cli" merge "$dir/project" -o "$dir/merged.PD"
        "$cli" merge "$dir/project" -o "$dir/merged.PD"
    } >"$dir/stdout.txt" 2>"$dir/stderr.txt"
    for db in "$p" "$dir/merged.PD"; do
        for t in Electric_DH_Export Electric_DH_Order Electric_Data_TG; do
            sqlite3 "$db" ".mode quote" "SELECT typeof(ID), * FROM $t ORDER BY 2" 2>/dev/null || true
            sqlite3 "$db" "SELECT sql FROM sqlite_master WHERE name='$t'"
        done >"$db.tables.txt"
    done
    cp "$p" "$dir/reset.PD" && "$cli" reset "$dir/reset.PD" --yes >/dev/null 2>&1
    sqlite3 "$dir/reset.PD" ".mode quote" "SELECT * FROM Electric_DH_Export" >"$dir/reset.tables.txt"
    rm -f "$p" "$dir/merged.PD" "$dir/reset.PD"
}
# Both run in the same folder, so the paths they print are the same.
rm -rf "$WORK/old" "$WORK/new"
run "$OLD" "$WORK/run" && mv "$WORK/run" "$WORK/old"
run "$NEW" "$WORK/run" && mv "$WORK/run" "$WORK/new"
if diff -r "$WORK/old" "$WORK/new" >"$WORK/diff.txt"; then
    echo "identical: $(find "$WORK/new" -type f | wc -l) files ($SRC)"
else
    echo "DIFFERENT ($SRC): see $WORK/diff.txt"; head -20 "$WORK/diff.txt"; exit 1
fi
