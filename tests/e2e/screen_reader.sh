#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs velto03 with Debian's screen reader, Orca, in a private X server and D-Bus
# session, works it with real key presses and reads what Orca spoke from its debug log:
# - each new result once, in words, and an invalid-marking message once; nothing for an
#   action that leaves the result as it was;
# - each arrow pick as its colour once, then the result if it changed: no "selection
#   deleted", no fragments of words; a pick from the open list as the list and its
#   colour once, then the result;
# - Tab into a list as its name, role and colour, with no word of selections;
# - a mode switched from the keyboard as the button pressed, then the result;
# - "read title", "where am I" (with the list's name) and "read status bar" (the result
#   again, and the blank panel as nothing);
# - the about window's description once as it opens, each link, reached by Tab, as a
#   link with its address ($2 and $3), and every text of it in flat review;
# - and, from another client, calls with the wrong arguments, a range past the text,
#   properties by any name, set and got, and a method Qt's bridge never answers: each
#   refused or answered at once, the program still there; then ten starts of the
#   program under a flood of such calls from its first moment on the bus.
# Each key waits for what Orca says to it; the words that matter are checked, as Orca 43
# and Orca 48 each put them. An Orca that the user runs is left alone.
set -euo pipefail
# An Orca of the user's own is never touched: this test's Orca then runs in a process
# namespace of its own, where it cannot see that one, or the test is skipped.
if [ -z "${VELTO_OWN_PIDS:-}" ] && pgrep -u "$(id -u)" -x orca >/dev/null; then
  as_user=()
  [ "$(id -u)" -eq 0 ] || as_user=(--user --map-root-user)
  if ! unshare "${as_user[@]}" --pid --fork --mount-proc true 2>/dev/null; then
    echo "SKIP: an Orca of this user's is running, and no process namespace can keep this test's Orca apart from it"
    exit 77
  fi
  exec env VELTO_OWN_PIDS=1 unshare "${as_user[@]}" --pid --fork --mount-proc bash "$0" "$@"
fi
[ -n "${VELTO_IN_SESSION:-}" ] || exec env VELTO_IN_SESSION=1 LANG=ru_RU.UTF-8 dbus-run-session -- bash "$0" "$@"
program=$1
web=$2 mail=$3  # the author's addresses that the about window links to
work=$(mktemp -d)
source "$(dirname "$0")/lib.sh"
# Speech Dispatcher keeps its socket and pid file here: a fresh one for every run.
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
cleanup() {
  pkill -KILL -P "${ORCA_PID:-0}" 2>/dev/null || true  # this test's Orca, under its terminal
  kill "${ORCA_PID:-}" "${BUS_PID:-}" 2>/dev/null || true
  stop_desktop
  rm -rf "$work"
}
trap cleanup EXIT

start_desktop
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
BUS_PID=$!
a11y_bus_up() { dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1; }
eventually a11y_bus_up || fail "the accessibility bus did not start"
# What Orca would speak goes to its debug log. With no sound device here, Speech
# Dispatcher refuses to start and Orca hangs retrying it: Orca is told to use no speech
# server. Orca writes the log line by line only to a terminal: it gets one of its own.
mkdir "$work/prefs"
cat >"$work/prefs/user-settings.conf" <<'SETTINGS'
{"general": {"speechServerFactory": "none", "speechFactoryModules": [], "startingProfile": ["Default", "default"]},
 "profiles": {"default": {"profile": ["Default", "default"], "pronunciations": {}, "keybindings": {}}},
 "pronunciations": {}, "keybindings": {}}
SETTINGS
script -qfec "orca -u '$work/prefs' --debug-file=/dev/tty" /dev/null </dev/null >"$work/orca.log" 2>&1 &
ORCA_PID=$!
# Orca 43 and Orca 48 say so in their own words.
orca_ready() { grep -qE "ORCA: Starting (ATSPI registry|Atspi main event loop)" "$work/orca.log"; }
eventually orca_ready || { tail "$work/orca.log" >&2; fail "Orca did not start"; }

