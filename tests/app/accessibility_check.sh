#!/bin/sh
# What a screen reader finds in the running program, in a real X session (Xvfb, openbox,
# wmdocker, picom) with a private session bus and the desktop's accessibility bus
# (at-spi2-core), read with pyatspi: the clock named by the time and date; in the customize
# dialog, the option tree's rows with names and values, a focus event for each row the arrow
# keys move to, and named toolbar buttons that take the focus; in the time zone dialog, the boxes named by their labels.
#
# usage: accessibility_check.sh VELMORA
set -eu
velmora=$1
check_name="accessibility check"
check=$(dirname "$0")/accessibility_check.py
. "$(dirname "$0")/window_check_lib.sh"
begin_check
start_desktop
wait_for_desktop
use_private_session
export LC_ALL=C LANG=C

# The session bus and the accessibility bus the program and the reader meet on.
dbus-daemon --session --fork --address="unix:path=$work/bus" --print-pid=3 3>"$work/bus.pid"
helpers="$helpers $(cat "$work/bus.pid")"
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/bus"
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
helpers="$helpers $!"
until_time=$(deadline 10)
until dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
    >/dev/null 2>&1; do
    past "$until_time" && fail "the accessibility bus did not start"
    sleep 0.1
done
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
reader() { /usr/bin/python3 "$check" "$@" || fail "step $1 failed"; }

start_clock "$(deadline 20)"
reader clock

# "Customize...": four steps up from the bottom of the menu, past "Exit", "Process priority"
# and "Time zones...".
xdotool mousemove $((x + 100)) $((y + 150)) click 3
until_new "$window" >/dev/null || fail "the context menu did not open"
xdotool key --delay 60 Up Up Up Up Return
dialog=$(until_found --name '^VELMORA - Customizing\.\.\.$') || fail "\"Customize...\" opened no dialog"
reader tree
reader toolbar
reader keys Down Down Down Up
xdotool key Escape
until_time=$(deadline 10)
while xdotool search --onlyvisible --name '^VELMORA - Customizing\.\.\.$' >/dev/null 2>&1; do
    past "$until_time" && fail "Esc did not close the customize dialog"
    sleep 0.1
done

xdotool mousemove $((clockX + 100)) $((clockY + 150)) click 3
until_new "$window" >/dev/null || fail "the context menu did not open again"
xdotool key --delay 60 Up Up Up Return
until_found --name '^VELMORA - Time zone settings$' >/dev/null || fail "\"Time zones...\" opened no dialog"
reader zones
xdotool key Escape
stop_clock
