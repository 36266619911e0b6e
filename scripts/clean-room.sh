#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs what a newcomer runs, on Debian 12 roots that have never seen Velto 03. In a fresh
# root (essential packages, apt and git only), from a clean clone of the committed tree:
# the README's test command, then the README's package build. Then the package's own
# test (autopkgtest) against a second fresh root. Prints a summary; exits non-zero on
# any failure. Needs root, a Debian mirror, about 6 GB of disk and ten minutes.
# The logs stay in build/clean-room/.
set -euo pipefail
cd "$(dirname "$0")/.."
[ "$(id -u)" -eq 0 ] || exec sudo bash "$0" "$@"
bash scripts/setup.sh --clean-room

sources=(
  "deb http://deb.debian.org/debian bookworm main"
  "deb http://deb.debian.org/debian bookworm-updates main"
  "deb http://deb.debian.org/debian-security bookworm-security main"
)
logs=$PWD/build/clean-room
rm -rf "$logs" && mkdir -p "$logs"
work=$(mktemp -d /var/tmp/velto03-clean-room.XXXXXX)
cleanup() {
  for root in "$work"/*/; do
    # Anything still running in a root holds its mounts.
    for process in /proc/[0-9]*; do
      [ "$(readlink "$process/root" 2>/dev/null)" = "${root%/}" ] && kill -KILL "${process#/proc/}" 2>/dev/null
    done
    for mount in dev sys proc; do
      if mountpoint -q "$root$mount"; then umount -R "$root$mount" || umount -R -l "$root$mount"; fi
    done
  done
  rm -rf --one-file-system "$work"
}
trap cleanup EXIT

# A fresh Debian 12 root in $1, with the kernel's file systems mounted as on a machine.
fresh_root() {
  mmdebstrap --quiet --variant=apt --include=git,ca-certificates bookworm "$1" "${sources[@]}"
  mount -t proc proc "$1/proc"
  mount --rbind /sys "$1/sys" && mount --make-rslave "$1/sys"
  mount --rbind /dev "$1/dev" && mount --make-rslave "$1/dev"
}

# Runs stage $1 (a name), the command after it, into build/clean-room/$1.log.
failed=0
summary=()
stage() {
  local name=$1 start=$SECONDS status=0
  shift
  "$@" >"$logs/$name.log" 2>&1 || status=$?
  local result="passed"
  [ $status -eq 0 ] || { result="FAILED (status $status)"; failed=1; }
  summary+=("$(printf '%-10s %-20s %4d s  %s' "$name" "$result" $((SECONDS - start)) \
    "$(grep -E 'tests passed|passed, [0-9]+ failed|^(PASS|FAIL)|velto03 +(PASS|FAIL)' "$logs/$name.log" | tr '\n' ';' | cut -c1-160)")")
  echo "${summary[-1]}"
  return $status
}

newcomer=$work/newcomer
in_newcomer() {
  chroot "$newcomer" env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin TERM=dumb LANG=C.UTF-8 \
    bash -c "cd /root/velto03 && $1"
}

stage root fresh_root "$newcomer"
git clone --quiet . "$newcomer/root/velto03"
stage tests in_newcomer 'bash scripts/test.sh' || true
stage package in_newcomer 'bash scripts/setup.sh --package && dpkg-buildpackage -us -uc -b' || true

if [ -n "$(ls "$newcomer"/root/velto03_*.deb 2>/dev/null)" ]; then
  testbed=$work/testbed
  stage testbed fresh_root "$testbed"
  stage autopkgtest autopkgtest --apt-upgrade "$newcomer"/root/velto03_*.deb "$newcomer/root/velto03" -- chroot "$testbed" || true
fi

echo
echo "== Clean room: Debian 12, $(date -u +%F)"
printf '%s\n' "${summary[@]}"
[ $failed -eq 0 ] && echo "clean room: all stages passed" || echo "clean room: a stage failed; see $logs"
exit $failed