# What Orca has spoken so far, an utterance a line without the full stop that only
# some versions of Orca put at its end, and "KEY name" for each key it was given.
transcript() {
  tr -d '\r' <"$work/orca.log" | grep -E "PROCESS ATSPI_KEY_PRESSED_EVENT|SPEECH OUTPUT" | grep -v '^\^' |
    sed -E "s/.*PROCESS ATSPI_KEY_PRESSED_EVENT: ?'([^']*)'.*/KEY \1/; s/.*SPEECH OUTPUT: '(.*)' ?(\[?\{'established.*|None)$/\1/; s/\.? *$//"
}
failed() { transcript >&2; fail "$@"; }
# Orca has said something that begins with $2 (an extended regular expression) since
# utterance $1: Orca 48 says more of a list than Orca 43 after its role, and some of its
# own words in English.
said_since() { transcript | tail -n +"$(($1 + 1))" | grep -qE "^($2)"; }
# Presses the keys after $1, in order, and waits until Orca has said $1 after them.
press() {
  local expected=$1 from
  shift
  from=$(transcript | wc -l)
  xdotool key --delay 100 "$@"
  eventually said_since "$from" "$expected" || failed "after $*, Orca did not say '$expected'"
  eventually keys_released || failed "Orca did not take the release of $*"
}
# Orca has taken every key's release: a key pressed before that could still find its
# modifier (Insert) held.
keys_released() {
  local presses releases
  presses=$(grep -c "vvvvv PROCESS ATSPI_KEY_PRESSED_EVENT" "$work/orca.log" || true)
  releases=$(grep -c "vvvvv PROCESS ATSPI_KEY_RELEASED_EVENT" "$work/orca.log" || true)
  [ "$presses" -eq "$releases" ]
}
# Orca's desktop keys: Insert+KP_Enter reads the title; pressed twice, the status bar,
# then what it holds ($1). Each comes at a person's pace, not a check: Orca takes the
# Enter key pressed again within half a second, "where am I" included, as one double
# press.
read_title() { sleep 0.6 && press "Velto 03" Insert+KP_Enter; }
status_bar() { sleep 0.6 && press "${1:-$STATUS_BAR}" Insert+KP_Enter Insert+KP_Enter; }
STATUS_BAR="строка состояния|status bar"
BUTTON="(нажимаемая )?кнопка"

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 LC_ALL=ru_RU.UTF-8 "$program" 2>"$work/stderr" &
APP_PID=$!
main=$(window_named "Velto 03")
xdotool windowactivate --sync "$main"
eventually said_since 0 "Кольцо 1 редактируемое поле со списком" || failed "Orca did not find list 1"
status_bar
# Lists 1 to 3 brown, black, black; list 4 silver (10 Ohm at 10 %), gold (10 Ohm at
# 5 %), then "where am I" and the status bar; black (not a tolerance); then "x" typed
# over black, which names no colour: the result stays, as "read title" after it shows.
press "Коричневый" Down
press "Кольцо 2 редактируемое поле со списком" Tab
press "Чёрный" Down
press "Кольцо 3 редактируемое поле со списком" Tab
press "Серебристый" Down
press "Золотистый" Down
press "Черный" Down
press "Кольцо 4 редактируемое поле со списком" Tab
press "10 ом, допуск плюс-минус 10 процентов" Down
press "10 ом, допуск плюс-минус 5 процентов" Down
press "Кольцо 4 редактируемое поле со списком" KP_Enter
status_bar "10 ом, допуск плюс-минус 5 процентов"
press "Четвертое кольцо резистора с четырмя кольцами не может быть чёрное" Down
xdotool key x
read_title
# A pick from the open list (brown, from black): the list and the colour once, then the
# result, with no word of selections.
press "Список с 12 элементами|Чёрный" alt+Down  # Orca 48 says the entry only
press "Коричневый" Down
press "10 ом, допуск плюс-минус 1 процент" Return
# Five bands, with silver in list 5, then four again from the keyboard: the button just
# pressed is said before the result it leads to.
press "Резистор с четырьмя полосами" Tab
press "Резистор с пятью полосами" Down
press "Кольцо 5 редактируемое поле со списком" shift+Tab
press "1 килоом, допуск плюс-минус 10 процентов" Down
press "Резистор с пятью полосами" Tab
press "10 ом, допуск плюс-минус 1 процент" Up
# The about button opens the about window: its texts are read once, then Tab reaches
# each link by its address, and OK again.
press "О программе $BUTTON" Tab
press "OK $BUTTON" space
press "$web ссылка" Tab
press "$mail ссылка" Tab
press "OK $BUTTON" Tab
transcript >"$work/spoken"
# Flat review reads every text of the window, from the top, a line each: Orca's keypad
# plus pressed twice. It goes by its key code: xdotool holds down the first modifier that
# a key's type maps to its plain keysym, and from xkeyboard-config 2.48 on that is Alt
# for the keypad plus, which Orca then does not take for its own command.
# The test waits for the whole review after the last plus, not for the keys' release,
# which Orca 51 loses for the second plus ("UnicodeDecodeError" in its log). A busy
# Orca may take the first plus alone and read the window: its words end before it.
keypad_plus=$(xmodmap -pke | awk '$4 == "KP_Add" && !code { code = $2 } END { print code }')
xdotool key --delay 100 "$keypad_plus" "$keypad_plus"
# Orca 51 says the key as "+", not "плюс", and the window's title before its texts.
review() {
  transcript | sed -En '/^KEY (\+|KP_Add)$/h; /^KEY (\+|KP_Add)$/!H; ${x; p}' |
    sed -E '1d; /^(плюс.*|\+)$/d' | sed '1{/^О программе Velto 03$/d}' | paste -sd'|'
}
expected="Velto 03|Программа предназначена для вычисления значений номинального сопротивления  и допуска резисторов, при использовании цветовой маркирови|Вся информация на сайте|$web|Программист Кварбин. Замечания и пожелания принимаются по адресу|$mail|OK"
review_read() { [ "$(review)" = "$expected" ]; }
eventually review_read || failed "flat review of the about window read '$(review)', not '$expected'"
spoken() { grep -cxF "$1" "$work/spoken" || true; }

