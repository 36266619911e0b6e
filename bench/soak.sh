#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Long use, for memory: drives velto03 ($1, built) with random real input for $2 minutes
# under openbox, with the accessibility bus on and a client that reads the program's
# whole accessibility tree again and again, and a new colour scheme (qt6ct's) every
# 150 s; prints its resident memory each minute. $3, if given, is a command that runs
# the program (for example "heaptrack -o out"). Needs what the end-to-end tests need.
set -uo pipefail
[ -n "${VELTO_IN_SESSION:-}" ] || exec env VELTO_IN_SESSION=1 dbus-run-session -- bash "$0" "$@"
program=$1 minutes=$2 runner=${3:-}
source "$(dirname "$0")/../tests/e2e/lib.sh"
work=$(mktemp -d)
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_CONFIG_HOME/qt6ct" && mkdir -m 700 "$XDG_RUNTIME_DIR"
scheme() {  # as qt6ct saves one: a new file renamed over its own
  printf '[Appearance]\ncolor_scheme_path=/usr/share/qt6ct/colors/%s.conf\ncustom_palette=true\nstyle=Fusion\n' "$1" \
    >"$XDG_CONFIG_HOME/qt6ct/new.conf"
  mv "$XDG_CONFIG_HOME/qt6ct/new.conf" "$XDG_CONFIG_HOME/qt6ct/qt6ct.conf"
}
scheme darker
trap 'kill "${READER_PID:-}" "${BUS_PID:-}" 2>/dev/null; stop_desktop; rm -rf "$work"' EXIT
start_desktop openbox
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
BUS_PID=$!
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORMTHEME=qt6ct LC_ALL=ru_RU.UTF-8 $runner "$program" 2>"$work/stderr" &
APP_PID=$!
main=$(APP_PID='' window_named "Velto 03")  # $runner may stand between
pid=$(xdotool getwindowpid "$main")
/usr/bin/python3 - $((minutes * 60)) >/dev/null 2>&1 <<'READER' &
import sys, time, pyatspi
def walk(node):
    try:
        node.name, node.getRoleName(), node.getState()
        for i in range(node.childCount):
            walk(node.getChildAtIndex(i))
    except Exception:
        pass
end = time.time() + float(sys.argv[1])
while time.time() < end:
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "velto03":
            walk(app)
    time.sleep(0.3)
READER
READER_PID=$!
read -r x y < <(client_origin "$main")
lists=(16 104 192 280 368)
names=("Белый" "желтый" "Черный" "красный" "xyz" "Серебристый" "Жёлтый")
schemes=(darker airy simple dusk)
act() { timeout 10 xdotool "$@"; }  # xdotool can hang where the pointer is already
start=$SECONDS next_minute=0 next_scheme=150
while [ $((SECONDS - start)) -lt $((minutes * 60)) ]; do
  elapsed=$((SECONDS - start))
  if [ $elapsed -ge $next_minute ]; then
    echo "$((elapsed / 60)) min: $(awk '/VmRSS/ {print $2, $3}' "/proc/$pid/status")"
    next_minute=$((next_minute + 60))
  fi
  if [ $elapsed -ge $next_scheme ]; then
    scheme "${schemes[$((elapsed / 150 % 4))]}"
    next_scheme=$((next_scheme + 150))
  fi
  act windowactivate --sync "$main" 2>/dev/null
  list=$((x + ${lists[$((RANDOM % 5))]}))
  case $((RANDOM % 9)) in
    0) act mousemove $((list + 40)) $((y + 42)) click 1 key Tab Down Down Up ;;
    1) act mousemove $((list + 40)) $((y + 42)) click 1 key ctrl+a && act type --delay 20 "${names[$((RANDOM % 7))]}" ;;
    2) act mousemove $((list + 75)) $((y + 42)) click 1 sleep 0.3 key Down Down Return ;;
    3) act mousemove $((list + 40)) $((y + 42)) click 4 click 5 click 5 ;;
    4) act mousemove $((x + 340)) $((y + 88)) click 1 sleep 0.3 key Return ;;
    5) act mousemove $((x + 20)) $((y + 88 + RANDOM % 2 * 16)) click 1 ;;
    6) act windowminimize "$main" && sleep 0.3 && act windowactivate "$main" ;;
    7) act mousemove $((list + 40)) $((y + 42)) click 1 key ctrl+a ctrl+c ctrl+v ;;
    8) act key Tab Tab Down ;;
  esac
  sleep 0.2  # a person's pace
done
echo "end: $(awk '/VmRSS/ {print $2, $3}' "/proc/$pid/status")"
