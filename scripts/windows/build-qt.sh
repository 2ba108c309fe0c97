#!/usr/bin/env bash
# Builds Qt for 64-bit Windows (MinGW-w64, posix threads) for the desktop
# program's cross build, from Debian's source packages: qtbase with the
# modules the program and its tests use (Core, Gui, Widgets, PrintSupport,
# Network for the single-instance channel, Test) and qtsvg (icons, plan
# export). The host's Qt tools (qt6-base-dev-tools: moc, rcc, uic) run the
# build, so Qt is built at their version.
#
# Qt is installed into $LINVARA_CACHE/qt-mingw-<Qt version>-<hash of this
# script> (default /var/cache/linvara) and that folder is printed on stdout,
# the only line there (the build talks on stderr), so
#   qt=$(bash scripts/windows/build-qt.sh)
# works. A folder holding the stamp file (written last) is complete and is
# used as it is. The build happens in $LINVARA_CACHE/build/qt-mingw-..., so
# a run that was stopped resumes where it stopped; it is removed once Qt is
# installed.
# Usage: build-qt.sh            build if needed, print the folder
#        build-qt.sh --prefix   only print the folder (e.g. as a cache key)
set -euo pipefail
self=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/$(basename "${BASH_SOURCE[0]}")
root=$(cd "$(dirname "$self")/../.." && pwd)
cache=${LINVARA_CACHE:-/var/cache/linvara}
third_party=${LINVARA_THIRD_PARTY:-$(cd "$root/.." && pwd)/shared/third_party}
jobs=${JOBS:-2}
triple=x86_64-w64-mingw32
stamp=.linvara-qt-complete

