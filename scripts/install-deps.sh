#!/usr/bin/env bash
# Installs every Debian package Linvara needs to build, test, benchmark and package.
# Used by the README and by .ci/run so the two never drift apart.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
# zipcmp, zipmerge and ziptool: libzip-dev's CMake package refuses to load without them.
$SUDO apt-get install -y -q --no-install-recommends \
  build-essential cmake ninja-build pkg-config \
  libsqlite3-dev sqlite3 libsqlitecpp-dev libproj-dev proj-bin \
  libcli11-dev libgtest-dev libgmock-dev libbenchmark-dev libxlsxwriter-dev libzip-dev zlib1g-dev \
  zipcmp zipmerge ziptool \
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-translations-l10n libgl-dev \
  python3 gdal-bin python3-ezdxf python3-openpyxl libxml2-utils poppler-utils \
  fonts-noto-cjk xvfb xauth locales \
  time x11-utils \
  dpkg-dev file fakeroot librsvg2-bin python3-markdown desktop-file-utils lintian
# A comma-decimal locale for the locale-independence tests.
if ! locale -a 2>/dev/null | grep -qi '^de_DE.utf8$'; then
  $SUDO sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen || true
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi
