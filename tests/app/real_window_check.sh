#!/bin/sh
# The clock in a real X window: Xvfb with a window manager (openbox), a tray host (wmdocker)
# and a compositor (picom). The clock appears with transparent corners, and after seconds of
# drawing only what changed the screen shows the same clock as a whole frame of that moment
# from velmora-tool; a drag moves it and saves the placement, a corner drag resizes it, a
# double click turns click-through on, and the end of the session ends it cleanly, removing
# its temporary files.
#
# usage: real_window_check.sh VELMORA VELMORA_TOOL
set -eu
velmora=$1
tool=$2
check_name="real window check"
. "$(dirname "$0")/window_check_lib.sh"
begin_check
start_desktop
compositor=${helpers##* }
sleep 1

export TZ=UTC
HOME=$work XDG_CONFIG_HOME=$work/config TMPDIR=$work/tmp QT_QPA_PLATFORM=xcb "$velmora" &
clock=$!
window=$(xdotool search --sync --onlyvisible --name '^Velmora$' | head -n 1)
sleep 1.5
settings=$work/config/vornel-works/velmora.conf

read_geometry "$window"
[ "$w" = 200 ] && [ "$h" = 200 ] || fail "starts at ${w}x$h, not 200x200"
import -window root "$work/screen.png"
# Outside the round dial, away from the corner marks, the desktop shows through.
[ "$(pixel $((x + 40)) $((y + 6)))" = 336699 ] || fail "the corner is not transparent"
[ "$(pixel $((x + 100)) $((y + 40)))" != 336699 ] || fail "the dial is not drawn"

# A few seconds of partial frames later, the screen must show what a whole frame of the moment
# shows. The screenshot is taken well inside one second, after that second's frame; the
# corner squares, where focus marks may show, are left out.
sleep 2.5
shows_frame "$x" "$y" ||
    fail "the screen differs from a whole frame of $before in $differing pixels"

# Never placed, it opened in the top-right corner; a drag down and to the left moves it.
startX=$x; startY=$y
xdotool mousemove $((x + 100)) $((y + 40)) mousedown 1 sleep 0.3 \
    mousemove $((x + 50)) $((y + 90)) sleep 0.3 mousemove $((x)) $((y + 140)) \
    sleep 0.3 mouseup 1
sleep 0.7
read_geometry "$window"
[ "$x" = $((startX - 100)) ] && [ "$y" = $((startY + 100)) ] ||
    fail "a drag of -100,100 moved it from $startX,$startY to $x,$y"
grep -q "^ClockWindow_X=$x\$" "$settings" || fail "the new position was not saved"

# One click gives the focus and shows the corner marks, which take the resizing drag.
xdotool mousemove $((x + 100)) $((y + 100)) click 1
sleep 0.5
xdotool mousemove $((x + 195)) $((y + 195)) mousedown 1 sleep 0.3 \
    mousemove $((x + 220)) $((y + 210)) sleep 0.3 mousemove $((x + 295)) $((y + 245)) \
    sleep 0.3 mouseup 1
sleep 0.7
read_geometry "$window"
[ "$w" = 300 ] && [ "$h" = 250 ] || fail "a corner drag of 100,50 made it ${w}x$h"
grep -q '^ClockWindow_W=300$' "$settings" || fail "the new size was not saved"

xdotool mousemove $((x + 150)) $((y + 60)) click --repeat 2 --delay 80 1
sleep 0.7
grep -q '^ClickThrough=1$' "$settings" || fail "a double click did not turn click-through on"

kill -TERM $clock
for _ in $(seq 50); do kill -0 $clock 2>/dev/null || break; sleep 0.1; done
kill -0 $clock 2>/dev/null && fail "the end of the session did not end the program"
wait $clock || fail "the program ended with an error"
clock=
[ -z "$(ls "$work/tmp")" ] || fail "temporary files were left behind: $(ls "$work/tmp")"
echo "real window check: passed"