for text in "10 ом, допуск плюс-минус 10 процентов" "Четвертое кольцо резистора с четырмя кольцами не может быть чёрное"; do
  [ "$(spoken "$text")" -eq 1 ] || failed "Orca spoke '$text' $(spoken "$text") times, not once"
done
# The second time by the status bar command.
[ "$(spoken "10 ом, допуск плюс-минус 5 процентов")" -eq 2 ] || failed "Orca did not speak '10 ом, допуск плюс-минус 5 процентов.' once as it came and once on demand"
results=$(grep -c 'допуск плюс-минус\|не может быть' "$work/spoken" || true)
[ "$results" -eq 7 ] || failed "Orca spoke $results results, not 7"
[ "$(spoken "Velto 03")" -ge 1 ] || failed "'read title' did not speak the title"
[ "$(grep -cxE "$STATUS_BAR" "$work/spoken")" -eq 2 ] || failed "the status bar was not found twice"
blank=$(awk -v bar="^($STATUS_BAR)$" '$0 ~ bar { on = 1; next } on && /^KEY / { exit } on { print }' "$work/spoken" | paste -sd'|')
[ -z "$blank" ] || failed "the blank panel was read as '$blank'"
# "Where am I" (KP_Enter alone, which Orca 43 calls Return): the list by its name, then
# its colour.
where=$(awk '/^KEY (KP_Enter|Return)$/ && prev !~ /^(KEY Insert|insert)$/ { on = 1; next } on && /^KEY / { exit } on { print } { prev = $0 }' "$work/spoken" | paste -sd'|')
[[ $where == *"Кольцо 4 редактируемое поле со списком"*"Золотистый"* ]] || failed "'where am I' said '$where', not list 4 and its colour"
grep -qi "выделен\|удален" <(sed '/^KEY x$/,$d; /^Золотистый выделен$/d' "$work/spoken") &&
  failed "Orca spoke of selections before anything was typed"
# Each arrow pick: its colour, whole, then at most the result it led to.
picks=$(awk '/^KEY (Down|Up)$/ { if (n) print line; n = 1; line = ""; next }
             /^KEY / { if (n) print line; n = 0; next }
             n { line = line (line == "" ? "" : "|") $0 }
             END { if (n) print line }' <(sed '/^KEY x$/q' "$work/spoken") | sed -E 's/\|[^|]*(допуск|не может быть)[^|]*$//' | paste -sd' ')
expected="Коричневый Чёрный Серебристый Золотистый Черный Серебристый Золотистый Чёрный"
[ "$picks" = "$expected" ] || failed "arrow picks spoke '$picks', not '$expected'"
[ "$(grep -c "Программа предназначена" "$work/spoken")" -eq 1 ] || failed "the about window's description was not read once"
# The mode switched from the keyboard: the button pressed first, then the result.
switch=$(sed -n '/^KEY Up$/,/^KEY Tab$/p' "$work/spoken" | grep -v '^KEY' | paste -sd'|')
[[ $switch == "Резистор с четырьмя полосами"*"|10 ом, допуск плюс-минус 1 процент" ]] ||
  failed "the switch to four bands spoke '$switch', not the button, then the result"
# The pick from the open list: after Enter, the list, its colour and the result, once.
# Orca 51 says the key that Qt 6.11 gives a list ("Вниз") after its role.
open_pick=$(sed -n '/^KEY Alt_L$/,/^KEY Tab$/p' "$work/spoken" | sed -n '/^KEY Return$/,$p' | grep -v '^KEY' | paste -sd'|')
[[ $open_pick =~ ^return\|Кольцо\ 4[^|]*редактируемое\ поле\ со\ списком[^|]*(\|Вниз)?(\|Коричневый)?\|10\ ом,\ допуск\ плюс-минус\ 1\ процент$ && $open_pick == *Коричневый* ]] ||
  failed "a pick from the open list spoke '$open_pick', not the list and its colour, then the result"

# Any client may call with any arguments: Qt's bridge reads them unchecked (and ends the
# program), takes property names for methods, loops over every offset of a range, and
# never answers GetBoundedRanges, nor the setting of the application's id.
cat >"$work/client.py" <<'CLIENT'
import sys
import pyatspi
from gi.repository import Gio, GLib
session = Gio.bus_get_sync(Gio.BusType.SESSION)
address = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None, None, 0, 5000).unpack()[0]
bus = Gio.DBusConnection.new_for_address_sync(address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT |
                                             Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)
