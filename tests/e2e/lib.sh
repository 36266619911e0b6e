# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the end-to-end tests: a private X server with a window manager (or GNOME's
# Wayland session with XWayland), what taskbars and switchers read of windows, and pixel
# reading from screenshots. Needs Xvfb, openbox, xfwm4 or mutter (with dbus-run-session),
# Xwayland, xdotool, xprop, xwininfo, xrandr and ImageMagick.

fail() { echo "FAIL: $*" >&2; exit 1; }

# How long any wait lasts at the most: a sanitizer build on a busy machine, or on a
# desktop with thousands of fonts, can take many seconds to show a window.
WAIT_LIMIT=${WAIT_LIMIT:-45}

# Starts Xvfb on a free display with a screen of $2 (1024x768 unless given) and window
# manager $1 (openbox, xfwm4 or mutter; openbox unless given) on it; exports DISPLAY.
# With mutter-wayland, GNOME's own session from GNOME 49 on: mutter's Wayland compositor
# with XWayland for X programs, on monitors of the sizes in $2 ("1024x768 640x480": left
# to right); exports DISPLAY, XAUTHORITY, WAYLAND_DISPLAY and XDG_RUNTIME_DIR as it sets
# them for its programs.
start_desktop() {
  local wm=${1:-openbox} size=${2:-1024x768} fifo
  if [ "$wm" = mutter-wayland ]; then
    start_gnome_wayland $size
    return
  fi
  fifo=$(mktemp -u) && mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
  XVFB_PID=$!
  read -r -t "$WAIT_LIMIT" number <"$fifo" || fail "Xvfb did not start"
  rm -f "$fifo"
  export DISPLAY=":$number"
  case $wm in
    # Openbox sizes its title bars and their buttons from its title font: a face that
    # the program itself needs keeps them the same on every machine.
    openbox)
      OPENBOX_RC=$(mktemp --suffix=.xml)
      sed 's|<name>sans</name>|<name>Liberation Sans</name>|' /etc/xdg/openbox/rc.xml >"$OPENBOX_RC"
      openbox --sm-disable --config-file "$OPENBOX_RC" >/dev/null 2>&1 & ;;
    # xfwm4 reads its settings through D-Bus; it ends with the X server.
    xfwm4) dbus-run-session -- xfwm4 --compositor=off --sm-client-disable >/dev/null 2>&1 & ;;
    # GNOME's, as in its X11 session; it keeps its sockets in the runtime directory.
    mutter)
      MUTTER_RUNTIME=$(mktemp -d)
      XDG_RUNTIME_DIR=$MUTTER_RUNTIME dbus-run-session -- mutter --x11 --replace --sm-disable >/dev/null 2>&1 & ;;
    *) fail "unknown window manager $wm" ;;
  esac
  WM_PID=$!
  eventually wm_running || fail "$wm did not start"
}
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

start_gnome_wayland() {  # monitor sizes
  local monitor monitors=()
  for monitor in "$@"; do monitors+=(--virtual-monitor "$monitor"); done
  MUTTER_RUNTIME=$(mktemp -d)
  XDG_RUNTIME_DIR=$MUTTER_RUNTIME dbus-run-session -- env -u DISPLAY -u WAYLAND_DISPLAY \
    mutter --headless --wayland "${monitors[@]}" >"$MUTTER_RUNTIME/log" 2>&1 &
  WM_PID=$!
  eventually grep -q "Using public X11 display" "$MUTTER_RUNTIME/log" || fail "mutter offered no XWayland: $(tail -n 3 "$MUTTER_RUNTIME/log")"
  export DISPLAY XAUTHORITY WAYLAND_DISPLAY=wayland-0 XDG_RUNTIME_DIR=$MUTTER_RUNTIME
  DISPLAY=$(sed -n 's/.*Using public X11 display \(:[0-9]*\).*/\1/p' "$MUTTER_RUNTIME/log" | head -n 1)
  XAUTHORITY=$(ls "$MUTTER_RUNTIME"/.mutter-Xwaylandauth.* | head -n 1)
  eventually wm_running || fail "mutter manages no X windows"
}

stop_desktop() {
  kill "${APP_PID:-}" 2>/dev/null || true
  # Under dbus-run-session the window manager is its child: the session bus, and what it
  # started, end once that has gone.
  pkill -P "${WM_PID:-0}" 2>/dev/null || kill "${WM_PID:-}" 2>/dev/null || true
  kill "${XVFB_PID:-}" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "${OPENBOX_RC:-}" "${MUTTER_RUNTIME:-}"
}

