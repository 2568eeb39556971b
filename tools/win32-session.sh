# Sourced by win32-smoke.sh and win32-screenshots.sh. Gives Mapio.exe a
# display, a Wine prefix and a Wine virtual desktop of its own (so that Wine
# draws frames and captions), and helpers that wait for its windows. Every
# wait has a time limit; session_cleanup undoes everything.
# Callers set $tool (the name used in messages) before sourcing.

session_dir=""  # holds the prefix, the logs and the picture folders
xvfb_pid=""
app_pid=""

session_cleanup() {
  if [ -n "$session_dir" ]; then
    WINEPREFIX=$session_dir/prefix timeout 20 wineserver -k >/dev/null 2>&1 || true
    WINEPREFIX=$session_dir/prefix timeout 20 wineserver -w >/dev/null 2>&1 || true
  fi
  [ -z "$app_pid" ] || kill "$app_pid" 2>/dev/null || true
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
  [ -z "$session_dir" ] || rm -rf "$session_dir"
}

# Names of the visible top-level windows, one a line (Wine gives every
# top-level window an X window named after its caption).
visible_windows() {
  local id
  for id in $(xdotool search --onlyvisible --name . 2>/dev/null); do
    xdotool getwindowname "$id" 2>/dev/null || true
  done | grep -v -e '^$' -e '^Default IME$' | sort
}

fail() {
  echo "$tool: $*" >&2
  echo "$tool: windows seen: $(visible_windows | paste -sd '|' -)" >&2
  if [ -n "$app_pid" ] && ! kill -0 "$app_pid" 2>/dev/null; then
    echo "$tool: Mapio.exe is no longer running" >&2
  fi
  if [ -s "$session_dir/wine.log" ]; then
    echo "$tool: Wine said:" >&2
    tail -n 20 "$session_dir/wine.log" >&2
  fi
  exit 1
}

# A Windows path for a local folder: Wine's drive Z: is the root.
windows_path() {
  local path=$1
  printf 'Z:%s' "${path//\//\\}"
}

