#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs velto03 with Debian's screen reader, Orca, in a private X server and D-Bus
# session, picks a marking with real key presses and reads what Orca spoke from its
# debug log: each new result (values in words, and an invalid-marking message) once,
# nothing for an action that leaves the result as it was, and no "text not selected" on
# Tab.
set -euo pipefail
[ -n "${VELTO_IN_SESSION:-}" ] || exec env VELTO_IN_SESSION=1 LANG=ru_RU.UTF-8 dbus-run-session -- bash "$0" "$@"
program=$1
work=$(mktemp -d)
source "$(dirname "$0")/lib.sh"
# Speech Dispatcher keeps its socket and pid file here: a fresh one for every run.
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
cleanup() {
  kill -KILL "${ORCA_PID:-}" 2>/dev/null || true
  kill "${BUS_PID:-}" 2>/dev/null || true
  stop_desktop
  rm -rf "$work"
}
trap cleanup EXIT

start_desktop
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
BUS_PID=$!
sleep 1
# What Orca would speak goes to its debug log. With no sound device here, Speech
# Dispatcher refuses to start and Orca hangs retrying it: Orca is told to use no speech
# server.
mkdir "$work/prefs"
cat >"$work/prefs/user-settings.conf" <<'SETTINGS'
{"general": {"speechServerFactory": "none", "speechFactoryModules": [], "startingProfile": ["Default", "default"]},
 "profiles": {"default": {"profile": ["Default", "default"], "pronunciations": {}, "keybindings": {}}},
 "pronunciations": {}, "keybindings": {}}
SETTINGS
orca --replace -u "$work/prefs" --debug-file="$work/orca.log" >/dev/null 2>&1 &
ORCA_PID=$!
sleep 5  # Orca writes its log in blocks: its start cannot be read from it

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 LC_ALL=ru_RU.UTF-8 "$program" 2>"$work/stderr" &
APP_PID=$!
main=$(window_named "Velto 03")
xdotool windowactivate --sync "$main"
sleep 2
# Lists 1 to 3 brown, black, black; list 4 silver (10 Ohm at 10 %), gold (10 Ohm at
# 5 %), black (not a tolerance); then "x" typed over black, which names no colour: the
# result stays.
xdotool key --delay 400 Down Tab Down Tab Down Down Down Tab Down Down Down x
sleep 4
kill "$ORCA_PID"  # Orca writes out the rest of its log as it ends, but may not exit
timeout 5 tail --pid="$ORCA_PID" -f /dev/null || { kill -KILL "$ORCA_PID" && wait "$ORCA_PID"; } 2>/dev/null || true
ORCA_PID=

spoken() { grep 'SPEECH OUTPUT' "$work/orca.log" | grep -cF "$1" || true; }
results=$(grep 'SPEECH OUTPUT' "$work/orca.log" | grep -c 'допуск плюс-минус\|не может быть' || true)
for text in "10 ом, допуск плюс-минус 10 процентов.'" "10 ом, допуск плюс-минус 5 процентов.'" "не может быть чёрное."; do
  [ "$(spoken "$text")" -eq 1 ] || { grep 'SPEECH OUTPUT' "$work/orca.log" >&2; fail "Orca spoke '$text' $(spoken "$text") times, not once"; }
done
[ "$results" -eq 3 ] || { grep 'SPEECH OUTPUT' "$work/orca.log" >&2; fail "Orca spoke $results results, not 3"; }
# Tab from list to list says nothing of a selection the list left behind lost.
[ "$(spoken "Текст не выделен")" -eq 0 ] || { grep 'SPEECH OUTPUT' "$work/orca.log" >&2; fail "Orca said 'Текст не выделен' as the focus moved"; }
echo "1 passed, 0 failed"
