#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up of velto03 against a minimal Qt Widgets program (one label in a window of
# velto03's size), alternately in one Xvfb with a session bus, as a desktop has: time to
# the first drawn frame, the instructions executed up to it (callgrind: the same count
# whatever else the machine does), peak resident memory, and velto03's CPU time while
# idle for 5 seconds. Prints medians and ratios. Targets: time at most 1.15, instructions
# at most 1.3, memory at most 1.1, idle 0.
#   bash bench/startup.sh [build dir] [rounds]
set -euo pipefail
[ -n "${VELTO_IN_SESSION:-}" ] || exec env VELTO_IN_SESSION=1 dbus-run-session -- bash "$0" "$@"
build=${1:-build/release}
rounds=${2:-21}
program=$build/app/velto03
minimal=$build/bench/minimal_window
first_frame=$build/bench/first_frame

work=$(mktemp -d)
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
trap 'kill $(jobs -p) 2>/dev/null; wait; rm -rf "$work"' EXIT
read -r number <"$work/display"
export DISPLAY=":$number" XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

# Each program's first frame: its title, and a pixel of its content with its colour.
velto=("Velto 03" 234 122 000080)  # the navy result panel
yardstick=("Minimal" 300 150 efefef)  # the window's background, away from the label

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
ratio() { awk "BEGIN {printf \"%.2f\", $1 / $2}"; }

# Instructions that $2 executes until its first frame is flushed to the X server:
# callgrind writes them out as that first flush returns.
instructions() {
  valgrind --tool=callgrind --callgrind-out-file="$work/$1.%p" --dump-after='QBackingStore::flush*' \
    "$2" >/dev/null 2>&1 &
  local pid=$! dump
  dump="$work/$1.$pid.1"
  for _ in $(seq 1200); do [ -s "$dump" ] && grep -q '^totals:' "$dump" && break; sleep 0.1; done
  kill "$pid"; wait "$pid" 2>/dev/null || true
  [ -s "$dump" ] || { echo "$2 drew no frame under callgrind in 120 s" >&2; exit 1; }
  awk '/^totals:/ {print $2; exit}' "$dump"
}

"$first_frame" "${velto[@]}" "$program" >/dev/null  # warm the caches for both
"$first_frame" "${yardstick[@]}" "$minimal" >/dev/null
for _ in $(seq "$rounds"); do
  "$first_frame" "${velto[@]}" "$program" >>"$work/velto"
  "$first_frame" "${yardstick[@]}" "$minimal" >>"$work/yardstick"
done
vt=$(cut -d' ' -f1 "$work/velto" | median); mt=$(cut -d' ' -f1 "$work/yardstick" | median)
vm=$(cut -d' ' -f2 "$work/velto" | median); mm=$(cut -d' ' -f2 "$work/yardstick" | median)
vi=$(instructions velto "$program"); mi=$(instructions yardstick "$minimal")

echo "rounds: $rounds each, alternating"
echo "time to first drawn frame (ms): velto03 $vt, minimal $mt, ratio $(ratio "$vt" "$mt")"
echo "instructions to first drawn frame: velto03 $vi, minimal $mi, ratio $(ratio "$vi" "$mi")"
echo "peak resident memory (KiB): velto03 $vm, minimal $mm, ratio $(ratio "$vm" "$mm")"

"$program" >/dev/null 2>&1 &
pid=$!
until xdotool search --onlyvisible --name "^Velto 03\$" >/dev/null 2>&1; do sleep 0.01; done
sleep 1
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
before=$(ticks "$pid")
sleep 5
after=$(ticks "$pid")
kill "$pid"; wait "$pid" 2>/dev/null || true
echo "CPU time while idle for 5 s: $((after - before)) ticks of 1/$(getconf CLK_TCK) s"
