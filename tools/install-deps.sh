#!/bin/sh
# Installs the Debian packages Mapio needs for the groups named (all of them
# when none is), if any is missing:
#   build     the programs (the Qt window and mapio-cli)
#   test      the tests and the sanitizer build
#   windows   the Windows programs, cross-built and run under Wine
#   format    make format-check
#   package   make package and its checks
# A mirror that fails one index is only warned about: what the other indexes
# hold is installed. The 32-bit Wine is asked for only where the kernel runs
# i386 programs, and on its own, since the tests fall back to the 64-bit Wine.
# MAPIO_I386=yes|no overrides the kernel probe (the script's own test uses it).
set -e
groups=${*:-build test windows format package}
packages=""
i386_packages=""
for group in $groups; do
  case "$group" in
    build) packages="$packages cmake make g++ pkg-config libutf8proc-dev libcli11-dev
      libpugixml-dev nlohmann-json3-dev libstb-dev python3
      qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqscintilla2-qt6-dev" ;;
    test) packages="$packages libgtest-dev libgmock-dev clang libclang-rt-dev" ;;
    windows)
      packages="$packages binutils-mingw-w64-i686 g++-mingw-w64-i686-posix wine"
      packages="$packages wine64 g++-mingw-w64-x86-64-posix"  # where i386 programs cannot run
      packages="$packages xvfb xdotool imagemagick"  # its window, driven on a virtual display
      packages="$packages fonts-wine"  # Tahoma and Marlett, as Windows draws the window
      i386_packages="wine32:i386" ;;
    format) packages="$packages clang-format" ;;
    package) packages="$packages help2man dpkg-dev lintian desktop-file-utils appstream unzip file" ;;
    *) echo "install-deps.sh: no group '$group'" >&2; exit 2 ;;
  esac
done
tools_dir=$(dirname "$0")
. "$tools_dir/apt-common.sh"

# Runs a 96-byte i386 program that exits with 42: only a kernel that runs
# i386 programs gets that far.
kernel_runs_i386() {
  case "${MAPIO_I386:-}" in yes) return 0 ;; no) return 1 ;; esac
  probe=$(mktemp) || return 1
  printf '\177\105\114\106\001\001\001\000\000\000\000\000\000\000\000\000\002\000\003\000\001\000\000\000'  >"$probe"
  printf '\124\200\004\010\064\000\000\000\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000' >>"$probe"
  printf '\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010\140\000\000\000' >>"$probe"
  printf '\140\000\000\000\005\000\000\000\000\020\000\000\270\001\000\000\000\273\052\000\000\000\315\200' >>"$probe"
  chmod +x "$probe"
  status=0
  "$probe" 2>/dev/null || status=$?
  rm -f "$probe"
  [ "$status" -eq 42 ]
}

missing=""
for p in $packages; do
  is_installed "$p" || missing="$missing $p"
done
# A refusal is remembered for a day, so that every make target does not ask
# the mirror again.
refused="${XDG_CACHE_HOME:-$HOME/.cache}/mapio-i386-refused"
recently_refused() { [ -n "$(find "$refused" -mtime -1 2>/dev/null)" ]; }
missing_i386=""
if [ -n "$i386_packages" ] && ! recently_refused && kernel_runs_i386; then
  for p in $i386_packages; do
    is_installed "$p" || missing_i386="$missing_i386 $p"
  done
fi

if [ -n "$missing$missing_i386" ]; then
  if [ -n "$missing_i386" ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  apt_update
fi
if [ -n "$missing" ]; then
  echo "Installing:$missing"
  # shellcheck disable=SC2086
  if ! apt_install $missing; then
    report_uninstallable $missing
    exit 1
  fi
fi
if [ -n "$missing_i386" ]; then
  echo "Installing:$missing_i386"
  # shellcheck disable=SC2086
  if ! apt_install $missing_i386; then
    echo "install-deps.sh: warning: could not install$missing_i386; the Windows tests use the 64-bit Wine" >&2
    mkdir -p "$(dirname "$refused")" && touch "$refused"
  fi
fi
case " $groups " in *" windows "*) "$tools_dir/debian-source.sh" pugixml && "$tools_dir/debian-source.sh" scintilla ;; esac  # the Windows build's
