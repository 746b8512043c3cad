#!/bin/sh
# The window manager's commands on the clock in a real X session (Xvfb, openbox, picom, and a
# tray host, wmdocker, that starts after the clock): once the tray appears, a double click
# turns click-through on; when the tray host ends, the clock takes the mouse again. Started
# in click-through mode it does not take the focus; iconified it comes straight back; the
# window manager's close (as its window menu and Alt+F4 ask it) ends the program as "Exit"
# does, keeping its settings and removing its temporary files.
#
# usage: wm_commands_check.sh VELMORA
set -eu
velmora=$1
check_name="window manager commands check"
. "$(dirname "$0")/window_check_lib.sh"
begin_check
openbox >/dev/null 2>&1 &
helpers="$helpers $!"
picom --backend xrender >/dev/null 2>&1 &
helpers="$helpers $!"
wait_for_desktop

use_private_session

# Waits up to ten seconds for the program to end; fails when it runs on.
ends() {
    until_time=$(deadline 10)
    while kill -0 $clock 2>/dev/null; do
        past "$until_time" && fail "$1"
        sleep 0.1
    done
    wait $clock || fail "the program ended with an error"
    clock=
}

# The window under the pointer at the clock's centre: the clock's own while it takes the mouse.
under_pointer() {
    xdotool mousemove $((x + 100)) $((y + 100))
    sleep 0.2
    xdotool getmouselocation --shell | sed -n 's/^WINDOW=//p'
}

"$velmora" &
clock=$!
window=$(until_found --name '^Velmora$') || fail "the clock window did not appear"
sleep 1
read_geometry "$window"
taking=$(under_pointer)

# The tray host arrives after the clock: within a few seconds click-through can be turned on.
wmdocker >/dev/null 2>&1 &
docker=$!
sleep 4
xdotool mousemove $((x + 150)) $((y + 60)) click --repeat 2 --delay 80 1
sleep 0.7
grep -q '^ClickThrough=1$' "$settings" ||
    fail "click-through stayed unavailable after the tray host started"
[ "$(under_pointer)" != "$taking" ] || fail "in click-through mode the clock takes the mouse"

# The tray host leaves: the clock takes the mouse again, since nothing else could bring it back.
kill $docker
wait $docker 2>/dev/null || true
docker=
until_time=$(deadline 8)
until [ "$(under_pointer)" = "$taking" ]; do
    past "$until_time" && fail "the clock still lets clicks through with no tray"
    sleep 0.3
done

# The window manager's close ends the program as "Exit" does. It is asked through wmctrl, as
# the window menu asks it: a key would depend on which window has the focus.
wmctrl -i -c "$window"
ends "the window manager's close did not end the program"
[ -z "$(ls "$work/tmp")" ] || fail "temporary files were left behind: $(ls "$work/tmp")"

# Started in click-through mode with a tray.
wmdocker >/dev/null 2>&1 &
docker=$!
# The clock asks for a tray as it starts: the tray host's window must be there first.
until_time=$(deadline 10)
until xwininfo -root -tree | grep -q '("docker" "Docker")'; do
    past "$until_time" && fail "the tray host did not start"
    sleep 0.1
done
sleep 0.5
grep -q '^ClickThrough=1$' "$settings" || fail "the click-through choice was not kept"
"$velmora" &
clock=$!
window=$(until_found --name '^Velmora$') || fail "the clock window did not appear again"
sleep 1.5
read_geometry "$window"
# It neither takes the focus nor shows marks. The focus is the X server's input focus:
# openbox leaves _NET_ACTIVE_WINDOW naming the clock closed above, and the new clock's window
# often gets that very id again (the server hands a new client the freed id range), so the
# active-window hint would name the new clock although it never had the focus.
[ "$(xdotool getwindowfocus 2>/dev/null || echo none)" != "$window" ] ||
    fail "started in click-through mode, the clock took the focus"
import -window root "$work/screen.png"
[ "$(pixel $((x + 1)) $((y + 1)))" = 336699 ] || fail "corner marks are shown at start"

# Iconified by the window manager, it is back at once.
xdotool windowminimize "$window"
sleep 1
xwininfo -id "$window" | grep -q 'Map State: IsViewable' || fail "the iconified clock stayed hidden"
import -window root "$work/screen.png"
[ "$(pixel $((x + 100)) $((y + 40)))" != 336699 ] || fail "the restored clock is not drawn"

# The window manager's close message ends it too, in click-through mode as well.
wmctrl -i -c "$window"
ends "closing the click-through clock did not end the program"
[ -z "$(ls "$work/tmp")" ] || fail "temporary files were left behind: $(ls "$work/tmp")"
echo "window manager commands check: passed"