say() { echo "$@" >&2; }
fail() { say "build-qt.sh: $*"; exit 1; }

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
install_packages() {
  local need=() pkg
  for pkg in g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix libz-mingw-w64-dev \
             qt6-base-dev qt6-base-dev-tools dpkg-dev cmake ninja-build ccache xz-utils; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'ok installed' || need+=("$pkg")
  done
  if [ ${#need[@]} -gt 0 ]; then
    $SUDO apt-get -o DPkg::Lock::Timeout=900 update -q >&2
    $SUDO apt-get -o DPkg::Lock::Timeout=900 install -y -q --no-install-recommends "${need[@]}" >&2
  fi
}

# The key: the host tools' Qt version (the Debian revision only picks the
# source package) and this script, which holds every switch.
host_version() {
  local v
  v=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools 2>/dev/null || true)
  [ -n "$v" ] || v=$(apt-cache policy qt6-base-dev-tools | sed -n 's/^ *Candidate: //p')
  if [ -z "$v" ] || [ "$v" = "(none)" ]; then fail "no qt6-base-dev-tools package known to apt"; fi
  echo "$v"
}
upstream() { local v=${1#*:}; echo "${v%%[+~-]*}"; }

if [ "${1:-}" != "--prefix" ]; then install_packages; fi
debian_version=$(host_version)
qt_version=$(upstream "$debian_version")
key=qt-mingw-$qt_version-$(sha256sum "$self" | cut -c1-12)
prefix=$cache/$key
if [ "${1:-}" = "--prefix" ] || [ -f "$prefix/$stamp" ]; then
  echo "$prefix"
  exit 0
fi

build=$cache/build/$key
src=$cache/build/qt-src-$debian_version
if [ ! -w "$cache" ] && [ -n "$SUDO" ]; then
  $SUDO mkdir -p "$cache" && $SUDO chown "$(id -u):$(id -g)" "$cache"
fi
mkdir -p "$prefix" "$build" "$src"
say "== Qt $qt_version for Windows into $prefix"

# qtbase: the host tools' own source package, with Debian's patches (its
# security fixes among them) applied by the unpacking.
bash "$root/scripts/windows/fetch-sources.sh" "$src" "qt6-base=$debian_version" >&2
base=$(ls -d "$src"/qt6-base-*/ | head -n1)
base=${base%/}
series=$(grep -v '^[[:space:]]*#' "$base/debian/patches/series" | sed '/^[[:space:]]*$/d')
applied=$(cat "$base/.pc/applied-patches" 2>/dev/null || true)
[ "$series" = "$applied" ] || fail "not all of Debian's patches are applied in $base"

# qtsvg: Debian's source package when the archive serves it, else the same
# module from the third-party folder.
svg=""
if bash "$root/scripts/windows/fetch-sources.sh" "$src" qt6-svg >&2; then
  svg=$(ls -d "$src"/qt6-svg-*/ | head -n1)
  svg=${svg%/}
  v=$(dpkg-parsechangelog -l "$svg/debian/changelog" -S Version)
  if [ "$(upstream "$v")" != "$qt_version" ]; then
    say "qt6-svg source package is $v, not Qt $qt_version: not used"
    svg=""
  fi
fi
if [ -z "$svg" ]; then
  tarball=$third_party/qtsvg-everywhere-src-$qt_version.tar.xz
  [ -f "$tarball" ] || fail "no qt6-svg source package and no $tarball"
  say "qt6-svg: from $tarball"
  svg=$src/qtsvg-everywhere-src-$qt_version
  [ -d "$svg" ] || tar -xJf "$tarball" -C "$src"
fi

# Its own toolchain file (not cmake/toolchain-mingw64.cmake: Qt's DLLs take
# the shared C++ runtime, and nothing of the build machine may be found). It
# lives in the Qt folder because Qt's installed qt.toolchain.cmake refers to it.
# Written only when it differs: a newer file makes a resumed build configure
# again.
toolchain=$prefix/lib/cmake/linvara-mingw64-toolchain.cmake
mkdir -p "$(dirname "$toolchain")"
cat >"$toolchain.new" <<EOF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER $triple-gcc-posix)
set(CMAKE_CXX_COMPILER $triple-g++-posix)
set(CMAKE_RC_COMPILER $triple-windres)
set(CMAKE_AR $triple-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB $triple-gcc-ranlib-posix CACHE FILEPATH "")
set(CMAKE_FIND_ROOT_PATH /usr/$triple "$prefix")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(ENV{PKG_CONFIG_LIBDIR} "/usr/$triple/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
EOF
if cmp -s "$toolchain.new" "$toolchain"; then rm "$toolchain.new"; else mv "$toolchain.new" "$toolchain"; fi

# Both source folders lie at the same depth below the build root, so
# ccache sees the same relative paths whatever the key; it caches what is
# compiled with Qt's precompiled headers only when told to.
export CCACHE_BASEDIR=$cache/build
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
common=(-G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release
        -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF)

# Off: modules the program does not use; TLS (the program only talks to
# itself through a local socket; Schannel has to go explicitly or 6.4.2
# still builds it and stops); OpenGL, as "-no-opengl" says it (configure
# stops on FEATURE_opengl=OFF alone), and dynamic OpenGL, which the Windows
# platform plugin would otherwise still compile; tablet events,
# whose wintab headers Debian's tarball leaves out. Direct2D and HarfBuzz
# stay: PrintSupport and the platform plugin need the former's font engine.
qtbase_switches=(
  -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
  -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_opengl_dynamic=OFF -DFEATURE_vulkan=OFF
  -DFEATURE_ssl=OFF -DFEATURE_schannel=OFF
  -DFEATURE_tabletevent=OFF
)
# What the program and its tests use. Qt turns a feature off by itself when
# another it depends on is off (print preview without graphics view, ...),
# with no more than a warning: such a build is refused.
needed_qtbase=(
  gui widgets printsupport network testlib
  library process regularexpression settings translation mimetype xmlstreamreader
  sortfilterproxymodel standarditemmodel pdf desktopservices draganddrop imageformat_png
  wheelevent validator undostack undocommand action harfbuzz direct2d
  printer printdialog printpreviewdialog printpreviewwidget
  filedialog messagebox dockwidget mainwindow menu menubar toolbar toolbutton statusbar
  tableview tablewidget listwidget spinbox combobox progressbar groupbox radiobutton
  checkbox buttongroup stackedwidget textedit dialogbuttonbox formlayout lineedit
  contextmenu style_windowsvista
  localserver
)
# qtsvg has no switches of its own: its DLLs and plugins are checked below.
needed_qtsvg=()

check_features() {  # build-dir log feature...
  local dir=$1 log=$2 f bad=()
  shift 2
  for f in "$@"; do
    if grep -q "Reset FEATURE_$f value" "$log" || ! grep -qx "QT_FEATURE_$f:INTERNAL=ON" "$dir/CMakeCache.txt"; then
      bad+=("$f")
    fi
  done
  [ ${#bad[@]} -eq 0 ] || fail "Qt features the program needs are off (see $log): ${bad[*]}"
}

build_module() {  # name source-dir "needed features" cmake-options...
  local name=$1 dir=$2 needed=()
  read -ra needed <<<"$3"
  shift 3
  local b=$build/$name log=$build/$name-configure.log
  if [ ! -f "$b.configured" ]; then
    say "== $name: configure (log: $log)"
    rm -rf "$b"
    cmake -S "$dir" -B "$b" "${common[@]}" "$@" >"$log" 2>&1 || { tail -n 40 "$log" >&2; fail "$name: configure failed"; }
    check_features "$b" "$log" "${needed[@]}"
    touch "$b.configured"
  fi
  say "== $name: build ($(ninja -C "$b" -n 2>/dev/null | grep -c '^\[' || true) steps to go)"
  cmake --build "$b" -j"$jobs" >&2
  cmake --install "$b" >&2
}

build_module qtbase "$base" "${needed_qtbase[*]}" -DCMAKE_INSTALL_PREFIX="$prefix" "${qtbase_switches[@]}"
build_module qtsvg "$svg" "${needed_qtsvg[*]}" -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix"

for f in "$prefix"/bin/Qt6{Core,Gui,Widgets,PrintSupport,Network,Test,Svg}.dll \
         "$prefix"/plugins/platforms/qwindows.dll "$prefix"/plugins/iconengines/qsvgicon.dll \
         "$prefix"/plugins/imageformats/qsvg.dll; do
  [ -f "$f" ] || fail "missing after the install: $f"
done
{
  echo "Qt $qt_version for $triple, built by scripts/windows/build-qt.sh"
  echo "qtbase: Debian qt6-base $debian_version"
  echo "qtsvg: $(basename "$svg")"
  echo "switches: ${qtbase_switches[*]}"
} >"$prefix/$stamp"
rm -rf "$build"
say "== Qt installed: $prefix ($(du -sh "$prefix" | cut -f1))"
echo "$prefix"
