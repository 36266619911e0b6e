#!/usr/bin/env bash
# Without any display the program says so in one line and exits with status 1.
set -euo pipefail
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" >"$work/out" 2>"$work/err" || status=$?
[ "$status" -eq 1 ] || { echo "FAIL: exit status $status"; exit 1; }
[ "$(wc -l <"$work/err")" -eq 1 ] || { echo "FAIL: stderr:"; cat "$work/err"; exit 1; }
grep -q 'display' "$work/err" || { echo "FAIL: stderr does not name the display"; exit 1; }
[ ! -s "$work/out" ] || { echo "FAIL: wrote to stdout"; exit 1; }
echo "1 passed, 0 failed"
