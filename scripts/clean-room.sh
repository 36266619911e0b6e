#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs what a newcomer runs, on roots of a Debian release ($1: bookworm, the default,
# trixie or sid) that have never seen Velto 03. In a fresh root (essential packages, apt
# and git only), from a clean clone of the committed tree: the README's test command,
# then the README's package build with its tests, and lintian of that release on the
# binary and source packages (no error or warning; the other tags listed). Then the
# package's own test (autopkgtest) against a second fresh root. Prints a summary; exits
# non-zero on any failure. Needs root, a Debian mirror, about 6 GB of disk and ten to
# twenty minutes. The logs stay in build/clean-room/RELEASE/.
set -euo pipefail
cd "$(dirname "$0")/.."
[ "$(id -u)" -eq 0 ] || exec sudo bash "$0" "$@"
release=${1:-bookworm}
bash scripts/setup.sh --clean-room

case $release in
bookworm | trixie)
  sources=(
    "deb http://deb.debian.org/debian $release main"
    "deb http://deb.debian.org/debian $release-updates main"
    "deb http://deb.debian.org/debian-security $release-security main"
  ) ;;
sid) sources=("deb http://deb.debian.org/debian sid main") ;;
*) echo "usage: $0 [bookworm|trixie|sid]" >&2; exit 2 ;;
esac
logs=$PWD/build/clean-room/$release
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

# A fresh root of the release in $1, with the kernel's file systems mounted as on a
# machine. The mirror's index of unstable may be past its Valid-Until date.
fresh_root() {
  mmdebstrap --quiet --variant=apt --include=git,ca-certificates --aptopt='Acquire::Check-Valid-Until "false"' \
    "$release" "$1" "${sources[@]}"
  mount -t proc proc "$1/proc"
  mount --rbind /sys "$1/sys" && mount --make-rslave "$1/sys"
  mount --rbind /dev "$1/dev" && mount --make-rslave "$1/dev"
}

# Runs stage $1 (a name), the command after it, into build/clean-room/RELEASE/$1.log.
failed=0
summary=()
stage() {
  local name=$1 start=$SECONDS status=0
  shift
  "$@" >"$logs/$name.log" 2>&1 || status=$?
  local result="passed"
  [ $status -eq 0 ] || { result="FAILED (status $status)"; failed=1; }
  summary+=("$(printf '%-10s %-20s %4d s  %s' "$name" "$result" $((SECONDS - start)) \
    "$(grep -aE 'tests passed|passed, [0-9]+ failed|^(PASS|FAIL)|velto03 +(PASS|FAIL)|^[EWIPX]: ' "$logs/$name.log" | tr '\n' ';' | cut -c1-160)")")
  echo "${summary[-1]}"
  return $status
}

# The newcomer's commands run in process and mount namespaces of their own: the X
# servers and the Orca of its tests never meet the machine's own.
newcomer=$work/newcomer
in_newcomer() {
  unshare --pid --fork --mount bash -c 'mount -t proc proc "$0/proc" && exec chroot "$0" "$@"' "$newcomer" \
    env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin TERM=dumb LANG=C.UTF-8 bash -c "cd /root/velto03 && $1"
}

stage root fresh_root "$newcomer"
git clone --quiet . "$newcomer/root/velto03"
stage tests in_newcomer 'bash scripts/test.sh' || true
stage package in_newcomer 'bash scripts/setup.sh --package && dpkg-buildpackage -us -uc -b' || true
# lintian as the release's own, on the binary package and on the source package (built
# from a clean clone): no error or warning, and every other tag listed.
stage lintian in_newcomer 'apt-get install -y -qq --no-install-recommends lintian >/dev/null &&
  rm -rf ../source && git clone -q . ../source/velto03 && (cd ../source && dpkg-source -b velto03 >/dev/null) &&
  lintian --fail-on none -EvIL +pedantic --display-experimental ../velto03_*.changes ../source/velto03_*.dsc >../lintian.txt &&
  cat ../lintian.txt && ! grep -qE "^[EW]: " ../lintian.txt' || true

if [ -n "$(ls "$newcomer"/root/velto03_*.deb 2>/dev/null)" ]; then
  testbed=$work/testbed
  stage testbed fresh_root "$testbed"
  stage autopkgtest autopkgtest --apt-upgrade "$newcomer"/root/velto03_*.deb "$newcomer/root/velto03" -- chroot "$testbed" || true
fi

echo
echo "== Clean room: Debian $release, $(date -u +%F)"
printf '%s\n' "${summary[@]}"
[ $failed -eq 0 ] && echo "clean room: all stages passed" || echo "clean room: a stage failed; see $logs"
exit $failed
