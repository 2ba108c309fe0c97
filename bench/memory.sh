#!/usr/bin/env bash
# Peak resident memory of the command line and of the desktop program on a
# generated 100 000-point project. Builds nothing: pass the build folder that
# holds bin/make_project, bin/linvara-cli and bin/linvara.
#
#   bench/memory.sh [build-dir=build-bench] [points=100000] [jstakes=points/50] [towerCentres=points/100]
#
# The 1 000 000-point figures: bench/memory.sh build-bench 1000000 (20 000 J
# stakes, 10 000 tower-base centres); LINVARA_NO_DESKTOP=1 leaves the desktop
# program out (it needs a build with the GUI).
#
# Needs GNU time (/usr/bin/time). The desktop program runs under xvfb-run when
# it is installed: the script waits until the window title names the project
# (xwininfo), lets the list paint, saves a screenshot and stops the program
# with SIGTERM. Without xvfb-run and xwininfo (or with LINVARA_OFFSCREEN=1) it
# runs offscreen and is stopped after LINVARA_WAIT seconds (default 10).
# LINVARA_SCREENSHOT=<dir> keeps the screenshots (xvfb-run only) as PNG files.
set -euo pipefail

build=${1:-build-bench}
points=${2:-100000}
jstakes=${3:-$((points / 50))}
centres=${4:-$((points / 100))}
desktop=1
[ -z "${LINVARA_NO_DESKTOP:-}" ] || desktop=0
bin=$(cd "$build/bin" && pwd)
tools=(make_project linvara-cli)
[ "$desktop" = 0 ] || tools+=(linvara)
for tool in "${tools[@]}"; do
  [ -x "$bin/$tool" ] || { echo "missing $bin/$tool: build it first" >&2; exit 2; }
