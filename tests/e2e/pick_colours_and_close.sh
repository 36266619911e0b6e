#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts velto03 in a real X server, as a desktop entry with startup notification
# starts it, and expects the notice that start-up is complete and the icon in every
# size; picks a marking with real key presses, checks the stripes and the result panel
# on a screenshot; opens the about window with its button and hides it with Enter; keeps
# the written colours of both windows through a change of colour scheme (qt6ct's); then
# closes the main window with Alt+F4 and expects exit status 0.
set -euo pipefail
program=$1
work=$(mktemp -d)
source "$(dirname "$0")/lib.sh"
trap 'status=$?; stop_desktop; [ $status -eq 0 ] || { echo "program stderr:"; cat "$work/stderr"; } >&2; rm -rf "$work"' EXIT

start_desktop
xev -root -event property >"$work/root-events" 2>&1 &
XEV_PID=$!
# It listens once a property set on the root window after it started shows in its output.
xev_listening() { xprop -root -f _VELTO_TEST_MARK 8s -set _VELTO_TEST_MARK 1; grep -q _VELTO_TEST_MARK "$work/root-events"; }
eventually xev_listening || fail "xev did not start"
# The user's colour scheme, as qt6ct saves it: a new file renamed over its own.
export XDG_CONFIG_HOME=$work/config
mkdir -p "$XDG_CONFIG_HOME/qt6ct"
scheme() {
  printf '[Appearance]\nstyle=Fusion\n%s\n' "$1" >"$XDG_CONFIG_HOME/qt6ct/new.conf"
  mv "$XDG_CONFIG_HOME/qt6ct/new.conf" "$XDG_CONFIG_HOME/qt6ct/qt6ct.conf"
}
scheme "custom_palette=false"
LC_ALL=ru_RU.UTF-8 DESKTOP_STARTUP_ID=velto03-test_TIME0 QT_QPA_PLATFORMTHEME=qt6ct "$program" 2>"$work/stderr" &
APP_PID=$!
main=$(window_named "Velto 03")
eventually grep -q '_NET_STARTUP_INFO' "$work/root-events" || fail "no startup notification ended the launch"
kill "$XEV_PID"
xdotool windowactivate --sync "$main"
eventually offers_program_icons "$main" ||
  fail "the window offers icons of '$(icon_sizes "$main")', not '$PROGRAM_ICON_SIZES'"

read -r frame_x frame_y < <(frame_origin "$main")
[ "$frame_x,$frame_y" = "152,191" ] || fail "window placed at $frame_x,$frame_y, not 152,191"

# List 1 brown, list 2 black, list 3 red, list 4 gold: 1 kOhm at 5 %.
xdotool key --delay 40 Down Tab Down Tab Down Down Down Down Down Tab Down Down
read -r x y < <(client_origin "$main")
# The last key's stripe, then all the rest.
fourth_stripe_gold() { screenshot "$work/shot.png" && [ "$(pixel "$work/shot.png" $((x + 122)) $((y + 160)))" = d7b01a ]; }
eventually fourth_stripe_gold || fail "stripe 4 did not turn gold"

expect_pixel "$work/shot.png" $((x + 64)) $((y + 152)) 800000 "stripe 1 brown"
expect_pixel "$work/shot.png" $((x + 71)) $((y + 175)) 800000 "stripe 1 brown, far corner"
expect_pixel "$work/shot.png" $((x + 90)) $((y + 160)) 000000 "stripe 2 black"
expect_pixel "$work/shot.png" $((x + 106)) $((y + 160)) ff0000 "stripe 3 red"
expect_pixel "$work/shot.png" $((x + 122)) $((y + 160)) d7b01a "stripe 4 gold"
[ "$(pixel "$work/shot.png" $((x + 138)) $((y + 160)))" != ffffff ] || fail "stripe 5 shows in four-band marking"
expect_pixel "$work/shot.png" $((x + 16)) $((y + 136)) 515860 "picture background"
expect_pixel "$work/shot.png" $((x + 234)) $((y + 122)) 000080 "result panel"
result_text() {  # picture: whether yellow text shows in the panel
  [ "$(convert "$1" -crop "201x57+$((x + 240))+$((y + 128))" -fill black +opaque '#FFFF00' \
    -format '%[fx:int(mean*w*h+0.5)]' info:)" -gt 20 ]
}
result_text "$work/shot.png" || fail "no result text in the panel"

# The about button, clicked: the about window shows, active, and Enter hides it.
xdotool mousemove $((x + 340)) $((y + 88)) click 1
about=$(window_named "О программе Velto 03")
eventually is_active "$about" || fail "the about window is not active"
screenshot "$work/about.png"
read -r ax ay < <(client_origin "$about")
expect_pixel "$work/about.png" $((ax + 4)) $((ay + 4)) 738fac "about window background"
xdotool key Return
eventually about_hidden || fail "Enter did not hide the about window"
eventually is_active "$main" || fail "the main window is not active again"

# Shown again, and left open, below the main window: the scheme changes while both
# show, and once the main window has taken it up, both keep their written colours.
xdotool mousemove $((x + 340)) $((y + 88)) click 1
window_named "О программе Velto 03" >/dev/null
xdotool windowactivate --sync "$main"
screenshot "$work/before.png"
face=$(pixel "$work/before.png" $((x + 460)) $((y + 205)))
scheme "custom_palette=true
color_scheme_path=/usr/share/qt6ct/colors/darker.conf"
new_face() { screenshot "$work/after.png" && [ "$(pixel "$work/after.png" $((x + 460)) $((y + 205)))" != "$face" ]; }
eventually new_face || fail "the main window did not take up the new scheme"
written_colours() {
  screenshot "$work/after.png" && [ "$(pixel "$work/after.png" $((x + 234)) $((y + 122)))" = 000080 ] &&
    result_text "$work/after.png" && [ "$(pixel "$work/after.png" $((ax + 4)) $((ay + 272)))" = 738fac ]
}
eventually written_colours || fail "a new scheme took the written colours: panel #$(pixel "$work/after.png" $((x + 234)) $((y + 122))), about window #$(pixel "$work/after.png" $((ax + 4)) $((ay + 272)))"
xdotool key alt+F4
status=0
wait "$APP_PID" || status=$?
APP_PID=
[ "$status" -eq 0 ] || fail "exit status $status"
echo "1 passed, 0 failed"
