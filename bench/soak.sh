#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Long use, for memory and for calm: drives velto03 ($1, built) with random real input for
# $2 minutes under openbox, with the accessibility bus on and a client that calls every
# method of every accessible object with random and extreme arguments, gets, sets and
# gets all of properties by any name, again and again, and a new colour scheme (qt6ct's)
# every 150 s; prints its resident memory each minute, then the client's count of calls
# and the slowest, the slowest box of a range over a text of 16,000 characters, and the
# sanitizer's reports. $3, if given, is a command that runs
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
# The client calls every method of every interface that each object offers, with
# random arguments and the extreme ones, and keeps count of what each call took.
/usr/bin/python3 - $((minutes * 60)) "$work/client" 2>/dev/null <<'READER' &
import random, sys, time, pyatspi
from gi.repository import Gio, GLib
end = time.time() + float(sys.argv[1])
calls = refused = unanswered = 0
slowest, slowest_call = 0.0, ""
EXTREME = [-2**31, -2, -1, 0, 1, 2**31 - 1]
def offset(count):
    return random.choice(EXTREME + [random.randint(-3, count + 3)] * 6)
def coord():
    return random.choice([0, 1, 2, 0, 1, 7])
def call(name, method, *args):
    global calls, refused, unanswered, slowest, slowest_call
    calls += 1
    began = time.perf_counter()
    try:
        method(*args)
    except GLib.GError as error:
        if "imed out" in str(error) or "NoReply" in str(error):
            unanswered += 1
        else:
            refused += 1
    except Exception:
        refused += 1
    took = time.perf_counter() - began
    if took > slowest:
        slowest, slowest_call = took, ("%s%r" % (name, args))[:200]
def interface(node, query):
    try:
        return query(node)
    except Exception:
        return None
def hammer(node):
    global long_ranges, slowest_long_range
    n = node.childCount
    for name in ("getRole", "getRoleName", "getLocalizedRoleName", "getState", "getAttributes",
                 "getRelationSet", "getIndexInParent", "getApplication"):
        call(name, getattr(node, name))
    call("getChildAtIndex", node.getChildAtIndex, offset(n))
    component = interface(node, pyatspi.Accessible.queryComponent)
    if component:
        x, y = random.choice([(0, 0), (2**31 - 1, -2**31), (random.randint(0, 2000), random.randint(0, 1200))])
        call("getExtents", component.getExtents, coord())
        call("contains", component.contains, x, y, coord())
        call("getAccessibleAtPoint", component.getAccessibleAtPoint, x, y, coord())
        call("getPosition", component.getPosition, coord())
        for name in ("getSize", "getLayer", "getMDIZOrder", "getAlpha"):
            call(name, getattr(component, name))
    action = interface(node, pyatspi.Accessible.queryAction)
    if action:
        count = action.nActions
        for name in ("getName", "getDescription", "getKeyBinding", "getLocalizedName"):
            call(name, getattr(action, name), offset(count))
        if random.random() < 0.05 and node.getRole() != pyatspi.ROLE_LINK:
            call("doAction", action.doAction, offset(count))
    text = interface(node, pyatspi.Accessible.queryText)
    if text:
        count = text.characterCount
        call("getText", text.getText, offset(count), offset(count))
        for name in ("getTextAtOffset", "getTextBeforeOffset", "getTextAfterOffset"):
            call(name, getattr(text, name), offset(count), random.randint(0, 6))
        call("getStringAtOffset", text.getStringAtOffset, offset(count), random.randint(0, 4))
        call("getCharacterAtOffset", text.getCharacterAtOffset, offset(count))
        call("getCharacterExtents", text.getCharacterExtents, offset(count), coord())
        call("getRangeExtents", text.getRangeExtents, offset(count), offset(count), coord())
        call("getOffsetAtPoint", text.getOffsetAtPoint, random.choice([0, 2**31 - 1, -2**31, 300]), 40, coord())
        call("getAttributeRun", text.getAttributeRun, offset(count), True)
        call("getDefaultAttributes", text.getDefaultAttributes)
        call("getNSelections", text.getNSelections)
        call("getSelection", text.getSelection, offset(1))
        call("setSelection", text.setSelection, offset(1), offset(count), offset(count))
        call("addSelection", text.addSelection, offset(count), offset(count))
        call("removeSelection", text.removeSelection, offset(1))
        call("setCaretOffset", text.setCaretOffset, offset(count))
    editable = interface(node, pyatspi.Accessible.queryEditableText)
    if editable and random.random() < 0.3:
        count = text.characterCount if text else 0
        word = random.choice(["", " ", "Белый", "😀", "жёлтый ", "x" * 300])
        name = random.choice(["copyText", "cutText", "deleteText"])
        call(name, getattr(editable, name), offset(count), offset(count))
        call("insertText", editable.insertText, offset(count), word, random.randint(-2, len(word)))
        call("pasteText", editable.pasteText, offset(count))
        call("setTextContents", editable.setTextContents, word)
    table = interface(node, pyatspi.Accessible.queryTable)
    if table:
        rows, columns = table.nRows, table.nColumns
        for name in ("getAccessibleAt", "getIndexAt", "getRowExtentAt", "getColumnExtentAt", "isSelected"):
            call(name, getattr(table, name), offset(rows), offset(columns))
        for name in ("getRowDescription", "getRowHeader", "isRowSelected", "getRowAtIndex"):
            call(name, getattr(table, name), offset(rows))
        for name in ("getColumnDescription", "getColumnHeader", "isColumnSelected", "getColumnAtIndex"):
            call(name, getattr(table, name), offset(columns))
    selection = interface(node, pyatspi.Accessible.querySelection)
    if selection:
        for name in ("getSelectedChild", "isChildSelected", "selectChild", "deselectSelectedChild", "deselectChild"):
            call(name, getattr(selection, name), offset(n))
    image = interface(node, pyatspi.Accessible.queryImage)
    if image:
        call("getImageExtents", image.getImageExtents, coord())
        call("getImagePosition", image.getImagePosition, coord())
        call("getImageSize", image.getImageSize)
    value = interface(node, pyatspi.Accessible.queryValue)
    if value:
        call("currentValue", lambda: value.currentValue)
    # And, past what a library lets a client send, any method with the wrong arguments,
    # now and then a string of 10 MB among them.
    method = random.choice(RAW_METHODS)
    wrong = random.choice([None, GLib.Variant("(s)", ("x",)), GLib.Variant("(iii)", (1, 2, 3)), GLib.Variant("(u)", (7,))])
    if random.random() < 0.01:
        wrong = GLib.Variant("(isi)", (0, "ж" * (5 << 20), 2**31 - 1))
    call("raw " + method, raw, node, method, wrong)
    # Properties by any name: declared ones, others, and the names of methods; all of an
    # interface's, declared or not; set, to values of any type.
    full = "org.a11y.atspi." + random.choice(node.get_interfaces() + ["Application", "Made"])
    full = random.choice([full, full, "", "org.freedesktop.DBus.Properties"])
    name = random.choice(PROPERTY_NAMES)
    value = random.choice([GLib.Variant("i", random.choice(EXTREME)), GLib.Variant("s", "Красный"), GLib.Variant("d", 0.5)])
    call("raw Get", raw, node, "Properties.Get", GLib.Variant("(ss)", (full, name)))
    call("raw GetAll", raw, node, "Properties.GetAll", GLib.Variant("(s)", (full,)))
    call("raw Set", raw, node, "Properties.Set", GLib.Variant("(ssv)", (full, name, value)))
    # A range over a long text: the list's text, 16,000 characters long.
    if editable and random.random() < 0.02:
        long_text = "Красный " * 2000
        call("setTextContents", editable.setTextContents, long_text)
        if text and text.characterCount == len(long_text):
            began = time.perf_counter()
            call("getRangeExtents", text.getRangeExtents, 0, -1, coord())
            long_ranges += 1
            slowest_long_range = max(slowest_long_range, time.perf_counter() - began)
