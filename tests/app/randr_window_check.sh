#!/bin/sh
# A screen that shrinks (RandR) under openbox: a clock placed near the bottom-right corner of
# a large screen moves so that it stays whole on the smaller one, and the settings keep the
# placement the user made.
#
# usage: randr_window_check.sh VELMORA
set -eu
velmora=$1
check_name="RandR window check"
. "$(dirname "$0")/window_check_lib.sh"
begin_check resizable
start_window_manager

use_private_session
cat >"$settings" <<END
[WindowLayout]
ClockWindow_X=1350
ClockWindow_Y=950
ClockWindow_W=200
ClockWindow_H=200
END

"$velmora" &
clock=$!
window=$(until_found --name '^Velmora$') || fail "the clock did not appear"
until_time=$(deadline 5)
until read_geometry "$window"; [ "$x" = 1350 ] && [ "$y" = 950 ]; do
    past "$until_time" && fail "the clock starts at $x,$y, not at its stored 1350,950"
    sleep 0.05
done

xrandr -s 1024x768 || fail "xrandr could not shrink the screen"
until_time=$(deadline 5)
until read_geometry "$window"; [ $((x + w)) -le 1024 ] && [ $((y + h)) -le 768 ]; do
    past "$until_time" && fail "on a 1024x768 screen the clock stays at $x,$y (${w}x$h)"
    sleep 0.05
done
[ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ "$w" = 200 ] && [ "$h" = 200 ] ||
    fail "the clock was moved to $x,$y (${w}x$h)"
import -window root "$work/screen.png"
if [ -n "${VELMORA_CHECK_SHOTS:-}" ]; then
    cp "$work/screen.png" "$VELMORA_CHECK_SHOTS/shrunk.png"
fi
[ "$(pixel $((x + 100)) $((y + 40)))" != "${background#\#}" ] || fail "the dial is not drawn"

# Moved by the program, not by the user: the stored placement stays.
sleep 0.5
for value in X=1350 Y=950 W=200 H=200; do
    grep -q "^ClockWindow_$value\$" "$settings" ||
        fail "the stored placement changed: $(grep ClockWindow_ "$settings" | tr '\n' ' ')"
done

kill -TERM "$clock"
wait "$clock" || fail "the program ended with an error"
clock=
for value in X=1350 Y=950; do
    grep -q "^ClockWindow_$value\$" "$settings" || fail "the exit saved the corrected placement"
done
echo "RandR window check: passed"
