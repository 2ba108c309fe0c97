#!/usr/bin/env bash
# Builds the installable packages into dist/: on Linux linvara_<version>_<arch>.deb
# (both programs, menu entry, icons, *.PD file type, man pages, user guide),
# from a Release build with Debian's hardening flags, then checks the package.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build-package}
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
flags() { dpkg-buildflags --get "$1" 2>/dev/null | sed 's/\(^\| \)-g\( \|$\)/ /' || true; }
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLINVARA_BUILD_TESTS=OFF \
  -DCMAKE_CXX_FLAGS="$(flags CPPFLAGS) $(flags CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)"
cmake --build "$BUILD" -j "$(nproc)"
rm -rf "$BUILD/packages"
cpack --config "$BUILD/CPackConfig.cmake" -G DEB -B "$BUILD/packages"
mkdir -p dist
cp "$BUILD"/packages/linvara_*.deb dist/
deb=$(ls -t dist/linvara_*.deb | head -n 1)
bash tests/package/check_deb.sh "$BUILD" "$deb"
# Debian's own checks, where installed: errors fail, the rest is listed.
if command -v lintian >/dev/null; then
  lintian --fail-on error "$deb"
fi
echo "dist: $deb"
