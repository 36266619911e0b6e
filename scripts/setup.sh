#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what building and running Velto 03 need on Debian 12 or 13, only where it is
# missing; with --package also what building its Debian package needs (the build
# dependencies in debian/control); with --tests also what the test suite needs, the
# package's build included; with --clean-room what scripts/clean-room.sh needs. Safe to
# run again.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

# The result panel's narrow face is part of fonts-liberation up to Debian 12, a package
# of its own from Debian 13 on.
. /etc/os-release
narrow_face=fonts-liberation-sans-narrow
[ "${VERSION_ID:-}" = 12 ] && narrow_face=fonts-liberation

packages=(
  build-essential cmake ninja-build pkgconf
  qt6-base-dev qt6-base-dev-tools libxcb1-dev
  fonts-liberation "$narrow_face" fonts-comic-neue
  dpkg-dev file
)
package=false
case "${1:-}" in
--package)
  package=true ;;
--clean-room)
  packages+=(mmdebstrap autopkgtest) ;;
--tests)
  package=true
  packages+=(
    libgtest-dev libgmock-dev libbenchmark-dev valgrind lintian
    # Locales with a comma and with a two-byte decimal point, and the Russian one that
    # the program is run in.
    locales-all
    xvfb xauth xdotool x11-utils x11-xserver-utils openbox imagemagick
    xfwm4 xfconf mutter dbus-daemon weston xwayland qt6-wayland orca speech-dispatcher at-spi2-core procps
    # The accessibility client of the screen-reader test (Orca 48 no longer brings it).
    python3-pyatspi
    # script(1), which gives Orca a terminal: no longer essential in unstable.
    bsdutils
    desktop-file-utils appstream qt6ct
  ) ;;
esac

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for name in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$name")
  fi
done
updated=false
if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  as_root apt-get update && updated=true
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

if $package && ! (cd "$top" && dpkg-checkbuilddeps) 2>/dev/null; then
  echo "Installing the Debian package's build dependencies"
  $updated || as_root apt-get update
  as_root env DEBIAN_FRONTEND=noninteractive apt-get build-dep -y --no-install-recommends "$top"
fi
