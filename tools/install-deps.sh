#!/bin/sh
# Installs the Debian packages Mapio needs for the groups named (all of them
# when none is), if any is missing:
#   build     the programs (the Qt window and mapio-cli)
#   test      the tests and the sanitizer build
#   windows   the Windows programs, cross-built and run under Wine
#   format    make format-check
#   package   make package and its checks
set -e
groups=${*:-build test windows format package}
packages=""
for group in $groups; do
  case "$group" in
    build) packages="$packages cmake make g++ pkg-config libutf8proc-dev libcli11-dev
      libpugixml-dev nlohmann-json3-dev libstb-dev python3
      qt6-base-dev qt6-base-dev-tools qt6-svg-dev" ;;
    test) packages="$packages libgtest-dev libgmock-dev clang libclang-rt-dev" ;;
    windows)
      packages="$packages binutils-mingw-w64-i686 g++-mingw-w64-i686-posix wine wine32:i386"
      packages="$packages wine64 g++-mingw-w64-x86-64-posix"  # where i386 programs cannot run
      packages="$packages xvfb xdotool imagemagick"  # its window, driven on a virtual display
      packages="$packages fonts-wine" ;;  # Tahoma and Marlett, as Windows draws the window
    format) packages="$packages clang-format" ;;
    package) packages="$packages help2man dpkg-dev lintian desktop-file-utils appstream unzip file" ;;
    *) echo "install-deps.sh: no group '$group'" >&2; exit 2 ;;
  esac
done
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
tools_dir=$(dirname "$0")
if [ -n "$missing" ]; then
  echo "Installing:$missing"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  case "$missing" in *:i386*)  # for wine32
    dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386 ;;
  esac
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
fi
case " $groups " in *" windows "*) "$tools_dir/pugixml-source.sh" ;; esac  # the Windows build's
