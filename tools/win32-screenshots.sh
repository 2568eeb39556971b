#!/bin/bash
# Usage: tools/win32-screenshots.sh EXE OUTDIR
# Runs Mapio.exe under Wine on a virtual display of its own, walks through
# its windows with the keyboard and saves one PNG of each in OUTDIR:
#   main.png         the main window as it starts
#   translate.png    translate mode, after kits and the option were chosen
#   file-prompt.png  "Select ID for file" (GO! on pictures, no option)
#   kit-prompt.png   "Select ID for kit" (the same with kits marked)
#   edit-xml.png     "Edit XML file" on the config.xml the kit run wrote
#   report.png       the check's report on the same folder (kits of faces' files)
#   system-menu.png  the desktop with the main window's system menu open
#   about.png        "About Mapio"
#   quit.png         "Quit?" over the main window
#   scan-report.png  the report over a graphics folder of three packs, with
#                    "Find ID"'s answer for a face two of them map
set -euo pipefail

[ $# -eq 2 ] && [ -f "$1" ] || { echo "usage: $0 EXE OUTDIR" >&2; exit 2; }
exe=$1
outdir=$2
tool=win32-screenshots
started=$SECONDS
# shellcheck source=tools/win32-session.sh
. "$(dirname "$0")/win32-session.sh"
trap session_cleanup EXIT
mkdir -p "$outdir"

# Saves window ID (frame and caption included) as OUTDIR/FILE.png once it
# has had time to paint.
shoot() {
  local id=$1 file=$2 info X Y WIDTH HEIGHT
  sleep 0.7
  # xwininfo's absolute corner: xdotool's is off for a window that has moved
  # itself since it was mapped (the main window centres itself).
  info=$(xwininfo -id "$id") || fail "no window for $file.png"
  X=$(awk '/Absolute upper-left X/ {print $4}' <<<"$info")
  Y=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$info")
  WIDTH=$(awk '/Width:/ {print $2}' <<<"$info")
  HEIGHT=$(awk '/Height:/ {print $2}' <<<"$info")
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$outdir/$file.png" \
    || fail "could not save $file.png"
  echo "$tool: $outdir/$file.png (${WIDTH}x${HEIGHT})"
}

shoot_window() {
  local id
  id=$(wait_window "$1" 10) || fail "no window \"$1\" for $2.png"
  shoot "$id" "$2"
}

# Answers every prompt CAPTION of one GO! run by typing an ID and Enter
# (Add), shooting the first one as FILE, then closes "Success!".
answer_prompts() {
  local caption=$1 file=$2 last="" id count=0 end
  end=$((SECONDS + 20))
  while [ -z "$(window_id "Success!")" ]; do
    id=$(window_id "$caption")
    if [ -n "$id" ] && [ "$id" != "$last" ]; then
      count=$((count + 1))
      [ "$count" -gt 1 ] || shoot "$id" "$file"
      xdotool type --delay 10 "$((100 + count))"
      xdotool key Return
      last=$id
      end=$((SECONDS + 20))
    fi
    app_running || fail "Mapio.exe ended during the prompts"
    [ "$SECONDS" -lt "$end" ] || fail "neither \"$caption\" nor \"Success!\" showed"
    sleep 0.2
  done
  [ "$count" -gt 0 ] || fail "no \"$caption\" before \"Success!\""
  press_to_close Return "Success!" || fail "\"Success!\" did not close on Enter"
}

session_start
start_with_pictures "$exe"
main=$(window_id Mapio)
shoot "$main" main

# Translate mode after marking kits and ticking the option: faces comes back
# marked, and kits and the option are greyed.
xdotool type --delay 10 "$(windows_path "$pictures")"
xdotool key alt+k alt+a alt+t
shoot "$main" translate
xdotool key alt+m

xdotool key Return
answer_prompts "Select ID for file" file-prompt

xdotool key alt+k
press_for Return "ALERT: replace file?" 6 || fail "no \"ALERT: replace file?\" on the second GO!"
xdotool key alt+y
answer_prompts "Select ID for kit" kit-prompt

press_for alt+x "Edit XML file" 6 || fail "no \"Edit XML file\" after Edit XML"
shoot_window "Edit XML file" edit-xml
press_to_close Escape "Edit XML file" || fail "\"Edit XML file\" did not close on Escape"

press_for alt+h "Check" 10 || fail "no \"Check\" after C&heck"
shoot_window "Check" report
press_to_close Escape "Check" || fail "\"Check\" did not close on Escape"

# The system menu is a pop-up without a caption: shoot the whole desktop.
xdotool key alt+space
sleep 0.5
shoot_window "Default - Wine desktop" system-menu
# Wine adds "About Wine" above our entry, so "a" would only move to it: Up
# wraps round to the last entry, "About Mapio...".
xdotool key Up
press_for Return "About Mapio" 5 || fail "no \"About Mapio\" from the system menu"
shoot_window "About Mapio" about
press_to_close Return "About Mapio" || fail "\"About Mapio\" did not close on Enter"

press_for Escape "Quit?" 5 || fail "no \"Quit?\" after Escape"
shoot_window "Default - Wine desktop" quit
xdotool key Return
wait_app_end 10 || fail "Mapio.exe still runs after OK in \"Quit?\""

# A graphics folder: faces, an update pack over them, club logos under a
# name the faces use. Its path goes into the path box of a second run.
make_graphics() {
  local graphics=$1 id
  mkdir -p "$graphics/faces" "$graphics/update-2026" "$graphics/logos"
  record() { printf '\t\t<record from="%s" to="graphics/pictures/%s"/>\n' "$1" "$2"; }
  {
    printf '<record>\n\t<list id="maps">\n'
    for id in 2000120 2000121 2000122 2000123; do
      record "$id" "person/$id/portrait"
      convert -size 180x240 "xc:hsl($((id % 10 * 60)),40%,60%)" "$graphics/faces/$id.png"
    done
    printf '\t</list>\n</record>\n'
  } >"$graphics/faces/config.xml"
  {
    printf '<record>\n\t<list id="maps">\n'
    record 2000123 person/2000123/portrait
    record ward person/2000200/portrait
    printf '\t</list>\n</record>\n'
  } >"$graphics/update-2026/config.xml"
  convert -size 180x240 xc:khaki "$graphics/update-2026/2000123.png"
  {
    printf '<record>\n\t<list id="maps">\n'
    record 2000121 club/77/logo
    printf '\t</list>\n</record>\n'
  } >"$graphics/logos/config.xml"
  convert -size 128x128 xc:firebrick "$graphics/logos/2000121.png"
}

graphics=$session_dir/graphics
make_graphics "$graphics"
start_app "$exe"
activate_main
xdotool type --delay 10 "$(windows_path "$graphics")"
press_for alt+h "Check" 10 || fail "no \"Check\" after C&heck on the graphics folder"
xdotool key alt+i
xdotool type --delay 10 2000123
xdotool key Return
shoot_window "Check" scan-report
press_to_close Escape "Check" || fail "the report over the packs did not close on Escape"
press_for Escape "Quit?" 5 || fail "no \"Quit?\" after Escape"
xdotool key Return
wait_app_end 10 || fail "Mapio.exe still runs after OK in \"Quit?\""

echo "$tool: done in $((SECONDS - started)) s"
