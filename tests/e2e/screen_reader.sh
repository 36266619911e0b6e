#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs velto03 with Debian's screen reader, Orca, in a private X server and D-Bus
# session, works it with real key presses and reads what Orca spoke from its debug log:
# - each new result once, in words, and an invalid-marking message once; nothing for an
#   action that leaves the result as it was;
# - each arrow pick as its colour once, then the result if it changed: no "selection
#   deleted", no fragments of words;
# - Tab into a list as its name, role and colour, with no word of selections;
# - "read title", "where am I" (with the list's name) and "read status bar" (the result
#   again, and the blank panel as nothing).
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
keys() { xdotool key --delay 400 "$@"; }
# Orca's desktop keys: Insert+KP_Enter reads the title; pressed twice, the status bar.
status_bar() { xdotool key --delay 100 Insert+KP_Enter Insert+KP_Enter; sleep 1; }
keys Insert+KP_Enter
sleep 1
status_bar
# Lists 1 to 3 brown, black, black; list 4 silver (10 Ohm at 10 %), gold (10 Ohm at
# 5 %), then "where am I" and the status bar; black (not a tolerance); then "x" typed
# over black, which names no colour: the result stays.
keys Down Tab Down Tab Down Down Down Tab Down Down
sleep 1
keys KP_Enter
sleep 1
status_bar
keys Down x
sleep 4
kill "$ORCA_PID"  # Orca writes out the rest of its log as it ends, but may not exit
timeout 5 tail --pid="$ORCA_PID" -f /dev/null || { kill -KILL "$ORCA_PID" && wait "$ORCA_PID"; } 2>/dev/null || true
ORCA_PID=

# What Orca spoke, an utterance a line, and "KEY name" for each key it was given.
grep -E "PROCESS ATSPI_KEY_PRESSED_EVENT|SPEECH OUTPUT" "$work/orca.log" | grep -v '^\^' |
  sed -E "s/.*PROCESS ATSPI_KEY_PRESSED_EVENT: '([^']*)'.*/KEY \1/; s/.*SPEECH OUTPUT: '(.*)' ?\[?\{'established.*/\1/" >"$work/spoken"
failed() { cat "$work/spoken" >&2; fail "$@"; }
spoken() { grep -cxF "$1" "$work/spoken" || true; }

for text in "10 ом, допуск плюс-минус 10 процентов." "Четвертое кольцо резистора с четырмя кольцами не может быть чёрное."; do
  [ "$(spoken "$text")" -eq 1 ] || failed "Orca spoke '$text' $(spoken "$text") times, not once"
done
# The second time by the status bar command.
[ "$(spoken "10 ом, допуск плюс-минус 5 процентов.")" -eq 2 ] || failed "Orca did not speak '10 ом, допуск плюс-минус 5 процентов.' once as it came and once on demand"
results=$(grep -c 'допуск плюс-минус\|не может быть' "$work/spoken" || true)
[ "$results" -eq 4 ] || failed "Orca spoke $results results, not 4"
[ "$(spoken "Velto 03")" -ge 1 ] || failed "'read title' did not speak the title"
[ "$(spoken "строка состояния.")" -eq 2 ] || failed "the status bar was not found twice"
[ "$(spoken "пробел")" -eq 0 ] || failed "the blank panel was read as a space"
grep -B1 -xF "Золотистый выделен." "$work/spoken" | grep -qxF "Кольцо 4 редактируемое поле со списком." ||
  failed "'where am I' did not name list 4"
grep -qi "выделен\|удален" <(sed '/^KEY x$/,$d; /^Золотистый выделен.$/d' "$work/spoken") &&
  failed "Orca spoke of selections before anything was typed"
# Each arrow pick: its colour, whole, then at most the result it led to.
picks=$(awk '/^KEY (Down|Up)$/ { if (n) print line; n = 1; line = ""; next }
             /^KEY / { if (n) print line; n = 0; next }
             n { line = line (line == "" ? "" : "|") $0 }
             END { if (n) print line }' "$work/spoken" | sed -E 's/\|[^|]*(допуск|не может быть)[^|]*$//' | paste -sd' ')
expected="Коричневый Чёрный Серебристый Золотистый Черный Серебристый Золотистый Чёрный"
[ "$picks" = "$expected" ] || failed "arrow picks spoke '$picks', not '$expected'"
echo "1 passed, 0 failed"
