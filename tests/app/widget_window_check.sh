#!/bin/sh
# The clock as a desktop widget in a real X session (Xvfb, openbox with its four workspaces,
# picom): never placed, it opens in the top-right corner; it is on every workspace, out of the
# task bar and pager, and with "Stay on top" off below an ordinary window that stays over it
# when the clock is clicked; showing the desktop leaves it on the screen, on top as well as
# below; "Lock position" makes a drag do nothing; "On all workspaces" off keeps it on the
# workspace it is on. Under KWin's X11 window manager, which knows the sticky state that
# openbox does not, the window is sticky as well, and on top, where KWin gives it no focus, it
# shows its corner marks while the pointer is over it.
#
# usage: widget_window_check.sh VELMORA
set -eu
velmora=$1
check_name="desktop widget check"
. "$(dirname "$0")/window_check_lib.sh"
begin_check
start_window_manager
openbox_pid=${helpers# }
picom --backend xrender >/dev/null 2>&1 &
helpers="$helpers $!"
wait_for_desktop
use_private_session
printf '[View]\nStayOnTop=0\n' >"$settings"

# Whether the window's _NET_WM_STATE holds every state named.
has_states() {
    states=$(xprop -id "$window" _NET_WM_STATE)
    for state in "$@"; do
        case $states in *"_NET_WM_STATE_$state"*) ;; *) return 1 ;; esac
    done
}
# Waits up to five seconds for has_states.
until_states() {
    until_time=$(deadline 5)
    until has_states "$@"; do
        past "$until_time" && fail "the clock's states are not $*: $states"
        sleep 0.1
    done
}
viewable() { xwininfo -id "$1" | grep -q 'Map State: IsViewable'; }
# Right-clicks the clock and picks the item the Down presses reach (no tray: "Click through"
# is disabled and skipped).
menu_pick() {
    xdotool mousemove $((x + 150)) $((y + 100)) click 3
    sleep 0.6
    xdotool key --delay 60 $(yes Down | head -n "$1") Return
    sleep 0.8
}

"$velmora" &
clock=$!
window=$(until_found --name '^Velmora$') || fail "the clock window did not appear"
sleep 1
read_geometry "$window"
# 1024 - 24 - 200: the corner of the screen, which has no panels here.
[ "$x" = 800 ] && [ "$y" = 24 ] || fail "the never-placed clock opened at $x,$y, not 800,24"
until_states SKIP_TASKBAR SKIP_PAGER BELOW
[ "$(xprop -id "$window" _NET_WM_DESKTOP | sed 's/.* = //')" = 4294967295 ] ||
    fail "the clock is not on all workspaces: $(xprop -id "$window" _NET_WM_DESKTOP)"
grep -q '^ClockWindow_X' "$settings" && fail "the clock's own first place was saved"

xdotool set_desktop 1
sleep 0.5
viewable "$window" || fail "the clock vanished on the second workspace"
import -window root "$work/screen.png"
[ "$(pixel $((x + 100)) $((y + 40)))" != 336699 ] || fail "the clock is not drawn on workspace 2"
xdotool set_desktop 0
sleep 0.5

# An ordinary window over the clock's left half stays over it when the clock is clicked and
# asks to be raised, as a program raising itself would.
xlogo -geometry 200x200+700+24 -bg "#ff0000" -fg "#ff0000" >/dev/null 2>&1 &
helpers="$helpers $!"
other=$(until_found --name '^xlogo$') || fail "xlogo did not appear"
sleep 0.5
xdotool mousemove 960 124 click 1
xdotool windowraise "$window"
sleep 0.8
import -window root "$work/screen.png"
[ "$(pixel 850 124)" = FF0000 ] || fail "the clock came over the window above it: $(pixel 850 124)"

# Showing the desktop hides the window and leaves the clock.
wmctrl -k on
sleep 0.8
viewable "$window" || fail "showing the desktop hid the clock"
viewable "$other" && fail "showing the desktop did not hide the ordinary window"
wmctrl -k off
sleep 0.8

# "Lock position" (fifth item) makes a drag do nothing.
menu_pick 5
grep -q '^LockPosition=1$' "$settings" || fail "\"Lock position\" was not stored: $(cat "$settings")"
xdotool mousemove 960 124 mousedown 1 mousemove 900 200 mousemove 850 300 mouseup 1
sleep 0.8
read_geometry "$window"
[ "$x" = 800 ] && [ "$y" = 24 ] || fail "the locked clock was dragged to $x,$y"

