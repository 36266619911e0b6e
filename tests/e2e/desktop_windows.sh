#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs velto03 under a real window manager ($2: openbox or xfwm4) on one X screen split
# into two monitors, 1024x768 and 640x480 beside it, and checks what taskbars, pagers and
# switchers read: the about window's monitor moves with its whole frame, its taskbar
# states, the stacking after a click on the main window, minimise and restore cycles as
# one application with the active window kept, Enter on the focused about button, and
# that SIGTERM, SIGHUP and SIGINT end the program as a close does.
set -euo pipefail
program=$1
wm=$2
work=$(mktemp -d)
source "$(dirname "$0")/lib.sh"
trap 'status=$?; stop_desktop; [ $status -eq 0 ] || { echo "program stderr:"; cat "$work/stderr"; } >&2; rm -rf "$work"' EXIT

# Where the minimise button of a window's title bar is, from the frame's right and top;
# and the locale the program runs in: a Russian user's, or the C locale, in which the
# titles still reach old taskbars whole (xdotool finds the about window by WM_NAME).
case $wm in
  openbox) minimise_button=(44 10) locale=ru_RU.UTF-8 ;;
  xfwm4) minimise_button=(39 14) locale=C ;;
esac
click_minimise_button() {
  local left top right bottom
  read -r left top right bottom < <(frame_box "$1")
  xdotool mousemove $((right - minimise_button[0])) $((top + minimise_button[1])) click 1
}

start_desktop "$wm" 1664x768
xrandr --setmonitor big 1024/270x768/203+0+0 screen >/dev/null
xrandr --setmonitor small 640/169x480/127+1024+0 none >/dev/null

start_program() {
  LC_ALL=$locale "$program" 2>>"$work/stderr" &
  APP_PID=$!
  main=$(window_named "Velto 03")
  xdotool windowactivate --sync "$main"
}
inside() {  # window left top right bottom: the whole frame lies within
  local l t r b
  read -r l t r b < <(frame_box "$1")
  [ "$l" -ge "$2" ] && [ "$t" -ge "$3" ] && [ "$r" -le "$4" ] && [ "$b" -le "$5" ]
}
is_unmapped() { [ "$(map_state "$1")" = IsUnMapped ]; }
shown_normally() { [ "$(map_state "$1")" = IsViewable ] && [ "$(wm_state "$1")" = Normal ] && ! net_wm_state "$1" | grep -q HIDDEN; }
main_above_about() { [[ " $(stacking)" == *" $about "*"$main "* ]]; }

start_program

# The first show, by Enter on the focused about button (focus starts in list 1), from a
# main window on the 640x480 monitor: the about window's whole frame, title bar
# included, lies on that monitor.
xdotool windowmove --sync "$main" 1100 20
xdotool windowactivate --sync "$main"
xdotool key --delay 80 Tab Tab Tab Tab Tab Return
about=$(window_named "О программе Velto 03")
eventually inside "$about" 1024 0 1664 480 || fail "about window is not wholly on the 640x480 monitor: $(frame_box "$about")"
eventually is_active "$about" || fail "the about window is not active when shown"
states=$(net_wm_state "$about")
[[ $states == *_NET_WM_STATE_SKIP_TASKBAR* && $states == *_NET_WM_STATE_SKIP_PAGER* ]] ||
  fail "the about window would show in a taskbar or pager: _NET_WM_STATE = $states"
xprop -id "$about" WM_TRANSIENT_FOR | grep -q 'not found' || fail "the about window is transient for another window"
# A close button only: its Motif hints allow and draw neither minimise nor maximise, and
# a window manager that reads them (xfwm4) offers neither.
IFS=', ' read -r flags functions decorations _ < <(xprop -id "$about" _MOTIF_WM_HINTS | sed -n 's/.*= *//p')
(( (flags & 3) == 3 && !(functions & 0x19) && (functions & 0x20) && !(decorations & 0x61) )) ||
  fail "the about window's Motif hints allow more than a close: $flags $functions $decorations"