ROOT = "/org/a11y/atspi/accessible/root"
PROPERTIES = "org.freedesktop.DBus.Properties"

def call(name, path, interface, method, arguments):
    """A call's answer, or None where it was refused; every call is answered within 2 s."""
    try:
        return bus.call_sync(name, path, interface, method, arguments, None, 0, 2000, None).unpack()
    except GLib.GError as error:
        if "NoReply" in str(error) or "imed out" in str(error) or "disconnected" in str(error):
            raise SystemExit("%s.%s%s at %s: %s" % (interface, method, arguments, path, error))
        return None

def odd_calls():
    app = next(a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.name == "velto03")
    name = app.app.bus_name
    def texts(node):
        if "Text" in node.get_interfaces():
            yield node
        for i in range(node.childCount):
            yield from texts(node.getChildAtIndex(i))
    text = next(texts(app))
    editable = next(node for node in texts(app) if "EditableText" in node.get_interfaces())
    def said(answer):
        return "refused" if answer is None else "answered"
    def text_call(interface, method, arguments, path=text.path):
        print(interface, method, said(call(name, path, "org.a11y.atspi." + interface, method, arguments)))
    def properties(path, method, *arguments):
        answer = call(name, path, PROPERTIES, method, GLib.Variant("(%s)" % "ssv"[:len(arguments)], arguments))
        print(method, arguments[:2], said(answer))
        return answer
    for interface, method, arguments in [
            ("Text", "GetText", None), ("Text", "GetText", GLib.Variant("(s)", ("0",))),
            ("Text", "GetCharacterExtents", None), ("Accessible", "GetChildAtIndex", None),
            ("Text", "GetRangeExtents", GLib.Variant("(iiu)", (-2**31, 2**31 - 1, 0))),
            ("EditableText", "InsertText", GLib.Variant("(isi)", (0, "", 2**31 - 1))),
            ("Text", "GetBoundedRanges", GLib.Variant("(iiiiuuu)", (0, 0, 2000, 2000, 0, 0, 0)))]:
        text_call(interface, method, arguments)
    # Properties: all of every interface, declared or not; names that the bridge takes for
    # methods; a read-only property set; the id the registry sets.
    for interface in text.get_interfaces() + ["", "made.up"]:
        properties(text.path, "GetAll", "org.a11y.atspi." + interface if interface else interface)
    for interface in ["org.a11y.atspi.Application", "org.a11y.atspi.Accessible", "", "made.up"]:
        properties(ROOT, "GetAll", interface)
    for interface, member in [("Text", "OffsetAtPoint"), ("Text", "BoundedRanges"), ("Component", "AccessibleAtPoint"),
                              ("Text", "RangeExtents"), ("Accessible", "Name")]:
        properties(text.path, "Get", "org.a11y.atspi." + interface, member)
    properties(editable.path, "Set", "org.a11y.atspi.EditableText", "TextContents", GLib.Variant("s", "Красный"))
    properties(text.path, "Set", "org.a11y.atspi.Accessible", "Name", GLib.Variant("s", "Красный"))
    properties(ROOT, "Set", "org.a11y.atspi.Application", "Id", GLib.Variant("i", 5))
    if properties(ROOT, "Get", "org.a11y.atspi.Application", "Id") != (5,):
        raise SystemExit("the application's id was not set to 5")
    if call(name, editable.path, "org.a11y.atspi.Text", "GetText", GLib.Variant("(ii)", (0, -1))) == ("org.a11y.atspi.EditableText",):
        raise SystemExit("a property's setting reached the text as a method")
    text_call("Text", "GetText", GLib.Variant("(ii)", (0, -1)))

