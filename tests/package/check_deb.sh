#!/usr/bin/env bash
# Unpacks the Debian package into a temporary folder and checks what an
# installed Linvara needs: both programs running, the desktop entry valid and
# naming the project type the MIME file declares, icons, man pages, the
# guide with every picture it shows.
#   check_deb.sh BUILD_DIR         builds the package from BUILD_DIR with cpack
#   check_deb.sh BUILD_DIR FILE.deb  checks that package instead
# Exit 77 (skipped) where the Debian tools are missing.
set -euo pipefail
build=$1
for tool in cpack dpkg-deb dpkg-shlibdeps file desktop-file-validate xmllint; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

if [ $# -ge 2 ]; then
  deb=$2
else
  if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"; exit 1
  fi
  deb=$(ls "$work"/out/linvara_*.deb)
fi
echo "package: $(basename "$deb") ($(du -k "$deb" | cut -f1) KiB)"
case $(basename "$deb") in linvara_*_*.deb) ;; *) fail "package name $(basename "$deb")";; esac

dpkg-deb -x "$deb" "$work/root"
root=$work/root
control() { dpkg-deb -f "$deb" "$1"; }
[ "$(control Package)" = linvara ] || fail "Package field: $(control Package)"
depends=$(control Depends)
for lib in libqt6widgets6 libsqlite3 libzip4 libc6; do
  grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib: $depends"
done

for f in usr/bin/linvara usr/bin/linvara-cli \
         usr/share/applications/linvara.desktop \
         usr/share/mime/packages/linvara.xml \
         usr/share/icons/hicolor/scalable/apps/linvara.svg \
         usr/share/man/man1/linvara.1.gz usr/share/man/man1/linvara-cli.1.gz \
         usr/share/doc/linvara/copyright usr/share/doc/linvara/changelog.gz; do
  [ -s "$root/$f" ] || fail "missing $f"
done
for size in 16 24 32 48 64 128 256; do
  png=$root/usr/share/icons/hicolor/${size}x${size}/apps/linvara.png
  if [ ! -s "$png" ]; then fail "missing ${size}x${size} icon"; continue; fi
  # PNG header: width and height are the big-endian words at bytes 16 and 20.
  dims=$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3*256+$4 "x" $7*256+$8}')
  [ "$dims" = "${size}x${size}" ] || fail "icon ${size}x${size} is $dims"
done

desktop=$root/usr/share/applications/linvara.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate"
grep -qx 'Name=Linvara电力格式转换' "$desktop" || fail "desktop Name"
grep -qx 'Exec=linvara %f' "$desktop" || fail "desktop Exec"
mime=$(sed -n 's/^MimeType=\([^;]*\);$/\1/p' "$desktop")
xml=$root/usr/share/mime/packages/linvara.xml
xmllint --noout "$xml" || fail "MIME XML not well formed"
grep -q "<mime-type type=\"$mime\">" "$xml" || fail "desktop MimeType '$mime' not declared in the MIME file"
grep -q 'pattern="\*\.PD"' "$xml" && grep -q 'pattern="\*\.pd"' "$xml" || fail "MIME globs"
grep -q 'value="SQLite format 3"' "$xml" || fail "MIME magic"

for page in linvara linvara-cli; do
  gzip -t "$root/usr/share/man/man1/$page.1.gz" || fail "man page $page"
  zcat "$root/usr/share/man/man1/$page.1.gz" | grep -q "^\.TH $(tr a-z A-Z <<<"$page") 1 " || fail "man page $page header"
done

guide=$root/usr/share/doc/linvara/user-guide.html
[ -f "$guide" ] || guide=$root/usr/share/doc/linvara/user-guide.md
if [ -s "$guide" ]; then
  grep -q '用户手册' "$guide" || fail "guide title"
  for image in $(grep -o 'images/[A-Za-z0-9_.-]*\.png' "$guide" | sort -u); do
    [ -s "$root/usr/share/doc/linvara/$image" ] || fail "guide picture $image not installed"
  done
else
  fail "missing user guide"
fi

# The unpacked programs run from where they are; the desktop program answers
# --version without a display.
version=$(control Version)
[ "$("$root/usr/bin/linvara-cli" --version)" = "linvara-cli $version" ] || fail "linvara-cli --version"
[ "$("$root/usr/bin/linvara" --version)" = "linvara $version" ] || fail "linvara --version"
"$root/usr/bin/linvara-cli" --help | grep -q order || fail "linvara-cli --help"

if [ "$failures" -ne 0 ]; then echo "$failures check(s) failed"; exit 1; fi
echo "package checks passed"
