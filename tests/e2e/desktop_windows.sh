#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs velto03 under a real window manager ($2: openbox, xfwm4 or mutter) on one X screen split
# into two monitors, 1024x768 and 640x480 beside it, or in GNOME's Wayland session on
# XWayland with two such monitors ($2: mutter-wayland), and checks what taskbars, pagers
# and switchers read: the about window's monitor moves with its whole frame, its taskbar
# states, the stacking after a click on the main window, minimise and restore cycles as
# one application with the active window kept (twenty times over, the about window open
# and closed, each window active in turn), Enter on the focused about button, and
# that SIGTERM, SIGHUP and SIGINT end the program as a close does.
set -euo pipefail
program=$1
wm=$2
if [ $wm = mutter ] && [[ $(mutter --help 2>&1) != *--x11* ]]; then
  echo "SKIP: this mutter runs no X11 session"
  exit 77
fi
work=$(mktemp -d)
source "$(dirname "$0")/lib.sh"
trap 'status=$?; stop_desktop; [ $status -eq 0 ] || { echo "program stderr:"; cat "$work/stderr"; } >&2; rm -rf "$work"' EXIT

# Where the minimise button of a window's title bar is, from the frame's right and top;
# and the locale the program runs in: a Russian user's, or the C locale, in which the
# titles still reach old taskbars whole (xdotool finds the about window by WM_NAME).
# GNOME's title bars offer no minimise button unless the user adds one: Super+H is its
# own way. From mutter 44 on, a process of its own draws the title bars, with GTK's
# buttons: minimise and maximise on every window that has no parent, whatever its hints.
# In the Wayland session no key from XTEST reaches the compositor's own bindings: the
# hand clicks the main window's minimise button instead, which on its fixed-size frame
# stands where the maximise button stands on others. mutter 43 draws none: there the
# minimise request, as a taskbar sends it, stands in for the hand.
case $wm in
  openbox) minimise_button=(44 10) locale=ru_RU.UTF-8 ;;
  xfwm4) minimise_button=(39 14) locale=C ;;
  mutter | mutter-wayland)
    minimise_button=(90 18) locale=ru_RU.UTF-8
    mutter_version=$(mutter --version | sed -n 's/^mutter \([0-9]*\).*/\1/p') ;;
esac
click_minimise_button() {  # window [its button's place from the frame's right and top]
  local left top right bottom dx=${2:-${minimise_button[0]}} dy=${3:-${minimise_button[1]}}
  read -r left top right bottom < <(frame_box "$1")
  xdotool mousemove $((right - dx)) $((top + dy)) click 1
}
minimise_by_hand() {
  case $wm in
    mutter) xdotool key super+h ;;
    mutter-wayland)
      if [ "$mutter_version" -ge 44 ]; then click_minimise_button "$1" 62 18; else xdotool windowminimize "$1"; fi ;;
    *) click_minimise_button "$1" ;;
  esac
}

if [ $wm = mutter-wayland ]; then
  start_desktop mutter-wayland "1024x768 640x480"
else
  start_desktop "$wm" 1664x768
  xrandr --setmonitor big 1024/270x768/203+0+0 screen >/dev/null
  xrandr --setmonitor small 640/169x480/127+1024+0 none >/dev/null
fi

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
if [ $wm != openbox ]; then
  actions=$(xprop -id "$about" _NET_WM_ALLOWED_ACTIONS)
  [[ $actions != *MINIMIZE* && $actions != *MAXIMIZE* ]] || fail "$wm offers the about window $actions"
fi
offers_program_icons "$about" || fail "the about window offers icons of '$(icon_sizes "$about")'"

# Left with its centre on no monitor, it goes onto the active window's monitor when it
# shows again, wholly. (mutter's Wayland session keeps a window on its monitors: there
# it is left on the small one, away from the main window's, and a wait for the move
# would never end.)
if [ $wm = mutter-wayland ]; then xdotool windowmove "$about" 1500 400; else xdotool windowmove --sync "$about" 1500 400; fi
read -r l t r b < <(frame_box "$about")
[ $(((l + r) / 2)) -ge 1664 ] || [ $(((t + b) / 2)) -ge 480 ] || { [ $wm = mutter-wayland ] && [ "$l" -ge 1024 ]; } ||
  fail "could not move the about window off the monitors: $l $t $r $b"
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
# (On the picture, or, where the window manager placed the about window over that,
# on a band's name.)
spot=(100 180)
read -r al at ar ab < <(frame_box "$about")
read -r mx my < <(client_origin "$main")
((mx + 100 >= al && mx + 100 < ar && my + 180 >= at && my + 180 < ab)) && spot=(20 20)
click_in "$main" "${spot[@]}"
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
    minimise_by_hand "$main"
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

