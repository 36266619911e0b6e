# Shared by the end-to-end tests: a private X server with a window manager, and pixel
# reading from screenshots. Needs Xvfb, openbox, xdotool, xwininfo and ImageMagick.

fail() { echo "FAIL: $*" >&2; exit 1; }

# Starts Xvfb on a free display and openbox on it; exports DISPLAY.
start_desktop() {
  local fifo
  fifo=$(mktemp -u) && mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
  XVFB_PID=$!
  read -r -t 20 number <"$fifo" || fail "Xvfb did not start"
  rm -f "$fifo"
  export DISPLAY=":$number"
  openbox --sm-disable >/dev/null 2>&1 &
  WM_PID=$!
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    sleep 0.1
  done
  fail "openbox did not start"
}

stop_desktop() {
  kill "${APP_PID:-}" "${WM_PID:-}" "${XVFB_PID:-}" 2>/dev/null || true
  wait 2>/dev/null || true
}

# The id of the visible window titled exactly $1, waiting for it.
window_named() {
  local id
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  fail "no window named '$1'"
}

# Absolute X and Y of a window's client area.
client_origin() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} END {print x, y}'
}

# Left and top of a window's frame, as the window manager placed it.
frame_origin() {
  local x y extents
  read -r x y < <(client_origin "$1")
  extents=$(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= *//p' | tr -d ' ')
  IFS=, read -r left _ top _ <<<"$extents"
  echo $((x - left)) $((y - top))
}

screenshot() { import -window root "$1"; }

# The colour at $2,$3 of picture $1 as RRGGBB.
pixel() { convert "$1" -format "%[hex:p{$2,$3}]" info: | cut -c1-6 | tr 'A-F' 'a-f'; }

expect_pixel() {  # picture x y RRGGBB what
  local got
  got=$(pixel "$1" "$2" "$3")
  [ "$got" = "$4" ] || fail "$5: expected #$4 at $2,$3, got #$got"
}
