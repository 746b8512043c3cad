#!/bin/sh
# The clock in a real X window: Xvfb with a window manager (openbox), a tray host (wmdocker)
# and a compositor (picom). The clock appears with transparent corners, a drag moves it and
# saves the placement, a corner drag resizes it, a double click turns click-through on, and
# the end of the session ends it cleanly, removing its temporary files.
set -eu
velmora=$1
work=$(mktemp -d)
clock= ; server= ; helpers=
cleanup() {
    kill $clock $helpers 2>/dev/null || true
    kill $server 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "real window check: $*" >&2; exit 1; }

Xvfb -displayfd 3 -screen 0 1024x768x24 +extension Composite -noreset 3>"$work/display" \
    2>/dev/null &
server=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR" "$work/tmp"

background='#336699'
hsetroot -solid "$background" >/dev/null 2>&1
openbox >/dev/null 2>&1 &
helpers="$!"
wmdocker >/dev/null 2>&1 &
helpers="$helpers $!"
picom --backend xrender >/dev/null 2>&1 &
helpers="$helpers $!"
sleep 1

HOME=$work XDG_CONFIG_HOME=$work/config TMPDIR=$work/tmp QT_QPA_PLATFORM=xcb "$velmora" &
clock=$!
window=$(xdotool search --sync --onlyvisible --name '^Velmora$' | head -n 1)
sleep 1.5
settings=$work/config/vornel-works/velmora.conf

field() { xwininfo -id "$window" | sed -n "s/^ *$1: *\\([-0-9]*\\).*/\\1/p"; }
read_geometry() { x=$(field 'Absolute upper-left X'); y=$(field 'Absolute upper-left Y')
                  w=$(field Width); h=$(field Height); }
pixel() { convert "$work/screen.png" -format "%[hex:p{$1,$2}]" info: | cut -c1-6; }

read_geometry
[ "$w" = 200 ] && [ "$h" = 200 ] || fail "starts at ${w}x$h, not 200x200"
import -window root "$work/screen.png"
# Outside the round dial, away from the corner marks, the desktop shows through.
[ "$(pixel $((x + 40)) $((y + 6)))" = 336699 ] || fail "the corner is not transparent"
[ "$(pixel $((x + 100)) $((y + 40)))" != 336699 ] || fail "the dial is not drawn"

startX=$x; startY=$y
xdotool mousemove $((x + 100)) $((y + 40)) mousedown 1 sleep 0.3 \
    mousemove $((x + 150)) $((y + 90)) sleep 0.3 mousemove $((x + 200)) $((y + 140)) \
    sleep 0.3 mouseup 1
sleep 0.7
read_geometry
[ "$x" = $((startX + 100)) ] && [ "$y" = $((startY + 100)) ] ||
    fail "a drag of 100,100 moved it from $startX,$startY to $x,$y"
grep -q "^ClockWindow_X=$x\$" "$settings" || fail "the new position was not saved"

# One click gives the focus and shows the corner marks, which take the resizing drag.
xdotool mousemove $((x + 100)) $((y + 100)) click 1
sleep 0.5
xdotool mousemove $((x + 195)) $((y + 195)) mousedown 1 sleep 0.3 \
    mousemove $((x + 220)) $((y + 210)) sleep 0.3 mousemove $((x + 295)) $((y + 245)) \
    sleep 0.3 mouseup 1
sleep 0.7
read_geometry
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