# "Stay on top" (third item): over the window, also once it is raised, and through showing
# the desktop.
menu_pick 3
grep -q '^StayOnTop=1$' "$settings" || fail "\"Stay on top\" was not stored: $(cat "$settings")"
until_states ABOVE SKIP_TASKBAR SKIP_PAGER
has_states BELOW && fail "the clock on top is still below: $states"
xdotool windowraise "$other"
sleep 0.8
import -window root "$work/screen.png"
[ "$(pixel 850 124)" != FF0000 ] || fail "the clock on top is under the window"
wmctrl -k on
sleep 0.8
viewable "$window" || fail "showing the desktop hid the clock on top"
wmctrl -k off
sleep 0.5

# "On all workspaces" (fourth item) off: kept on the first workspace only.
menu_pick 4
grep -q '^OnAllWorkspaces=0$' "$settings" || fail "\"On all workspaces\" off was not stored"
sleep 0.5
[ "$(xprop -id "$window" _NET_WM_DESKTOP | sed 's/.* = //')" = 0 ] ||
    fail "the clock is not kept on workspace 1: $(xprop -id "$window" _NET_WM_DESKTOP)"
xdotool set_desktop 1
sleep 0.5
viewable "$window" && fail "the clock kept on workspace 1 shows on workspace 2"
xdotool set_desktop 0
stop_clock

# KWin's window manager for X11, which knows the sticky state.
if ! command -v kwin_x11 >/dev/null; then
    echo "$check_name: kwin_x11 is not installed, its stage is left out"
    echo "$check_name: passed"
    exit 0
fi
kill "$openbox_pid"
printf '[View]\nStayOnTop=0\n' >"$settings"
mkdir -p "$work/kwin"
env -u DBUS_SESSION_BUS_ADDRESS HOME="$work/kwin" KWIN_COMPOSE=N kwin_x11 >"$work/kwin.log" 2>&1 &
helpers="$helpers $!"
until_time=$(deadline 20)
until wm=$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | sed -n 's/.*# //p') &&
    [ -n "$wm" ] && xprop -id "$wm" _NET_WM_NAME 2>/dev/null | grep -q '"KWin"'; do
    past "$until_time" && fail "kwin_x11 did not start: $(tail -3 "$work/kwin.log")"
    sleep 0.1
done
"$velmora" &
clock=$!
window=$(until_found --name '^Velmora$') || fail "the clock window did not appear under KWin"
until_states STICKY SKIP_TASKBAR SKIP_PAGER BELOW
# KWin's own state that keeps a window out of its window switcher.
case $states in *_KDE_NET_WM_STATE_SKIP_SWITCHER*) ;; *) fail "not out of KWin's switcher: $states" ;; esac
wmctrl -k on
sleep 0.8
viewable "$window" || fail "showing the desktop under KWin hid the clock"
wmctrl -k off
sleep 0.5

# On top it is a dock, which KWin never gives the focus: its corner marks show while the
# pointer is over it instead.
read_geometry "$window"
menu_pick 3
until_states ABOVE
# Pixels of the top-right corner square, beside the window, that are not the desktop's.
marked() {
    import -window root "$work/screen.png"
    convert "$work/screen.png" -crop "32x32+$((x + 168))+$y" +repage -fill black -opaque '#336699' \
        -fill white +opaque black -format '%[fx:int(mean*w*h+0.5)]' info:
}
# The window beside it takes the focus the menu gave the clock.
xdotool mousemove 720 150 click 1
sleep 0.5
[ "$(marked)" -le 20 ] || fail "the clock shows its corner marks without the focus or the pointer"
xdotool mousemove $((x + 100)) $((y + 100))
sleep 0.8
[ "$(marked)" -gt 20 ] || fail "no corner marks with the pointer over the clock under KWin"
xdotool mousemove 5 5
sleep 0.8
[ "$(marked)" -le 20 ] || fail "the corner marks stayed after the pointer left the clock"
stop_clock

# A clock started with the window manager, as a session's start-up may do: a window manager
# that misses its first request while it starts must not leave it unseen.
for helper in $helpers; do
    kill "$helper" 2>/dev/null || true
    wait "$helper" 2>/dev/null || true
done
helpers=""
openbox >/dev/null 2>&1 &
helpers="$helpers $!"
"$velmora" --clock together &
clock=$!
until_found --name 'together$' >/dev/null ||
    fail "the clock started with the window manager stayed unseen"
stop_clock
echo "$check_name: passed"