# Starts Xvfb on a display nobody uses (the server picks it itself), then
# makes a fresh prefix whose default desktop is a virtual one.
session_start() {
  session_dir=$(mktemp -d "${TMPDIR:-/tmp}/mapio-$tool.XXXXXX")
  source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
  export WINEPREFIX=$session_dir/prefix WINEDEBUG=-all
  # No Mono or Gecko: Mapio needs neither, and their installers would ask.
  export WINEDLLOVERRIDES="mscoree,mshtml="

  local fd
  exec {fd}>"$session_dir/display"
  Xvfb -displayfd "$fd" -screen 0 800x600x24 -nolisten tcp >"$session_dir/xvfb.log" 2>&1 &
  xvfb_pid=$!
  exec {fd}>&-
  local _
  for _ in $(seq 100); do
    [ -s "$session_dir/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  [ -s "$session_dir/display" ] || fail "Xvfb did not start: $(cat "$session_dir/xvfb.log")"
  export DISPLAY=":$(head -n1 "$session_dir/display")"

  timeout 180 "$WINE" wineboot -i >"$session_dir/wineboot.log" 2>&1 || fail "wineboot -i failed or hung"
  # Debian's Wine does not look in its own font folder: without these the
  # dialogs fall back to DejaVu and the caption buttons show Marlett's letters.
  local font
  for font in tahoma.ttf tahomabd.ttf marlett.ttf; do
    [ ! -f "/usr/share/wine/fonts/$font" ] || cp "/usr/share/wine/fonts/$font" "$WINEPREFIX/drive_c/windows/Fonts/"
  done
  cat >"$session_dir/desktop.reg" <<'EOF'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="800x600"
EOF
  timeout 60 "$WINE" regedit /S "$(windows_path "$session_dir/desktop.reg")" >/dev/null 2>&1 \
    || fail "could not set the virtual desktop"
  # The desktop setting is read when explorer starts: stop the one wineboot left.
  timeout 20 wineserver -k >/dev/null 2>&1 || true
  timeout 20 wineserver -w >/dev/null 2>&1 || true
}

# Starts EXE in the background; $app_pid ends when the program ends.
start_app() {
  local exe
  exe=$(realpath "$1")
  (cd "$session_dir" && exec timeout 300 "$WINE" "$exe") >"$session_dir/wine.log" 2>&1 &
  app_pid=$!
}

# Makes $pictures, a folder of two pictures whose names are IDs, and starts
# EXE with its main window active.
start_with_pictures() {
  pictures=$session_dir/pictures
  mkdir "$pictures"
  : >"$pictures/123.png"
  : >"$pictures/456.png"
  start_app "$1"
  activate_main
}

app_running() { kill -0 "$app_pid" 2>/dev/null; }

# Waits until the program has ended, at most SECONDS.
wait_app_end() {
  local end=$((SECONDS + $1))
  while app_running; do
    [ "$SECONDS" -lt "$end" ] || return 1
    sleep 0.2
  done
  wait "$app_pid" 2>/dev/null || true
  app_pid=""
}

# The id of the visible window whose caption is exactly NAME, if there is one.
# None is no failure: xdotool's status 1 for it would end the script (set -e)
# wherever a caller polls with id=$(window_id ...), as between two prompts.
window_id() {
  local pattern
  pattern=$(printf '%s' "$1" | sed 's/[][\.*^$?+(){}|]/\\&/g')
  xdotool search --onlyvisible --name "^$pattern\$" 2>/dev/null | head -n1 || true
}

# Prints the id of window NAME once it shows, polling for at most SECONDS.
# Fails at once when the program has ended. An id in SKIP is not taken: the
# next prompt of a series has the caption of the one before it.
wait_window() {
  local name=$1 end=$((SECONDS + ${2:-10})) skip=${3:-} id
  while :; do
    id=$(window_id "$name")
    if [ -n "$id" ] && [ "$id" != "$skip" ]; then
      echo "$id"
      return 0
    fi
    app_running || return 1
    [ "$SECONDS" -lt "$end" ] || return 1
    sleep 0.2
  done
}

# Waits until window NAME has gone, at most SECONDS.
wait_gone() {
  local end=$((SECONDS + ${2:-10}))
  while [ -n "$(window_id "$1")" ]; do
    [ "$SECONDS" -lt "$end" ] || return 1
    sleep 0.2
  done
}

# Sends KEYS and waits for window NAME. A press that changed nothing (the
# same windows are still shown) is sent again, up to three times in all;
# anything else that shows instead is an error of the caller's.
press_for() {
  local keys=$1 name=$2 seconds=${3:-5} before try
  before=$(visible_windows)
  for try in 1 2 3; do
    xdotool key $keys
    wait_window "$name" "$seconds" >/dev/null && return 0
    app_running || return 1
    [ "$(visible_windows)" = "$before" ] || return 1
  done
  return 1
}

# Sends KEYS to close window NAME, again while it is still shown.
press_to_close() {
  local keys=$1 name=$2 try
  for try in 1 2 3; do
    xdotool key $keys
    wait_gone "$name" 3 && return 0
  done
  return 1
}

# Wine activates no window without an X focus event, and this display has no
# window manager to send one: a click on the caption activates the main
# window, and the quit question, opened and cancelled, shows that keys reach
# it. The input focus is back in the path box afterwards.
activate_main() {
  local main try
  main=$(wait_window Mapio 60) || fail "the window \"Mapio\" did not show"
  for try in 1 2 3; do
    xdotool mousemove --window "$main" 60 8 click 1
    sleep 0.3
    xdotool key Escape
    if wait_window "Quit?" 3 >/dev/null; then
      press_to_close Escape "Quit?" || fail "\"Quit?\" did not close on Escape"
      return 0
    fi
  done
  fail "the window \"Mapio\" takes no keys"
}