# Twenty more, as a taskbar restores: with the about window open for two cycles, then
# closed for two, and each window active in turn while it is open. Each cycle ends with
# the windows back as they were, and still so a second later.
restored=0 failures=()
cycle_fails() { failures+=("cycle $cycle: $*"); }
for cycle in $(seq 1 20); do
  if [ $((cycle % 4)) -eq 1 ] || [ $((cycle % 4)) -eq 2 ]; then
    about_open=true
    if about_hidden; then
      xdotool windowactivate --sync "$main"
      click_in "$main" 340 88
    fi
    eventually shown_normally "$about" || fail "cycle $cycle: the about window did not show"
  else
    about_open=false
    if ! about_hidden; then
      xdotool windowactivate --sync "$about"
      xdotool key Return
    fi
    eventually about_hidden || fail "cycle $cycle: the about window did not hide"
  fi
  before=$main
  $about_open && [ $((cycle % 2)) -eq 0 ] && before=$about
  xdotool windowactivate --sync "$before"
  eventually is_active "$before" || fail "cycle $cycle: window $before could not be activated"
  sleep 0.3  # a person's pace, as above
  xdotool windowminimize "$main"
  if ! { eventually is_iconic "$main" && eventually is_unmapped "$about"; }; then
    cycle_fails "not minimised as one: main $(wm_state "$main"), about $(map_state "$about")"
    xdotool windowactivate "$main"
    eventually shown_normally "$main" || fail "cycle $cycle: the main window is lost"
    continue
  fi
  xdotool windowactivate "$main"
  back() { shown_normally "$main" && if $about_open; then shown_normally "$about"; else about_hidden; fi; }
  if ! eventually back; then
    cycle_fails "not restored: main $(wm_state "$main") $(net_wm_state "$main"), about $(wm_state "$about") $(map_state "$about")"
    eventually shown_normally "$main" || fail "cycle $cycle: the main window is lost"
    continue
  fi
  sleep 1  # not a wait: they must still be there a second later
  back || { cycle_fails "did not stay: main $(wm_state "$main"), about $(wm_state "$about")"; continue; }
  eventually is_active "$before" || { cycle_fails "window $before was active before, $(active_window) is after"; continue; }
  restored=$((restored + 1))
done
echo "under $wm: $restored of 20 minimise and restore cycles brought the windows back as they were"
[ $restored -eq 20 ] || fail "$(printf '%s; ' "${failures[@]}")"

# Where the window manager gives the about window a minimise button of its own all the
# same (openbox ignores the Motif hints there), it minimises the whole program, which
# then comes back whole, the about window active again. mutter's title bars from 44 on
# draw the buttons that GTK's button layout names whatever the window's hints, but
# mutter itself refuses to minimise or maximise a utility window: a click on them leaves
# both windows as they were.
if [ $wm = openbox ] || { [[ $wm == mutter* ]] && [ "$mutter_version" -ge 44 ]; }; then
  xdotool windowactivate --sync "$main"
  click_in "$main" 340 88  # the cycles above left it closed
  eventually shown_normally "$about" || fail "the about window did not show again"
  xdotool windowactivate --sync "$about"
  sleep 0.3
  click_minimise_button "$about"
  if [ $wm = openbox ]; then
    eventually is_iconic "$main" || fail "the about window's minimise button left the main window"
    xdotool windowactivate "$main"
    eventually shown_normally "$main" && eventually shown_normally "$about" || fail "not restored after the about window's minimise"
  else
    sleep 1  # not a wait: nothing is to happen
    shown_normally "$main" && shown_normally "$about" || fail "the about window's minimise button changed the windows"
  fi
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
