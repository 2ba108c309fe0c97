#!/usr/bin/env bash
# Tests the Windows build of scripts/windows/build.sh under Wine: the core,
# command-line and desktop tests; the demo pipeline (order, info, org, tow,
# towerbase, every export kind, merge, check, report, import, sort, reset)
# run by the Windows and the Linux programs on copies of examples/demo.PD,
# once under an ASCII path and once under a Chinese folder and file name
# (every output file must be the same bytes; stdout and stderr may differ
# only in line ends); the desktop program started on the demo under Xvfb
# with the Windows platform (its list must be the Linux program's, and a
# screenshot is kept in build-win/smoke/); then the installer: silent install,
# every DLL there, the .PD association, the installed program started, and a
# silent uninstall that leaves nothing behind.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${LINVARA_WIN_BUILD:-$root/build-win}
linux_build=${BUILD:-$root/build}
jobs=${JOBS:-2}

export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1
# One Wine server, started before ctest and detached from it, serves every
# test; otherwise each test program starts and waits out a server of its own.
if wineserver -p 2>/dev/null; then
  trap 'wineserver -k 2>/dev/null || true' EXIT
fi  # else one runs for this prefix already

echo "== Windows tests under Wine"
# Now and then Wine 8 fails a test program before its main() runs, or a
# program hangs on its way out after its test passed: such a test is cut
# off and run again (up to three runs) rather than failing the suite.
# The hang can also strike a test program listing its tests when ctest
# starts; then the whole run is repeated, up to three times. So a test that
# really fails runs nine times before the script gives up: slow, but only
# on the way to a red result.
ok=0
for attempt in 1 2 3; do
  # The desktop's tests need a display even offscreen (Wine's window station).
  if xvfb-run -a -s "-screen 0 1600x1000x24" \
       ctest --test-dir "$build" -j"$jobs" --timeout 60 --repeat until-pass:3 --output-on-failure; then
    ok=1
    break
  fi
  echo "ctest failed (run $attempt of 3)"
done
[ "$ok" -eq 1 ] || exit 1

