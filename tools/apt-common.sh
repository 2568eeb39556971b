# Sourced by the install scripts: apt as they use it.
# An index that fails to load (a mirror in sync, a foreign architecture's
# index older than the rest) is a warning, not the end: the packages may all
# be in the indexes that did load, and the install that follows says which
# one is not.

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
APT_SUDO=$SUDO  # empty for an update into a lists folder of one's own

is_installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

# apt_update [apt options...]
apt_update() {
  apt_log=$(mktemp)
  if ! $APT_SUDO apt-get "$@" update -qq >"$apt_log" 2>&1; then
    echo "$(basename "$0"): warning: apt-get update failed in part; going on with the indexes that loaded. apt said:" >&2
    sed 's/^/  /' "$apt_log" >&2
  else
    cat "$apt_log"
  fi
  rm -f "$apt_log"
}

apt_install() {
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "$@"
}

# Names each package that apt cannot install on its own, after a failed install.
report_uninstallable() {
  for p in "$@"; do
    apt-get install -s -qq "$p" >/dev/null 2>&1 ||
      echo "$(basename "$0"): cannot install $p" >&2
  done
}
