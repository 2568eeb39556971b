#!/bin/sh
# Unpacks Debian's source of pugixml into /usr/src/pugixml (as libgtest-dev
# puts GoogleTest's into /usr/src/googletest): Debian ships the library for
# the host only, and the Windows build compiles it from this source. The
# system's apt settings are left alone: the deb-src entries live in a
# folder of our own for one run.
set -e
dest=${MAPIO_SOURCE_ROOT:-/usr/src}/pugixml  # the tests unpack elsewhere
[ -f "$dest/src/pugixml.cpp" ] && exit 0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/lists/partial" "$work/parts"
for f in /etc/apt/sources.list.d/*.sources; do
  [ -f "$f" ] && sed 's/^Types: *deb *$/Types: deb-src/' "$f" >"$work/parts/$(basename "$f")"
done
[ -f /etc/apt/sources.list ] && sed -n 's/^deb /deb-src /p' /etc/apt/sources.list >"$work/sources.list"
touch "$work/sources.list"
apt_opts="-o APT::Sandbox::User=root -o Dir::Etc::SourceList=$work/sources.list -o Dir::Etc::SourceParts=$work/parts -o Dir::State::Lists=$work/lists"
. "$(dirname "$0")/apt-common.sh"
APT_SUDO=""
# shellcheck disable=SC2086
apt_update $apt_opts
# shellcheck disable=SC2086
(cd "$work" && apt-get $apt_opts source --download-only -qq pugixml)
$SUDO mkdir -p "$dest"
$SUDO tar -xzf "$work"/pugixml_*.orig.tar.gz -C "$dest" --strip-components=1
