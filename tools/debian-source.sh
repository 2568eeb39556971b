#!/bin/sh
# Usage: tools/debian-source.sh pugixml|scintilla
# Unpacks Debian's source of a library the Windows build compiles itself
# (as libgtest-dev puts GoogleTest's into /usr/src/googletest): Debian ships
# these for the host only.
#   pugixml    /usr/src/pugixml, from the source package pugixml
#   scintilla  /usr/src/scintilla and /usr/src/lexilla (the editing
#              component with its Win32 platform, and its XML lexer), from
#              the source package scite, which carries both
# The system's apt settings are left alone: the deb-src entries live in a
# folder of our own for one run. Nothing happens when the source is there.
set -e
root=${MAPIO_SOURCE_ROOT:-/usr/src}  # the tests unpack elsewhere
case "$1" in
  pugixml) package=pugixml; marker=$root/pugixml/src/pugixml.cpp ;;
  scintilla) package=scite; marker=$root/lexilla/lexers/LexHTML.cxx ;;
  *) echo "usage: $0 pugixml|scintilla" >&2; exit 2 ;;
esac
[ -f "$marker" ] && exit 0
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
(cd "$work" && apt-get $apt_opts source --download-only -qq "$package")
case "$1" in
  pugixml)
    $SUDO mkdir -p "$root/pugixml"
    $SUDO tar -xzf "$work"/pugixml_*.orig.tar.gz -C "$root/pugixml" --strip-components=1 ;;
  scintilla)
    # The tarball holds scintilla/, lexilla/ and scite/; SciTE is not needed.
    $SUDO mkdir -p "$root"
    $SUDO tar -xzf "$work"/scite_*.orig.tar.gz -C "$root" scintilla lexilla ;;
esac
