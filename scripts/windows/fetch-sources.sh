#!/usr/bin/env bash
# Fetches Debian source packages into DIR without touching the
# system's apt setup: a private source list (deb-src lines for the same
# mirrors as the system's deb lines) and a private package index.
# Usage: fetch-sources.sh DIR PACKAGE...
set -euo pipefail
dir=$1; shift
mkdir -p "$dir/apt/lists/partial" "$dir/apt/parts"
: >"$dir/apt/sources.list"
for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
  [ -f "$f" ] || continue
  sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$f" >>"$dir/apt/sources.list"
done
for f in /etc/apt/sources.list.d/*.sources; do
  [ -f "$f" ] || continue
  sed 's/^Types:.*/Types: deb-src/' "$f" >"$dir/apt/parts/$(basename "$f")"
done
apt_opts=(-o "Dir::Etc::SourceList=$dir/apt/sources.list" -o "Dir::Etc::SourceParts=$dir/apt/parts"
          -o "Dir::State::Lists=$dir/apt/lists" -o "APT::Get::List-Cleanup=0" -o "Acquire::Languages=none" -o "APT::Sandbox::User=root")
if [ ! -f "$dir/apt/updated" ]; then
  apt-get "${apt_opts[@]}" update -q >/dev/null
  touch "$dir/apt/updated"
fi
cd "$dir"
for pkg in "$@"; do
  if ! ls -d "$pkg"-*/ >/dev/null 2>&1; then
    apt-get "${apt_opts[@]}" source -q "$pkg" >/dev/null
  fi
done
