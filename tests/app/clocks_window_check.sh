#!/bin/sh
# Two clocks in a real X session (Xvfb, openbox, picom): the default clock and the clock named
# 2, each with its own scheme, side by side, each showing what a whole frame of its scheme
# shows. A second launch of clock 2 with a file hands the file over and ends at once, and the
# running clock 2 shows the new scheme; ending clock 2 leaves the default clock running.
#
# usage: clocks_window_check.sh VELMORA VELMORA_TOOL FIRST.Velmora SECOND.Velmora
set -eu
velmora=$1
tool=$2
first=$3
second=$4
check_name="several clocks check"
. "$(dirname "$0")/window_check_lib.sh"
begin_check
openbox >/dev/null 2>&1 &
helpers="$helpers $!"
picom --backend xrender >/dev/null 2>&1 &
helpers="$helpers $!"
wait_for_desktop
use_private_session
other_settings="$XDG_CONFIG_HOME/vornel-works/velmora-2.conf"

"$velmora" "$first" &
clock=$!
main_window=$(until_found --name '^Velmora$') || fail "the default clock did not appear"
"$velmora" --clock 2 "$second" &
clock2=$!
helpers="$helpers $clock2"
other_window=$(until_new "$main_window") || fail "clock 2 did not appear"
move_window "$main_window" 100 100
move_window "$other_window" 400 100
sleep 2
grep -qF "SchemeLoaded=$first" "$settings" || fail "the default clock did not record $first"
grep -qF "SchemeLoaded=$second" "$other_settings" || fail "clock 2 did not record $second"
read_geometry "$main_window"
main_x=$x main_y=$y
[ "$w" = 200 ] && [ "$h" = 200 ] || fail "the default clock is ${w}x$h, not 200x200"
read_geometry "$other_window"
other_x=$x other_y=$y
[ "$w" = 200 ] && [ "$h" = 200 ] || fail "clock 2 is ${w}x$h, not 200x200"
[ $((other_x - main_x)) -ge 200 ] || fail "the clocks overlap: $main_x,$main_y and $other_x,$other_y"

shows_frame "$main_x" "$main_y" --scheme "$first" ||
    fail "the default clock differs from $first in $differing pixels"
compare_with_frame "$other_x" "$other_y" --scheme "$second" ||
    fail "clock 2 differs from $second in $differing pixels"

# A second launch of clock 2 hands the file over and ends; the running clock 2 takes it.
timeout 15 "$velmora" --clock 2 "$first" || fail "the second launch of clock 2 did not end with 0"
until_time=$(deadline 5)
until grep -qF "SchemeLoaded=$first" "$other_settings"; do
    past "$until_time" && fail "the running clock 2 did not take $first"
    sleep 0.1
done
kill -0 "$clock2" || fail "clock 2 ended when it was handed a scheme"
sleep 1.5
shows_frame "$other_x" "$other_y" --scheme "$first" ||
    fail "clock 2 does not show $first: $differing pixels differ"

# Clock 2's window is titled with its name. Its "Exit" ends it; the default clock runs on.
[ "$(xprop -id "$other_window" WM_NAME | sed 's/[^"]*"//; s/"$//')" = "Velmora — 2" ] ||
    fail "clock 2's window is titled $(xprop -id "$other_window" WM_NAME)"
xdotool mousemove $((other_x + 150)) $((other_y + 100)) click 3
sleep 0.6
xdotool key Up Return
until_time=$(deadline 10)
while kill -0 "$clock2" 2>/dev/null; do
    past "$until_time" && fail "clock 2 did not end"
    sleep 0.1
done
sleep 0.5
kill -0 "$clock" || fail "the default clock ended with clock 2"
xwininfo -id "$main_window" | grep -q IsViewable || fail "the default clock is no longer shown"
echo "$check_name: passed"
