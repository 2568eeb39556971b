#!/bin/bash
# Usage: tools/wine-run.sh EXE [ARG...]
# Runs one cross-built program under Wine (tools/wine-env.sh picks which) in
# a fresh prefix, on a virtual display of its own, and removes both
# afterwards; exits with the program's status. For programs that open
# windows, such as the editor's bench.
set -uo pipefail
[ $# -ge 1 ] && [ -f "$1" ] || { echo "usage: $0 EXE [ARG...]" >&2; exit 2; }
exe=$(realpath "$1")
shift
prefix=$(mktemp -d "${TMPDIR:-/tmp}/mapio-wine-run.XXXXXX")
source "$(dirname "$0")/wine-env.sh"
export WINEPREFIX=$prefix WINEDEBUG=-all
# No Mono or Gecko: nothing here needs them, and their installers would ask.
export WINEDLLOVERRIDES="mscoree,mshtml="
xvfb_pid=""
cleanup() {
  timeout 20 wineserver -k >/dev/null 2>&1 || true
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$prefix"
}
trap cleanup EXIT

exec {fd}>"$prefix/display"
Xvfb -displayfd "$fd" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
exec {fd}>&-
for _ in $(seq 100); do
  [ -s "$prefix/display" ] && break
  sleep 0.1
done
[ -s "$prefix/display" ] || { echo "wine-run: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$prefix/display")"

timeout 300 "$WINE" wineboot -i >/dev/null 2>&1
# A Wine virtual desktop: Wine then places and shows windows itself, as
# Windows does, instead of waiting on a window manager Xvfb does not have.
cat >"$prefix/desktop.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"
REG
timeout 60 "$WINE" regedit /S "Z:${prefix//\//\\}\\desktop.reg" >/dev/null 2>&1
timeout 20 wineserver -k >/dev/null 2>&1 || true
timeout 20 wineserver -w >/dev/null 2>&1 || true
status=0
(cd "$prefix/drive_c" && timeout 900 "$WINE" "$exe" "$@") || status=$?
exit "$status"
