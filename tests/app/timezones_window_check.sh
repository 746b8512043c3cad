#!/bin/sh
# The time zone dialog in a real X session (Xvfb, openbox, wmdocker, picom): a scheme whose
# text shows user zone 1 first shows the machine's zone (UTC); "Time zones..." from the clock's
# menu opens the dialog, part of a name typed into user zone 1's box picks Asia/Kolkata from
# the completions, and after OK the screen shows that zone's time, as a whole frame with that
# zone does; the choice is stored.
#
# usage: timezones_window_check.sh VELMORA VELMORA_TOOL
# With VELMORA_CHECK_SHOTS set to a folder, the dialog's screenshots are kept there.
set -eu
velmora=$1
tool=$2
check_name="time zones window check"
. "$(dirname "$0")/window_check_lib.sh"
begin_check
start_desktop
wait_for_desktop

use_private_session
unset TZDIR
scheme="$work/zone_text.Velmora"
"$tool" build "$(dirname "$0")/../data/zone_text.json" "$scheme" ||
    fail "velmora-tool could not build the scheme"
printf '[View]\nSchemeLoaded=%s\n' "$scheme" >"$settings"

"$velmora" &
clock=$!
window=$(until_found --name '^Velmora$') || fail "the clock window did not appear"
xdotool windowmove "$window" 20 20
until_time=$(deadline 15)
until read_geometry "$window"; [ "$x" = 20 ] && [ "$y" = 20 ]; do
    past "$until_time" && fail "the clock did not move to 20,20"
    sleep 0.05
done
clockX=$x; clockY=$y
until import -window root "$work/screen.png" &&
    [ "$(pixel $((x + 100)) $((y + 40)))" != 336699 ]; do
    past "$until_time" && fail "the clock was not drawn"
    sleep 0.1
done
shows_frame "$clockX" "$clockY" --scheme "$scheme" ||
    fail "before the dialog the text does not show UTC at $before ($differing pixels differ)"

# From the bottom of the menu: "Exit", "Process priority", then "Time zones...".
xdotool mousemove $((x + 100)) $((y + 150)) click 3
until_new "$window" >/dev/null || fail "the context menu did not open"
xdotool key --delay 60 Up Up Up Return
dialog=$(until_found --name '^VELMORA - Time zone settings$') ||
    fail "\"Time zones...\" opened no dialog"
move_window "$dialog" 300 40
[ -z "${VELMORA_CHECK_SHOTS:-}" ] || import -window "$dialog" "$VELMORA_CHECK_SHOTS/zones-open.png"

# The template is 257 x 226 dialog units; the dialog font's letter width and line height come
# back from the client size.
letter=$(((w * 4 + 256) / 257))
line=$(((h * 8 + 225) / 226))
# User zone 1's box (1020) at 14, 103, 229 units across: its typing line, then its completions.
xdotool mousemove $((x + 60 * letter / 4)) $((y + 107 * line / 8)) click 1
sleep 0.3
xdotool type --delay 60 Kolk
sleep 0.3
[ -z "${VELMORA_CHECK_SHOTS:-}" ] ||
    import -window root -crop "${w}x$((h + 200))+$x+$y" "$VELMORA_CHECK_SHOTS/zones-typed.png"
xdotool key --delay 80 Down Return
sleep 0.3
[ -z "${VELMORA_CHECK_SHOTS:-}" ] || import -window "$dialog" "$VELMORA_CHECK_SHOTS/zones-chosen.png"
# OK at 143, 205, 50 x 14.
xdotool mousemove $((x + 168 * letter / 4)) $((y + 212 * line / 8)) click 1
until_time=$(deadline 5)
while xwininfo -id "$dialog" 2>/dev/null | grep -q IsViewable; do
    past "$until_time" && fail "the dialog stayed open after OK"
    sleep 0.05
done
grep -q '^01=.*(UTC+05:30) Asia/Kolkata' "$settings" || fail "user zone 1 was not stored"

shows_frame "$clockX" "$clockY" --scheme "$scheme" --zone 1=Asia/Kolkata ||
    fail "after OK the text does not show Asia/Kolkata at $before ($differing pixels differ)"
compare_with_frame "$clockX" "$clockY" --scheme "$scheme" &&
    fail "after OK the clock still shows UTC"

kill -TERM $clock
wait $clock || fail "the program ended with an error"
clock=
echo "$check_name: passed"
