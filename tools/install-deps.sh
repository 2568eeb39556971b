#!/bin/sh
# Installs the Debian packages Mapio builds and tests with, if any is missing.
set -e
packages="cmake make g++ pkg-config libgtest-dev libgmock-dev libutf8proc-dev libcli11-dev
qt6-base-dev qt6-base-dev-tools qt6-svg-dev binutils-mingw-w64-i686 python3 clang libclang-rt-dev
libpugixml-dev nlohmann-json3-dev libstb-dev"
packages="$packages g++-mingw-w64-i686-posix wine wine32:i386"  # the Windows build, tested under Wine
packages="$packages xvfb xdotool imagemagick"  # its window, driven on a virtual display
packages="$packages wine64 g++-mingw-w64-x86-64-posix"  # the tests where i386 programs cannot run
packages="$packages clang-format"  # make format-check
packages="$packages fonts-wine"  # Tahoma and Marlett, so Wine draws the window as Windows does
packages="$packages help2man dpkg-dev"  # make package: manual page, dependencies of the .deb
packages="$packages lintian desktop-file-utils appstream unzip file"  # checks of the packages
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
tools_dir=$(dirname "$0")
if [ -z "$missing" ]; then "$tools_dir/pugixml-source.sh"; exit 0; fi
echo "Installing:$missing"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386  # for wine32
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
"$tools_dir/pugixml-source.sh"  # for the Windows build
