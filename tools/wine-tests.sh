#!/bin/bash
# Runs every cross-built test program of BUILD (default build-windows) under
# Wine, in a fresh 32-bit prefix that is removed afterwards. Fails if any
# program fails or is missing. No display is needed.
set -euo pipefail

build=${1:-build-windows}
programs=(platform_tests core_tests writer_tests translator_tests cli_tests ui_main_tests ui_tests)

prefix=$(mktemp -d "${TMPDIR:-/tmp}/mapio-wine.XXXXXX")
export WINEPREFIX=$prefix WINEARCH=win32 WINEDEBUG=-all DISPLAY=
# No Mono or Gecko: nothing here needs them, and their installers would ask.
export WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$prefix"
}
trap cleanup EXIT

# A hung Wine must not hold up CI: every step has a time limit.
timeout 300 wineboot -i >/dev/null 2>&1

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
  (cd "$prefix/drive_c" && timeout 600 wine "$exe" --gtest_brief=1) >"$log" 2>&1 || status=$?
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

[ ${#broken[@]} -eq 0 ] || echo "wine-tests: failed: ${broken[*]}" >&2
echo "wine: $passed passed, $failed failed"
[ ${#broken[@]} -eq 0 ]
