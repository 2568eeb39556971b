#!/bin/sh
# tools/install-deps.sh against a fake apt-get on the PATH: a mirror whose
# update fails on one index, a system that refuses i386 packages, a package
# that no index has. Nothing is installed.
set -u
tools=$(cd "$(dirname "$0")/../../tools" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# Every package is missing; apt's calls go to the log.
cat >"$work/bin/dpkg-query" <<'FAKE'
#!/bin/sh
exit 1
FAKE
cat >"$work/bin/dpkg" <<'FAKE'
#!/bin/sh
echo "dpkg $*" >>"$FAKE_LOG"
FAKE
cat >"$work/bin/sudo" <<'FAKE'
#!/bin/sh
exec "$@"
FAKE
cat >"$work/bin/apt-get" <<'FAKE'
#!/bin/sh
echo "apt-get $*" >>"$FAKE_LOG"
case " $* " in
  *" update "*)
    [ "$FAKE_APT" = update-fails ] || exit 0
    echo "E: Failed to fetch http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress?"
    echo "E: Some index files failed to download. They have been ignored, or old ones used instead."
    exit 100 ;;
  *" source "*" pugixml"*) mkdir -p x/src && echo "//" >x/src/pugixml.cpp && tar -czf pugixml_1.13.orig.tar.gz x ;;
  *" source "*" scite"*)
    mkdir -p scintilla/win32 lexilla/lexers && echo "//" >lexilla/lexers/LexHTML.cxx
    tar -czf scite_5.3.3.orig.tar.gz scintilla lexilla ;;
  *":i386"*)
    [ "$FAKE_APT" = no-i386 ] || exit 0
    echo "E: Unable to correct problems, you have held broken packages."
    exit 100 ;;
  *" nowhere-dev "*)
    echo "E: Unable to locate package nowhere-dev"
    exit 100 ;;
esac
FAKE
chmod +x "$work/bin/"*

# run MODE I386 GROUPS...: the script's status; its output in $work/out.
run() {
  mode=$1 i386=$2
  shift 2
  : >"$work/log"
  PATH="$work/bin:$PATH" XDG_CACHE_HOME="$work/cache" FAKE_APT=$mode FAKE_LOG="$work/log" MAPIO_I386=$i386 \
    MAPIO_SOURCE_ROOT="$work/src" "$@" >"$work/out" 2>&1
}
has() { grep -q -- "$2" "$work/$1"; }

# An index that fails to load is a warning; the install goes on.
run update-fails no "$tools/install-deps.sh" build windows || fail "a failed update ended the install"
has out "warning: apt-get update failed in part" || fail "no warning for the failed update"
has out "binary-i386/Packages.xz  File has unexpected size" || fail "apt's words not shown"
has log "install .* qt6-base-dev" || fail "the window's packages were not installed"
[ -f "$work/src/pugixml/src/pugixml.cpp" ] || fail "pugixml's source was not unpacked"
[ -f "$work/src/lexilla/lexers/LexHTML.cxx" ] || fail "Scintilla's source was not unpacked"

# No i386 programs: no i386 package is asked for.
run ok no "$tools/install-deps.sh" windows || fail "the windows group failed"
has log ":i386" && fail "an i386 package was asked for where none can run"
has log "add-architecture" && fail "the i386 architecture was added where none can run"

# i386 packages refused: said, and everything else installed.
run no-i386 yes "$tools/install-deps.sh" windows || fail "a refused wine32:i386 ended the install"
has log "install .* wine64 .*" || fail "the 64-bit Wine was not installed"
grep "wine64" "$work/log" | grep -q ":i386" && fail "wine32:i386 was not installed on its own"
has out "could not install wine32:i386" || fail "the refused wine32:i386 was not said"
run no-i386 yes "$tools/install-deps.sh" windows
has log ":i386" && fail "a refused wine32:i386 was asked for again at once"
rm -rf "$work/cache"

# A package no index has: named, and the script fails.
cp "$tools/apt-common.sh" "$work/bin/"
sed "s/libcli11-dev/nowhere-dev/" "$tools/install-deps.sh" >"$work/bin/install-deps.sh"
chmod +x "$work/bin/install-deps.sh"
if run ok no "$work/bin/install-deps.sh" build; then fail "a missing package was not an error"; fi
has out "cannot install nowhere-dev" || fail "the missing package was not named"

[ "$failures" -eq 0 ] && echo "install-deps: all cases passed"
exit "$failures"