# The id of the visible window titled exactly $1, waiting for it; and whether there is
# one. Only the program started last ($APP_PID) counts where it is set: a window of
# another program may have the same title.
window_named() {
  eventually window_shown "$1" || fail "no window named '$1' (line ${BASH_LINENO[0]})"
  xdotool search --all --onlyvisible ${APP_PID:+--pid "$APP_PID"} --name "^$1\$" | head -n 1
}
window_shown() { xdotool search --all --onlyvisible ${APP_PID:+--pid "$APP_PID"} --name "^$1\$" >/dev/null 2>&1; }
about_hidden() { ! window_shown "О программе Velto 03"; }

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

# Right, top and bottom edges of a window's frame as a line "left top right bottom"
# (right and bottom exclusive).
frame_box() {
  local x y width height extents left right top bottom
  read -r x y < <(client_origin "$1")
  read -r width height < <(xwininfo -id "$1" | awk '/Width:/ {w=$NF} /Height:/ {h=$NF} END {print w, h}')
  extents=$(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= *//p' | tr -d ' ')
  IFS=, read -r left right top bottom <<<"$extents"
  echo $((x - left)) $((y - top)) $((x + width + right)) $((y + height + bottom))
}

# What taskbars and switchers read: the window's WM_STATE (Normal, Iconic, or empty when
# withdrawn), its map state, its _NET_WM_STATE atoms; the active window and the stacking
# order, bottom first, as decimal ids.
wm_state() { xprop -id "$1" WM_STATE 2>/dev/null | awk '/window state/ {print $NF}'; }
is_iconic() { [ "$(wm_state "$1")" = Iconic ]; }
map_state() { xwininfo -id "$1" | awk '/Map State/ {print $NF}'; }
net_wm_state() { xprop -id "$1" _NET_WM_STATE | sed -n 's/.*= *//p'; }
active_window() { printf '%d\n' "$(xprop -root _NET_ACTIVE_WINDOW | sed -n 's/.*# *\(0x[0-9a-f]*\).*/\1/p')"; }
is_active() { [ "$(active_window)" = "$1" ]; }
stacking() { for id in $(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*#//' | tr -d ','); do printf '%d ' "$id"; done; }

# Waits for a condition given as a command: true as soon as it holds, false if it still
# does not after $WAIT_LIMIT seconds.
eventually() {
  local deadline=$((SECONDS + WAIT_LIMIT))
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

# The time of the last press that window $1's program has taken: Qt stamps each one on
# the window, for the window manager (_NET_WM_USER_TIME).
user_time() {
  local holder
  holder=$(xprop -id "$1" _NET_WM_USER_TIME_WINDOW 2>/dev/null | sed -n 's/.*# *//p')
  xprop -id "${holder:-$1}" _NET_WM_USER_TIME 2>/dev/null | sed -n 's/.*= *//p'
}

# Clicks at $2,$3 in window $1 and waits until its program has handled the click: once
# a Shift pressed after it is stamped (on the window that has the focus then), the
# release before it has been taken too.
click_taken() {
  local before focus
  before=$(user_time "$1")
  click_in "$@"
  eventually stamped_since "$1" "$before" || fail "the program took no click in window $1"
  focus=$(xdotool getwindowfocus -f)
  before=$(user_time "$focus")
  xdotool key shift
  eventually stamped_since "$focus" "$before" || fail "the program took no key after the click"
}
stamped_since() { [ "$(user_time "$1")" != "$2" ]; }
click_in() {  # window x y
  local x y
  read -r x y < <(client_origin "$1")
  xdotool mousemove $((x + $2)) $((y + $3)) click 1
}

# The sizes of the icons that window $1 offers taskbars and switchers, in order; and
# those of the program's: MAINICON, then the same drawing at the sizes they ask for.
# (xprop reads no more than it is told: the largest icons lie past its default length.)
icon_sizes() { xprop -len 1000000 -id "$1" _NET_WM_ICON | sed -n 's/.*Icon (\([0-9]*\) x \([0-9]*\)).*/\1x\2/p' | paste -sd' '; }
PROGRAM_ICON_SIZES="32x32 16x16 22x22 24x24 48x48 64x64 128x128 256x256"
offers_program_icons() { [ "$(icon_sizes "$1")" = "$PROGRAM_ICON_SIZES" ]; }

screenshot() { import -window root "$1"; }

# The colour at $2,$3 of picture $1 as RRGGBB.
pixel() { convert "$1" -format "%[hex:p{$2,$3}]" info: | cut -c1-6 | tr 'A-F' 'a-f'; }

expect_pixel() {  # picture x y RRGGBB what
  local got
  got=$(pixel "$1" "$2" "$3")
  [ "$got" = "$4" ] || fail "$5: expected #$4 at $2,$3, got #$got"
}
