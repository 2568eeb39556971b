#!/bin/bash
# Runs every cross-built test program of BUILD (default build-windows) under
# Wine (tools/wine-env.sh picks which), in a fresh prefix that is removed afterwards, and checks the
# resources of Mapio.exe, then drives Mapio.exe and saves a picture of each of
# its windows in BUILD/screenshots. Fails if any of it fails or is missing.
# The window's tests get a virtual display of their own.
set -euo pipefail

build=${1:-build-windows}
programs=(platform_tests core_tests res_tests pack_tests writer_tests translator_tests
  checker_tests convert_tests cli_tests ui_main_tests ui_tests win32_tests)

prefix=$(mktemp -d "${TMPDIR:-/tmp}/mapio-wine.XXXXXX")
source "$(dirname "$0")/wine-env.sh"
export WINEPREFIX=$prefix WINEDEBUG=-all
# No Mono or Gecko: nothing here needs them, and their installers would ask.
export WINEDLLOVERRIDES="mscoree,mshtml="
xvfb_pid=""
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$prefix"
}
trap cleanup EXIT

# A display no one else uses, for the dialogs of win32_tests.
for display in $(seq 90 140); do
  [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ] || break
done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do
  [ -e "/tmp/.X11-unix/X$display" ] && break
  sleep 0.1
done
export DISPLAY=":$display"

# A hung Wine must not hold up CI: every step has a time limit.
timeout 300 "$WINE" wineboot -i >/dev/null 2>&1

passed=0
failed=0
broken=()
for name in "${programs[@]}"; do
  exe=$(find "$build/tests" -name "$name.exe" -print -quit 2>/dev/null || true)
  if [ -z "$exe" ]; then
    echo "wine-tests: $name.exe is missing in $build" >&2
    broken+=("$name")
    continue
  fi
  log=$(mktemp)
  echo "== $name (Wine)"
  status=0
  # Started on drive C:, where the temporary folders are, so that a path
  # relative to the start folder can reach them.
  exe=$(realpath "$exe")
  (cd "$prefix/drive_c" && timeout 600 "$WINE" "$exe" --gtest_brief=1) >"$log" 2>&1 || status=$?
  tr -d '\r' <"$log"
  ran_ok=$(tr -d '\r' <"$log" | sed -n 's/^\[  PASSED  \] \([0-9]*\) test.*/\1/p' | tail -n1)
  ran_bad=$(tr -d '\r' <"$log" | sed -n 's/^\[  FAILED  \] \([0-9]*\) test.*/\1/p' | tail -n1)
  rm -f "$log"
  passed=$((passed + ${ran_ok:-0}))
  failed=$((failed + ${ran_bad:-0}))
  if [ "$status" -ne 0 ]; then
    broken+=("$name")
    [ -n "$ran_bad" ] || failed=$((failed + 1))  # it ended before its summary
  fi
done

mapio=$(find "$build/ui" -name Mapio.exe -print -quit 2>/dev/null || true)
if [ -z "$mapio" ]; then
  echo "wine-tests: Mapio.exe is missing in $build" >&2
  broken+=(Mapio.exe)
else
  [ "$WINEARCH" = win32 ] || export OBJDUMP=x86_64-w64-mingw32-objdump
  "$(dirname "$0")/check-resources.sh" "$mapio" || broken+=("Mapio.exe resources")
  # The program itself, driven as a user would, in a prefix and on a display
  # of its own; then a picture of each of its windows.
  echo "== Mapio.exe (Wine, driven with xdotool)"
  "$(dirname "$0")/win32-smoke.sh" "$mapio" || broken+=("Mapio.exe smoke run")
  "$(dirname "$0")/win32-screenshots.sh" "$mapio" "$build/screenshots" || broken+=("Mapio.exe screenshots")
fi

[ ${#broken[@]} -eq 0 ] || echo "wine-tests: failed: ${broken[*]}" >&2
echo "wine: $passed passed, $failed failed"
[ ${#broken[@]} -eq 0 ]
