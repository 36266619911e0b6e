#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# When no window can be opened, the program says why in one line on stderr (Qt's own
# reason: the plugin it could not load, the display it could not open) and exits with
# status 1, never aborting. A scale factor that is not a positive number is ignored with
# one line, and the window still shows.
set -euo pipefail
program=$1
work=$(mktemp -d)
source "$(dirname "$0")/lib.sh"
trap 'stop_desktop; rm -rf "$work"' EXIT
start_desktop
unused_display=:$((${DISPLAY#:} + 1000))
mkdir -m 700 "$work/runtime"

# environment and arguments | what the line must say
cases=(
  "-u DISPLAY -u WAYLAND_DISPLAY|no display"
  "-u WAYLAND_DISPLAY \"$program\" -platform nosuch|\"nosuch\""
  "-u DISPLAY -u WAYLAND_DISPLAY \"$program\" -display $unused_display|display $unused_display"
  "-u WAYLAND_DISPLAY DISPLAY=$unused_display|display $unused_display"
  "QT_QPA_PLATFORM=bogus|\"bogus\""
  "QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=nothing-here XDG_RUNTIME_DIR=$work/runtime|\"wayland\""
  "QT_QPA_PLATFORM=eglfs|cannot open a window: "
  "QT_QPA_PLATFORM=linuxfb|screen"
)
failures=0
for case in "${cases[@]}"; do
  setting=${case%%|*}
  expected=${case#*|}
  [[ $setting == *\"$program\"* ]] || setting="$setting \"$program\""
  status=0
  eval "env -u QT_QPA_PLATFORM $setting" >"$work/out" 2>"$work/err" </dev/null || status=$?
  if [ "$status" -ne 1 ] || [ "$(wc -l <"$work/err")" -ne 1 ] || ! grep -qF "$expected" "$work/err" || [ -s "$work/out" ]; then
    echo "FAIL: $setting: status $status, expected one line with '$expected', got:" >&2
    cat "$work/err" >&2
    failures=$((failures + 1))
  fi
done

for factor in -1 0 nan inf 2x; do
  QT_SCALE_FACTOR=$factor "$program" 2>"$work/err" &
  APP_PID=$!
  if ! window_named "Velto 03" >/dev/null 2>&1 || [ "$(grep -c 'QT_SCALE_FACTOR' "$work/err")" -ne 1 ]; then
    echo "FAIL: QT_SCALE_FACTOR=$factor: no window, or not one line about it:" >&2
    cat "$work/err" >&2
    failures=$((failures + 1))
  fi
  kill "$APP_PID"
  wait "$APP_PID" || true
  APP_PID=
done
echo "$(( ${#cases[@]} + 5 - failures )) passed, $failures failed"
[ "$failures" -eq 0 ]
