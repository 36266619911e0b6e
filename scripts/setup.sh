#!/usr/bin/env bash
# Installs what building and running Velto 03 need on Debian 12, only where it is
# missing; with --package also what building its Debian package needs; with --tests
# also what the test suite needs (the package tools included), and the locales it
# reads. Safe to run again.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libxcb1-dev
  fonts-liberation fonts-comic-neue
  dpkg-dev file
)
package_tools=(debhelper fakeroot lintian)
tests=false
if [ "${1:-}" = "--package" ]; then
  packages+=("${package_tools[@]}")
elif [ "${1:-}" = "--tests" ]; then
  tests=true
  packages+=("${package_tools[@]}"
    libgtest-dev libgmock-dev libbenchmark-dev
    locales xvfb xauth xdotool x11-utils x11-xserver-utils openbox imagemagick
    xfwm4 xfconf dbus-daemon weston xwayland qt6-wayland orca speech-dispatcher at-spi2-core
    desktop-file-utils appstream
  )
fi

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  as_root apt-get update
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

$tests || exit 0

# The tests read real locales: two with a comma, one whose decimal point is two bytes.
for name in ru_RU de_DE ps_AF; do
  if ! locale -a 2>/dev/null | grep -qx "${name}.utf8"; then
    echo "Generating locale ${name}.UTF-8"
    as_root localedef -i "$name" -f UTF-8 "${name}.UTF-8"
  fi
done
