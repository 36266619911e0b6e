#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs velto03 in a Wayland session (weston, headless). With XWayland there, it comes up
# on X11, where placement and the taskbar rules hold, unless the user names the platform;
# with no X display it comes up natively. Every run ends with SIGTERM and status 0.
set -euo pipefail
program=$1
work=$(mktemp -d)
source "$(dirname "$0")/lib.sh"
# In a sanitizer build: Mesa's driver has no frame pointers, so only the full unwinder
# follows a leak's stack past it, into the libraries that the suppressions name.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:fast_unwind_on_malloc=0"
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
trap 'kill "${APP_PID:-}" "${WESTON_PID:-}" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"' EXIT

weston --backend=headless-backend.so --socket=velto-test --xwayland --idle-time=0 >"$work/weston.log" 2>&1 &
WESTON_PID=$!
x_display() { sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$work/weston.log"; }
xwayland_up() { [ -n "$(x_display)" ]; }
eventually xwayland_up || { cat "$work/weston.log"; fail "weston did not start with XWayland"; }
x_display=$(x_display)

# Starts the program with the environment given, keeping its stderr with the Wayland
# protocol it speaks in a file of this start's own, there before the program is: a sign
# of an earlier start can never stand for this one's.
starts=0
start() {
  starts=$((starts + 1))
  STDERR=$work/stderr.$starts
  : >"$STDERR"
  env -u QT_QPA_PLATFORM "$@" WAYLAND_DEBUG=client "$program" 2>>"$STDERR" &
  APP_PID=$!
}
# libwayland writes an object as xdg_toplevel@N up to 1.22, as xdg_toplevel#N from 1.23.
speaks_wayland() { grep -qE 'xdg_toplevel[@#][0-9]+\.set_title\("Velto 03"\)' "$STDERR"; }
# Its main window is up, and it is still running.
came_up() {
  eventually "$@" || { cat "$STDERR"; fail "the main window did not come up ($*)"; }
  kill -0 "$APP_PID" 2>/dev/null || { cat "$STDERR"; fail "the program did not stay up"; }
}
stop() {
  kill -s TERM "$APP_PID"
  local status=0
  wait "$APP_PID" || status=$?
  APP_PID=
  [ "$status" -eq 0 ] || { grep -v '^\[' "$STDERR" | tail -n 60 >&2; fail "exit status $status after SIGTERM ($1)"; }
}

start WAYLAND_DISPLAY=velto-test DISPLAY="$x_display"
DISPLAY=$x_display came_up window_shown "Velto 03"
speaks_wayland && fail "with XWayland there, the program spoke Wayland"
stop "XWayland"

start WAYLAND_DISPLAY=velto-test DISPLAY="$x_display" QT_QPA_PLATFORM=wayland
came_up speaks_wayland
stop "named platform"

start -u DISPLAY WAYLAND_DISPLAY=velto-test
came_up speaks_wayland
stop "native Wayland"
echo "1 passed, 0 failed"
