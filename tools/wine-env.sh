# Sourced by the Wine scripts: sets WINE (the loader to start programs with)
# and WINEARCH to the Wine this machine can run. Where the kernel runs no
# i386 programs the 32-bit Wine cannot start, and the 64-bit one runs the
# x86-64 build of the same sources instead (the Makefile's windows-test).
# Run as a command, it exits 0 exactly when the 32-bit Wine runs here.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  WINE=wine
  export WINEARCH=win32
  mapio_wine_i386=0
else
  WINE=/usr/lib/wine/wine64
  export WINELOADER=$WINE WINEARCH=win64
  mapio_wine_i386=1
fi
if [ "${BASH_SOURCE[0]:-$0}" = "$0" ]; then exit "$mapio_wine_i386"; fi