def flood(program):
    """Starts the program and, from the moment any connection appears on the bus, calls
    that the bridge reads unchecked, as fast as it takes them, until 1.5 s after the
    program's own has appeared; then waits for the program to answer with its name, and
    ends it as a session does. Prints its exit status."""
    import os, signal, subprocess
    paths = [ROOT] + ["/org/a11y/atspi/accessible/%d" % i for i in range(2**31, 2**31 + 64)]
    loop = GLib.MainLoop()
    names = []
    state = {}
    def send():
        if GLib.get_monotonic_time() > state.get("until", float("inf")):
            loop.quit()
            return False
        for name in names:
            for path in paths:
                for interface, method in (("org.a11y.atspi.Text", "GetText"), (PROPERTIES, "GetAll")):
                    bus.call(name, path, interface, method, None, None, 0, 2000, None, None, None)
        return True
    def owner(connection, result, name):
        try:
            pid = connection.call_finish(result).unpack()[0]
        except GLib.GError:
            return
        if pid == started.pid and "until" not in state:
            state.update(name=name, until=GLib.get_monotonic_time() + 1500000)
    def appeared(connection, sender, path, interface, signal_name, arguments):
        name, old, new = arguments
        if new and not old and name.startswith(":"):
            if not names:
                GLib.idle_add(send)
            names.append(name)
            bus.call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "GetConnectionUnixProcessID",
                     GLib.Variant("(s)", (name,)), None, 0, 2000, None, owner, name)
    def ended():
        if started.poll() is not None:
            loop.quit()
            return False
        return True
    bus.signal_subscribe("org.freedesktop.DBus", "org.freedesktop.DBus", "NameOwnerChanged", "/org/freedesktop/DBus",
                         None, 0, appeared)
    started = subprocess.Popen([program], env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LC_ALL="ru_RU.UTF-8"))
    GLib.timeout_add(100, ended)
    loop.run()
    if started.poll() is not None:
        raise SystemExit("the program ended with status %d under the flood" % started.returncode)
    if "name" not in state:
        raise SystemExit("the program's connection never appeared on the bus")
    deadline = GLib.get_monotonic_time() + 45000000
    while call(state["name"], ROOT, PROPERTIES, "Get", GLib.Variant("(ss)", ("org.a11y.atspi.Accessible", "Name"))) != ("velto03",):
        if started.poll() is not None or GLib.get_monotonic_time() > deadline:
            raise SystemExit("the program did not answer with its name after the flood (status %s)" % started.poll())
        GLib.usleep(100000)
    started.send_signal(signal.SIGTERM)
    print("flooded, then ended with status %d" % started.wait(), flush=True)

try:
    odd_calls() if sys.argv[1] == "calls" else flood(sys.argv[2])
except SystemExit as failure:
    print(failure, flush=True)
    raise
CLIENT
/usr/bin/python3 "$work/client.py" calls >"$work/calls" 2>&1 || failed "a client's odd calls: $(cat "$work/calls")"
kill -0 "$APP_PID" 2>/dev/null || failed "the program ended under a client's odd calls: $(cat "$work/calls")"
[ "$(tail -n 1 "$work/calls")" = "Text GetText answered" ] || failed "the program no longer answers: $(cat "$work/calls")"
for call in "GetAll ('org.a11y.atspi.Text',) answered" "GetAll ('made.up',) refused" "Get ('org.a11y.atspi.Text', 'OffsetAtPoint') refused" \
  "Set ('org.a11y.atspi.EditableText', 'TextContents') refused" "Set ('org.a11y.atspi.Application', 'Id') answered"; do
  grep -qxF "$call" "$work/calls" || failed "not '$call': $(cat "$work/calls")"
done

# The program started again and again, each time under a flood of calls from the first
# moment its connection is on the accessibility bus: it comes up and ends as always.
kill "$APP_PID" && wait "$APP_PID" || failed "the program did not end as asked"
APP_PID=
for start in $(seq 10); do
  /usr/bin/python3 "$work/client.py" flood "$program" >"$work/flood" 2>>"$work/stderr" ||
    fail "start $start: $(cat "$work/flood")"
  [ "$(cat "$work/flood")" = "flooded, then ended with status 0" ] || fail "start $start: $(cat "$work/flood")"
done
echo "1 passed, 0 failed"