PROPERTY_NAMES = ["Name", "Description", "ChildCount", "Parent", "Locale", "AccessibleId", "HelpText", "CharacterCount",
                  "CaretOffset", "NActions", "Id", "ToolkitName", "Version", "CurrentValue", "NRows", "OffsetAtPoint",
                  "RangeExtents", "BoundedRanges", "AccessibleAtPoint", "TextContents", "Text", "", "x" * 300]
long_ranges, slowest_long_range = 0, 0.0
RAW_METHODS = ["Accessible.GetChildAtIndex", "Accessible.GetRole", "Component.GetExtents", "Component.Contains",
               "Text.GetText", "Text.GetTextAtOffset", "Text.GetRangeExtents", "Text.GetStringAtOffset",
               "EditableText.InsertText", "Action.DoAction", "Action.GetName", "Selection.SelectChild",
               "Value.SetCurrentValue", "Table.GetAccessibleAt", "Nothing.Ever"]
session = Gio.bus_get_sync(Gio.BusType.SESSION)
address = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None, None, 0, 5000).unpack()[0]
bus = Gio.DBusConnection.new_for_address_sync(address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT |
                                             Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)
def raw(node, method, arguments):
    interface, member = method.split(".")
    interface = "org.freedesktop.DBus." + interface if interface == "Properties" else "org.a11y.atspi." + interface
    bus.call_sync(node.app.bus_name, node.path, interface, member, arguments, None, 0, 5000, None)
def walk(node):
    try:
        hammer(node)
        for i in range(node.childCount):
            walk(node.getChildAtIndex(i))
    except Exception:
        pass
while time.time() < end:
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "velto03":
            walk(app)
with open(sys.argv[2], "w") as out:
    print("accessibility client: %d calls, %d refused, %d unanswered, slowest %.3f s: %s"
          % (calls, refused, unanswered, slowest, slowest_call), file=out)
    print("range over a text of 16,000 characters: %d asked, slowest %.3f s" % (long_ranges, slowest_long_range), file=out)
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
wait "$READER_PID"
cat "$work/client" 2>/dev/null || echo "accessibility client: gave no count"
kill -0 "$pid" 2>/dev/null && echo "program: still running" || echo "program: ended"
echo "sanitizer reports: $(grep -c -E 'runtime error|ERROR: AddressSanitizer' "$work/stderr")"