if [ $wm = xfwm4 ]; then
  actions=$(xprop -id "$about" _NET_WM_ALLOWED_ACTIONS)
  [[ $actions != *MINIMIZE* && $actions != *MAXIMIZE* ]] || fail "xfwm4 offers the about window $actions"
fi
offers_program_icons "$about" || fail "the about window offers icons of '$(icon_sizes "$about")'"

# Left with its centre on no monitor, it goes onto the active window's monitor when it
# shows again, wholly.
xdotool windowmove --sync "$about" 1500 400
read -r l t r b < <(frame_box "$about")
[ $(((l + r) / 2)) -ge 1664 ] || [ $(((t + b) / 2)) -ge 480 ] || fail "could not move the about window off the monitors: $l $t $r $b"
xdotool windowactivate --sync "$about"
xdotool key Return
eventually about_hidden || fail "Enter did not hide the about window"
eventually is_active "$main" || fail "the main window is not active again after the about window hid"
xdotool windowmove --sync "$main" 152 191
xdotool windowactivate --sync "$main"
click_in "$main" 340 88
eventually shown_normally "$about" || fail "the about window did not show again"
eventually inside "$about" 0 0 1024 768 || fail "about window is not wholly on the main window's monitor: $(frame_box "$about")"

# A click on the main window raises it over the about window; the about button then
# leaves the about window covered.
click_in "$main" 100 180
eventually main_above_about || fail "the main window ($main) is not above the about window ($about): $(stacking)"
click_taken "$main" 340 88
main_above_about || fail "the about button raised the about window: $(stacking)"

# Minimised and restored as one application, twice, each time with the window that was
# active before active again: by the title-bar button with the main window active, and
# by a minimise request with the about window active.
# (A person's pace between activating and minimising: the program takes a focus change
# just before a minimise to be the window manager's, not the user's.)
for cycle in button request; do
  if [ $cycle = button ]; then
    xdotool windowactivate --sync "$main"
    before=$main
    sleep 0.3
    click_minimise_button "$main"
  else
    xdotool windowactivate --sync "$about"
    before=$about
    sleep 0.3
    xdotool windowminimize "$main"
  fi
  eventually is_iconic "$main" || fail "$cycle: the main window was not minimised"
  eventually is_unmapped "$about" || fail "$cycle: the about window stayed on screen"
  xdotool windowactivate "$main"  # as a taskbar or window list restores it
  eventually shown_normally "$main" || fail "$cycle: the main window did not come back"
  eventually shown_normally "$about" || fail "$cycle: the about window did not come back"
  sleep 1  # not a wait: they must still be there a second later
  shown_normally "$main" && shown_normally "$about" || fail "$cycle: the windows did not stay"
  eventually is_active "$before" || fail "$cycle: window $before was active before, $(active_window) is after"
done

# Where the window manager gives the about window a minimise button of its own all the
# same (openbox ignores the Motif hints there), it minimises the whole program, which
# then comes back whole, the about window active again.
if [ $wm = openbox ]; then
  xdotool windowactivate --sync "$about"
  sleep 0.3
  click_minimise_button "$about"
  eventually is_iconic "$main" || fail "the about window's minimise button left the main window"
  xdotool windowactivate "$main"
  eventually shown_normally "$main" && eventually shown_normally "$about" || fail "not restored after the about window's minimise"
  eventually is_active "$about" || fail "the about window is not active again after its own minimise"
fi

# Signals end the program as a close of the main window does.
for signal in TERM HUP INT; do
  [ $signal = TERM ] || start_program
  kill -s $signal "$APP_PID"
  status=0
  wait "$APP_PID" || status=$?
  APP_PID=
  [ "$status" -eq 0 ] || fail "SIG$signal: exit status $status"
done
echo "1 passed, 0 failed"