done
[ -x /usr/bin/time ] || { echo "missing /usr/bin/time (Debian package: time)" >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/linvara-memory.XXXXXX")
trap 'rm -rf "$work"' EXIT
# Recent files and other settings stay out of the user's own.
export XDG_CONFIG_HOME="$work/config"
shots=${LINVARA_SCREENSHOT:-}
[ -z "$shots" ] || mkdir -p "$shots"

"$bin/make_project" "$work/fresh.PD" "$points" "$jstakes" "$centres" >/dev/null
cp "$work/fresh.PD" "$work/route.PD"

rows=()
# peak_of <time -v output>: "peak-MB wall-s"
peak_of() {
  awk -F': ' '/Maximum resident set size/ {kb = $2}
    /Elapsed \(wall clock\)/ {n = split($2, t, ":"); s = 0; for (i = 1; i <= n; i++) s = s * 60 + t[i]}
    END {printf "%.0f %.2f\n", kb / 1024, s}' "$1"
}

# measure <label> <command...>: a command that ends by itself.
measure() {
  local label=$1 out="$work/time.txt"
  shift
  if ! /usr/bin/time -v -o "$out" "$@" >"$work/stdout.txt" 2>"$work/stderr.txt"; then
    echo "failed: $label" >&2
    cat "$work/stderr.txt" >&2
    exit 1
  fi
  read -r mb secs < <(peak_of "$out")
  rows+=("| $label | $mb | $secs |")
}

# The desktop program with a project given, stopped once it shows the list.
# Prints "peak-MB seconds-until-shown (how that was known)".
desktop_peak() {
  local project=$1 shot=$2 out="$work/time-gui.txt"
  if [ -z "${LINVARA_OFFSCREEN:-}" ] && command -v xvfb-run >/dev/null && command -v xwininfo >/dev/null; then
    mkdir -p "$work/fb"
    xvfb-run -a -s "-screen 0 1600x900x24 -fbdir $work/fb" \
      bash "$work/desktop.sh" "$bin/linvara" "$project" "$out" "$work/fb/Xvfb_screen0" "$shot" >"$work/ready.txt"
  else
    QT_QPA_PLATFORM=offscreen /usr/bin/time -v -o "$out" "$bin/linvara" "$project" 2>/dev/null &
    local timer=$!
    sleep "${LINVARA_WAIT:-10}"
    kill -TERM "$(pgrep -P "$timer")" || true
    wait "$timer" || true
    echo "${LINVARA_WAIT:-10} (fixed wait, offscreen)" >"$work/ready.txt"
  fi
  read -r mb secs < <(peak_of "$out")
  echo "$mb $(cat "$work/ready.txt")"
}

# Runs inside the virtual display: starts the program, waits for the project's
# name in a window title, gives the list a moment to paint, then stops it.
cat >"$work/desktop.sh" <<'EOF'
set -u
program=$1 project=$2 out=$3 screen=$4 shot=$5
start=$(date +%s.%N)
/usr/bin/time -v -o "$out" "$program" "$project" 2>/dev/null &
timer=$!
name=$(basename "$project")
for _ in $(seq 1 600); do
  xwininfo -root -tree 2>/dev/null | grep -qF "$name" && break
  sleep 0.1
done
ready=$(date +%s.%N)
sleep 1
[ -z "$shot" ] || cp "$screen" "$shot"
kill -TERM "$(pgrep -P "$timer")"
wait "$timer" || true
awk -v a="$start" -v b="$ready" 'BEGIN {printf "%.2f until the title named the project\n", b - a}'
EOF

# to_png <xwd> <png>: the virtual display's frame buffer as a PNG image.
to_png() {
  python3 - "$1" "$2" <<'EOF'
import struct, sys, zlib
data = open(sys.argv[1], "rb").read()
h = struct.unpack(">25I", data[:100])
size, width, height, order, bpp, stride, ncolours = h[0], h[4], h[5], h[7], h[11], h[12], h[19]
if bpp != 32:
    sys.exit("frame buffer of %d bits per pixel" % bpp)
pixels = data[size + 12 * ncolours:]
r, g, b = (2, 1, 0) if order == 0 else (1, 2, 3)
raw = bytearray()
for y in range(height):
    line = pixels[y * stride:y * stride + 4 * width]
    out = bytearray(3 * width)
    out[0::3], out[1::3], out[2::3] = line[r::4], line[g::4], line[b::4]
    raw += b"\0" + out
def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xffffffff)
with open(sys.argv[2], "wb") as f:
    f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(raw), 6)) + chunk(b"IEND", b""))
EOF
}

measure "linvara-cli info (first open, seeding included)" "$bin/linvara-cli" info "$work/route.PD"
measure "linvara-cli order (自动J桩排序, save)" "$bin/linvara-cli" order "$work/route.PD"
measure "linvara-cli org" "$bin/linvara-cli" org "$work/route.PD" -o "$work/route.org"
measure "linvara-cli export --kind dxf" "$bin/linvara-cli" export "$work/route.PD" -k dxf -o "$work/route.dxf"

for run in first seeded; do
  [ "$desktop" = 1 ] || break
  project="$work/route.PD"
  label="linvara <project> (list shown, already seeded)"
  if [ "$run" = first ]; then
    cp "$work/fresh.PD" "$work/first.PD"
    project="$work/first.PD"
    label="linvara <project> (list shown, first open)"
  fi
  shot=""
  [ -z "$shots" ] || shot="$work/$run.xwd"
  read -r mb shown < <(desktop_peak "$project" "$shot")
  rows+=("| $label | $mb | $shown |")
  if [ -n "$shot" ] && [ -f "$shot" ]; then to_png "$shot" "$shots/desktop-$run.png"; fi
done

echo "$points-point project ($(du -h "$work/route.PD" | cut -f1) on disk after use)"
echo
echo "| command | peak RSS (MB) | wall (s) |"
echo "|---|---:|---:|"
printf '%s\n' "${rows[@]}"
