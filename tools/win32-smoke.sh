#!/bin/bash
# Usage: tools/win32-smoke.sh EXE
# Runs Mapio.exe under Wine on a virtual display of its own and drives it as a
# user would: types a folder of two pictures, ticks "All filenames are IDs",
# presses Enter for GO!, checks the config.xml it wrote, closes the message
# box; then translates a second folder by its mapping, checks the new names
# and quits through the quit question. Fails with what it saw when a
# window does not show, the file is wrong or the program does not end.
set -euo pipefail

[ $# -eq 1 ] && [ -f "$1" ] || { echo "usage: $0 EXE" >&2; exit 2; }
exe=$1
tool=win32-smoke
started=$SECONDS
# shellcheck source=tools/win32-session.sh
. "$(dirname "$0")/win32-session.sh"
trap session_cleanup EXIT

session_start
start_with_pictures "$exe"

xdotool type --delay 10 "$(windows_path "$pictures")"
xdotool key alt+a
press_for Return "Success!" 6 || fail "no \"Success!\" after GO!"

config=$pictures/config.xml
[ -f "$config" ] || fail "no config.xml in $pictures"
for id in 123 456; do
  record="<record from=\"$id\" to=\"graphics/pictures/person/$id/portrait\"/>"
  grep -qF "$record" "$config" || fail "config.xml lacks $record; it holds: $(cat "$config")"
done
records=$(grep -c '<record from=' "$config" || true)
[ "$records" -eq 2 ] || fail "config.xml holds $records records, not 2: $(cat "$config")"

press_to_close Return "Success!" || fail "\"Success!\" did not close on Enter"

# Translate: a second folder whose mapping gives each picture an ID.
named=$session_dir/named
mkdir "$named"
: >"$named/Alpha.png"
: >"$named/beta.jpg"
printf '<record>\r\n\t<list id="maps">\r\n%s%s\t</list>\r\n</record>\r\n' \
  $'\t\t<record from="alpha" to="graphics/pictures/person/7/portrait"/>\r\n' \
  $'\t\t<record from="beta" to="graphics/pictures/person/8/portrait"/>\r\n' >"$named/config.xml"
# The input focus is on the ticked option: click into the path box (below
# the caption, left of Browse) and replace its text.
xdotool mousemove --window "$(window_id Mapio)" 100 44 click 1
sleep 0.3
xdotool key Home shift+End
xdotool type --delay 10 "$(windows_path "$named")"
xdotool key alt+t
press_for Return "Status" 6 || fail "no \"Status\" after GO! in translate mode"
renamed=$(cd "$named" && ls | sort | paste -sd ' ' -)
[ "$renamed" = "7.png 8.jpg config.xml" ] || fail "after translating, the folder holds: $renamed"
press_to_close Return "Status" || fail "\"Status\" did not close on Enter"
press_for Escape "Quit?" 5 || fail "no \"Quit?\" after Escape"
for try in 1 2 3; do
  xdotool key Return
  wait_app_end 5 && break
  [ -n "$(window_id "Quit?")" ] || fail "Mapio.exe still runs after OK in \"Quit?\""
done
[ -z "$app_pid" ] || fail "Mapio.exe still runs after OK in \"Quit?\""

echo "$tool: passed in $((SECONDS - started)) s"