echo "== Linux program"
if [ ! -f "$linux_build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$linux_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$linux_build" -j"$jobs" --target linvara-cli linvara >/dev/null
linux_cli=$linux_build/bin/linvara-cli
windows_cli=$build/bin/linvara-cli.exe

# The demo pipeline in the current folder on project/NAME.PD; each step's
# streams go to logs/.
pipeline() {
  local run=$1 name=$2 step=0
  mkdir -p logs
  s() {
    step=$((step + 1))
    local rc=0
    $run "$@" >"logs/$step.out" 2>"logs/$step.err" || rc=$?
    echo "$* -> $rc" >>logs/steps
  }
  s order "project/$name.PD"
  s info "project/$name.PD"
  s org "project/$name.PD" -o "$name.org"
  s tow "project/$name.PD"
  s towerbase "project/$name.PD" -o "塔基_$name.org"
  local kind ext
  # Every result kind, as the Linux program lists them (the same table).
  while IFS=$'\t' read -r -u 3 _ kind ext; do
    s export "project/$name.PD" --kind "$kind" -o "result-$kind.$ext"
  done 3< <("$linux_cli" export --list-kinds)
  s merge project -o "merged-$name.PD"
  s check "project/$name.PD"
  # The workbook's parts, less the one holding the time it was written.
  s report "project/$name.PD" -o "成果表-$name.xlsx"
  if [ -f "成果表-$name.xlsx" ]; then
    python3 - "成果表-$name.xlsx" report <<'PY'
import sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as book:
    for part in book.namelist():
        if part != "docProps/core.xml":
            book.extract(part, sys.argv[2])
PY
    rm "成果表-$name.xlsx"
  fi
  # An import stamps its points with the time: compare what reads back.
  s import "result-pn-pc-y-x-h.dat" --style cass -o "imported-$name.PD"
  s info "imported-$name.PD"
  s export "imported-$name.PD" --kind pn-x-y-h-pc -o "imported-$name.dat"
  rm -f "imported-$name.PD"
  s sort "project/$name.PD"
  s export "project/$name.PD" --kind csv -o sorted.CSV
  s reset "project/$name.PD"
  s info "project/$name.PD"
}
run_linux() { "$linux_cli" "$@"; }
# Wine hands the Chinese arguments to the program in the locale's encoding.
# (Only here: ctest under a UTF-8 locale hangs a WAL test in Wine 8.)
run_windows() { LC_ALL=C.UTF-8 wine "$windows_cli" "$@"; }

failed=0
compare_under() {  # folder name, project name
  local base=$build/compare/$1 name=$2 side
  rm -rf "$base"
  for side in linux windows; do
    mkdir -p "$base/$side/project"
    cp "$root/examples/demo.PD" "$base/$side/project/$name.PD"
    (cd "$base/$side" && pipeline "run_$side" "$name")
  done
  local files=0 same=0 f
  while IFS= read -r -d '' f; do
    f=${f#"$base/linux/"}
    files=$((files + 1))
    case $f in
      logs/*.out | logs/*.err)
        if cmp -s <(tr -d '\r' <"$base/linux/$f") <(tr -d '\r' <"$base/windows/$f"); then same=$((same + 1)); else
          echo "DIFFERENT: $1/$f"; diff <(tr -d '\r' <"$base/linux/$f") <(tr -d '\r' <"$base/windows/$f") | head -5 || true; fi ;;
      *)
        if cmp -s "$base/linux/$f" "$base/windows/$f"; then same=$((same + 1)); else echo "DIFFERENT: $1/$f"; fi ;;
    esac
  done < <(find "$base/linux" -type f -print0 | sort -z)
  # Nothing the Windows program wrote may be missing on Linux either.
  local extra
  extra=$(cd "$base/windows" && find . -type f | sed 's|^\./||' | while IFS= read -r g; do [ -f "$base/linux/$g" ] || echo "$g"; done)
  if [ -n "$extra" ]; then echo "ONLY ON WINDOWS in $1: $extra"; failed=1; fi
  echo "$1: $same of $files files identical (streams compared without CR)"
  [ "$same" -eq "$files" ] || failed=1
}

echo "== Demo pipeline, Windows against Linux"
compare_under ascii demo
compare_under "线路资料 演示" "演示工程"
if [ "$failed" -ne 0 ]; then
  echo "Windows and Linux outputs differ"
  exit 1
fi
echo "Windows and Linux outputs identical"

# The desktop program on PROJECT, its window reported into REPORT (and
# REPORT.png, the screen's picture of it) by its --window-report switch.
desktop_report() {  # linvara.exe, project (Unix path), report (Unix path)
  rm -f "$3" "$3.png"
  LC_ALL=C.UTF-8 timeout 180 xvfb-run -a -s "-screen 0 1600x1000x24" \
    wine "$1" "--window-report=$(winepath -w "$3")" "$(winepath -w "$2")" >/dev/null 2>&1 || true
  [ -s "$3" ] && [ -s "$3.png" ]
}
# The list the Linux program shows for the same project: the reference.
linux_rows() {  # project, report
  rm -f "$2"
  QT_QPA_PLATFORM=offscreen HOME=$(dirname "$2")/home XDG_CONFIG_HOME=$(dirname "$2")/home/.config \
    timeout 120 "$linux_build/bin/linvara" "--window-report=$2" "$1" >/dev/null 2>&1 || true
  tail -n +2 "$2"
}
check_window() {  # report, Linux reference, project name
  head -n1 "$1" | grep -q "\\\\$3.PD" || { echo "the window's title does not name the project: $(head -n1 "$1")"; return 1; }
  if ! diff <(tail -n +2 "$1") "$2" >/dev/null; then
    echo "the Windows list differs from the Linux one:"; diff <(tail -n +2 "$1") "$2" | head -5; return 1
  fi
}

echo "== The desktop program under Xvfb, Windows platform"
smoke=$build/smoke
rm -rf "$smoke" && mkdir -p "$smoke/线路资料" "$smoke/linux"
cp "$root/examples/demo.PD" "$smoke/线路资料/演示工程.PD"
cp "$root/examples/demo.PD" "$smoke/linux/演示工程.PD"
linux_rows "$smoke/linux/演示工程.PD" "$smoke/linux/report" >"$smoke/linux-rows"
[ "$(sed -n 's/^rows\t//p' "$smoke/linux/report")" -gt 0 ] || { echo "the Linux program showed no rows"; exit 1; }
desktop_report "$build/bin/linvara.exe" "$smoke/线路资料/演示工程.PD" "$smoke/window" \
  || { echo "linvara.exe showed no window with the project"; exit 1; }
check_window "$smoke/window" "$smoke/linux-rows" 演示工程
echo "linvara.exe shows the demo's $(sed -n 's/^rows\t//p' "$smoke/window") rows; screenshot $smoke/window.png"
# Again on a display scaled to 150 % (Windows' 144 dots an inch).
desktop_dpi='HKCU\Control Panel\Desktop'
wine reg add "$desktop_dpi" /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
cp "$root/examples/demo.PD" "$smoke/线路资料/放大150.PD"
cp "$root/examples/demo.PD" "$smoke/linux/放大150.PD"
linux_rows "$smoke/linux/放大150.PD" "$smoke/linux/report150" >"$smoke/linux-rows150"
scaled=0
desktop_report "$build/bin/linvara.exe" "$smoke/线路资料/放大150.PD" "$smoke/window-150" && scaled=1
wine reg delete "$desktop_dpi" /v LogPixels /f >/dev/null 2>&1
[ "$scaled" -eq 1 ] || { echo "linvara.exe showed no window with the project at 150 %"; exit 1; }
check_window "$smoke/window-150" "$smoke/linux-rows150" 放大150
echo "at 150 % as well; screenshot $smoke/window-150.png"

echo "== Installer, silent install and uninstall"
installer=$(ls "$build"/Linvara-*-win64.exe | head -n1)
target='C:\Linvara-test'
target_unix=$WINEPREFIX/drive_c/Linvara-test
classes='HKLM\Software\Classes'
rm -rf "$target_unix"
# The registration of a run stopped before its uninstall would make the
# installer ask to remove that installation first.
wine reg delete 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Linvara' /f >/dev/null 2>&1 || true
wine "$installer" /S "/D=$target"
for f in bin/linvara.exe bin/linvara-cli.exe bin/Qt6Core.dll bin/plugins/platforms/qwindows.dll \
         bin/plugins/iconengines/qsvgicon.dll bin/translations/qtbase_zh_CN.qm share/proj/proj.db; do
  [ -f "$target_unix/$f" ] || { echo "the installer put no $f in $target"; exit 1; }
done
# Every DLL a program or plugin loads is installed, or is one of Windows' own.
missing=$(find "$target_unix" -iname '*.exe' -o -iname '*.dll' | while IFS= read -r f; do
  x86_64-w64-mingw32-objdump -p "$f" | sed -n 's/^\tDLL Name: //p'
done | sort -fu | grep -viE '^(api|ext)-ms-' | while IFS= read -r dll; do  # API sets: names the loader resolves
  find "$target_unix/bin" "$WINEPREFIX/drive_c/windows/system32" -maxdepth 1 -iname "$dll" | grep -q . || echo "$dll"
done)
[ -z "$missing" ] || { echo "DLLs missing from the installation: $missing"; exit 1; }
wine reg query "$classes\\.PD" /ve 2>/dev/null | grep -q Linvara.Project \
  || { echo "the installer did not associate .PD files"; exit 1; }
wine reg query "$classes\\Linvara.Project\\shell\\open\\command" /ve 2>/dev/null | grep -q 'linvara.exe' \
  || { echo "the .PD association does not start linvara.exe"; exit 1; }
find "$WINEPREFIX/drive_c" -path '*Start Menu*' -name 'Linvara.lnk' | grep -q . \
  || { echo "the installer made no Start-menu entry"; exit 1; }
wine "$target_unix/bin/linvara-cli.exe" info "$(winepath -w "$build/compare/ascii/windows/project/demo.PD")" >/dev/null 2>&1 \
  || { echo "the installed command line does not run"; exit 1; }
cp "$root/examples/demo.PD" "$smoke/线路资料/安装后.PD"
cp "$root/examples/demo.PD" "$smoke/linux/安装后.PD"
linux_rows "$smoke/linux/安装后.PD" "$smoke/linux/report2" >"$smoke/linux-rows2"
desktop_report "$target_unix/bin/linvara.exe" "$smoke/线路资料/安装后.PD" "$smoke/installed" \
  || { echo "the installed linvara.exe showed no window with the project"; exit 1; }
check_window "$smoke/installed" "$smoke/linux-rows2" 安装后
wine "$target\\Uninstall.exe" /S
# The uninstaller runs from a copy of itself and returns at once: wait for it.
for _ in $(seq 60); do
  [ -e "$target_unix" ] || break
  sleep 1
done
[ ! -e "$target_unix" ] || { echo "the uninstaller left behind: $(find "$target_unix" | head -5)"; exit 1; }
! wine reg query "$classes\\Linvara.Project" >/dev/null 2>&1 || { echo "the uninstaller left the .PD association"; exit 1; }
! find "$WINEPREFIX/drive_c" -path '*Start Menu*' -name 'Linvara.lnk' | grep -q . \
  || { echo "the uninstaller left the Start-menu entry"; exit 1; }
echo "installed, started and uninstalled silently: $(basename "$installer")"
