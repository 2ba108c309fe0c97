#!/usr/bin/env bash
# Cross-builds Linvara for 64-bit Windows into build-win/: the desktop program
# linvara.exe, the command line linvara-cli.exe and all their tests.
#
# Installs MinGW-w64 (posix threads), Wine and NSIS, then builds the
# libraries Debian has no MinGW packages of from their Debian source
# packages into build-win-deps/sysroot (kept between runs): SQLite (the
# amalgamation generated from the sqlite3 source, Debian's compile options),
# SQLiteCpp, GoogleTest, CLI11, libxlsxwriter, libzip (for KMZ; both with
# Debian's MinGW zlib) and PROJ (with proj.db). Qt comes from
# build-qt.sh, which builds it once into a folder outside the clone (about
# 15-40 minutes on two cores) and reuses it after. Ends with the packages
# Linvara-<version>-win64.zip and Linvara-<version>-win64.exe (the
# installer) in build-win/.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
deps=${LINVARA_WIN_DEPS:-$root/build-win-deps}
build=${LINVARA_WIN_BUILD:-$root/build-win}
sysroot=$deps/sysroot
jobs=${JOBS:-2}
triple=x86_64-w64-mingw32

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
need=()
for pkg in g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix libz-mingw-w64-dev \
           wine wine64 nsis dpkg-dev tcl sqlite3 cmake ninja-build ccache zip \
           python3 librsvg2-bin qt6-translations-l10n fontconfig fonts-noto-cjk xvfb xauth; do
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'ok installed' || need+=("$pkg")
done
if [ ${#need[@]} -gt 0 ]; then
  $SUDO apt-get -o DPkg::Lock::Timeout=900 update -q
  $SUDO apt-get -o DPkg::Lock::Timeout=900 install -y -q --no-install-recommends "${need[@]}"
fi

# Compiler cache hits in any clone of the project, wherever it lies.
export CCACHE_BASEDIR=$root

cross=(-G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake" -DLINVARA_WIN_SYSROOT="$sysroot"
       -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$sysroot"
       -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

bash "$root/scripts/windows/fetch-sources.sh" "$deps/src" sqlite3 sqlitecpp googletest cli11 libxlsxwriter libzip proj
src() { ls -d "$deps/src/$1"-*/ | head -n1; }
mkdir -p "$sysroot/lib" "$sysroot/include" "$deps/build"

# SQLite: the amalgamation from the full source (a native tool build), compiled
# with the options Debian builds its libsqlite3 with.
if [ ! -f "$sysroot/lib/libsqlite3.a" ]; then
  echo "== SQLite"
  b=$deps/build/sqlite3
  rm -rf "$b" && mkdir -p "$b"
  (cd "$b" && "$(src sqlite3)configure" --disable-tcl >/dev/null && make -s sqlite3.c >/dev/null)
  flags=$(sed -n '/^export CFLAGS += /,/[^\\]$/p' "$(src sqlite3)debian/rules" | sed 's/export CFLAGS += //; s/\\$//' | tr '\n' ' ')
  [[ $flags == *-DSQLITE_* ]] || { echo "no SQLite compile options found in $(src sqlite3)debian/rules" >&2; exit 1; }
  # shellcheck disable=SC2086
  ccache $triple-gcc-posix $flags -c "$b/sqlite3.c" -o "$b/sqlite3.o"
  $triple-gcc-ar-posix rcs "$sysroot/lib/libsqlite3.a" "$b/sqlite3.o"
  cp "$b/sqlite3.h" "$b/sqlite3ext.h" "$sysroot/include/"
fi

cmake_dep() {  # name source-dir cmake-options...
  local name=$1 dir=$2; shift 2
  echo "== $name"
  cmake -S "$dir" -B "$deps/build/$name" "${cross[@]}" "$@" >/dev/null
  cmake --build "$deps/build/$name" -j"$jobs" >/dev/null
  cmake --install "$deps/build/$name" >/dev/null
  touch "$deps/build/$name.done"
}

[ -f "$deps/build/sqlitecpp.done" ] || cmake_dep sqlitecpp "$(src sqlitecpp)" \
  -DSQLITECPP_INTERNAL_SQLITE=OFF -DSQLITECPP_RUN_CPPLINT=OFF -DSQLITECPP_RUN_CPPCHECK=OFF \
  -DSQLITECPP_BUILD_TESTS=OFF -DSQLITECPP_BUILD_EXAMPLES=OFF
[ -f "$deps/build/googletest.done" ] || cmake_dep googletest "$(src googletest)" \
  -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON -Dgtest_disable_pthreads=OFF
[ -f "$deps/build/cli11.done" ] || cmake_dep cli11 "$(src cli11)" \
  -DCLI11_BUILD_TESTS=OFF -DCLI11_BUILD_EXAMPLES=OFF -DCLI11_BUILD_DOCS=OFF -DCLI11_INSTALL=ON
if [ ! -f "$deps/build/libxlsxwriter.done" ]; then
  # MinGW gets the wide-character file opening of the MSVC build, so a
  # workbook under a Chinese folder name opens (the ANSI fopen would not).
  x=$(src libxlsxwriter)
  perl -0pi -e 's/#ifdef __MINGW32__\n#undef _WIN32\n/#if 0 \/* MinGW keeps _WIN32 *\/\n/' "${x}src/utility.c" "${x}src/packager.c"
  perl -0pi -e 's/if\(MSVC\)(\s+list\(APPEND LXW_SOURCES third_party\/minizip\/iowin32.c\))/if(WIN32)$1/' "${x}CMakeLists.txt"
  # Its default number printing ("%.16G"), not the dtoa option: Debian's
  # library, which the Linux build uses, prints so, and the workbooks are
  # then the same bytes (the writer runs under CLocaleScope).
  cmake_dep libxlsxwriter "$x" -DBUILD_TESTS=OFF -DBUILD_EXAMPLES=OFF
fi

# libzip for the KMZ archive: static, deflate only (zlib), no encryption.
[ -f "$deps/build/libzip.done" ] || cmake_dep libzip "$(src libzip)" \
  -DBUILD_SHARED_LIBS=OFF -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF \
  -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF -DENABLE_ZSTD=OFF -DENABLE_COMMONCRYPTO=OFF -DENABLE_GNUTLS=OFF \
  -DENABLE_MBEDTLS=OFF -DENABLE_OPENSSL=OFF -DENABLE_WINDOWS_CRYPTO=OFF

# PROJ for plane <-> geographic coordinates: static, without grids from the
# network (curl) or TIFF grids; the host's sqlite3 builds proj.db, which the
# packages ship in share/proj beside the programs.
[ -f "$deps/build/proj.done" ] || cmake_dep proj "$(src proj)" \
  -DBUILD_SHARED_LIBS=OFF -DBUILD_TESTING=OFF -DBUILD_APPS=OFF -DENABLE_TIFF=OFF -DENABLE_CURL=OFF \
  -DEXE_SQLITE3="$(command -v sqlite3)"

echo "== Qt"
qt=$(nice -n 10 bash "$root/scripts/windows/build-qt.sh")
echo "Qt for Windows in $qt"

echo "== Linvara"
cmake -S "$root" -B "$build" "${cross[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/ \
  -DLINVARA_WIN_QT="$qt" -DLINVARA_BUILD_GUI=ON -DLINVARA_WITH_PROJ=ON >/dev/null
cmake --build "$build" -j"$jobs"
echo "== Packages"
(cd "$build" && cpack -G "ZIP;NSIS" >/dev/null)
echo "Windows build in $build/bin; packages: $(cd "$build" && ls Linvara-*-win64.zip Linvara-*-win64.exe | tr '\n' ' ')"
