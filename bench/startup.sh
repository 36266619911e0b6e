#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up of velto03 against a minimal Qt Widgets program, alternately in one Xvfb:
# time until the window is shown, peak resident memory, and velto03's CPU time while
# idle for 5 seconds. Prints medians and ratios (targets: at most 1.3; idle 0).
#   bash bench/startup.sh [build dir] [rounds]
set -euo pipefail
build=${1:-build/release}
rounds=${2:-7}
program=$build/app/velto03
minimal=$build/bench/minimal_window

work=$(mktemp -d)
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $(jobs -p) 2>/dev/null; wait; rm -rf "$work"' EXIT
read -r number <"$work/display"
export DISPLAY=":$number"

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

# Runs $1 until its window titled $2 shows; prints milliseconds and peak RSS in KiB.
measure() {
  local start pid shown
  start=$(now_ms)
  "$1" >/dev/null 2>"$work/stderr" &
  pid=$!
  until xdotool search --onlyvisible --name "^$2\$" >/dev/null 2>&1; do
    if [ $(( $(now_ms) - start )) -gt 10000 ]; then
      echo "$1 showed no window in 10 s; alive: $(kill -0 "$pid" 2>/dev/null && echo yes || echo no)" >&2
      cat "$work/stderr" >&2
      for w in $(xdotool search --pid "$pid" 2>/dev/null); do xwininfo -id "$w" | grep -E 'xwininfo|Map State' >&2; done
      exit 1
    fi
    sleep 0.01
  done
  shown=$(now_ms)
  sleep 0.5
  echo "$((shown - start)) $(awk '/VmHWM/ {print $2}' "/proc/$pid/status")"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
}

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

: >"$work/velto_times"; : >"$work/velto_rss"; : >"$work/minimal_times"; : >"$work/minimal_rss"
measure "$program" "Velto 03" >/dev/null   # warm the caches for both
measure "$minimal" "Minimal" >/dev/null
for _ in $(seq "$rounds"); do
  read -r t m < <(measure "$program" "Velto 03"); echo "$t" >>"$work/velto_times"; echo "$m" >>"$work/velto_rss"
  read -r t m < <(measure "$minimal" "Minimal"); echo "$t" >>"$work/minimal_times"; echo "$m" >>"$work/minimal_rss"
done

vt=$(median <"$work/velto_times"); mt=$(median <"$work/minimal_times")
vm=$(median <"$work/velto_rss"); mm=$(median <"$work/minimal_rss")
echo "rounds: $rounds each, alternating"
echo "time to window shown (ms): velto03 $vt, minimal $mt, ratio $(awk "BEGIN {printf \"%.2f\", $vt / $mt}")"
echo "peak resident memory (KiB): velto03 $vm, minimal $mm, ratio $(awk "BEGIN {printf \"%.2f\", $vm / $mm}")"

"$program" >/dev/null 2>&1 &
pid=$!
until xdotool search --onlyvisible --name "^Velto 03\$" >/dev/null 2>&1; do sleep 0.01; done
sleep 1
before=$(ticks "$pid")
sleep 5
after=$(ticks "$pid")
kill "$pid"; wait "$pid" 2>/dev/null || true
echo "CPU time while idle for 5 s: $((after - before)) ticks of 1/$(getconf CLK_TCK) s"
