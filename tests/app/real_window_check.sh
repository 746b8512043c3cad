#!/bin/sh
# The clock in a real X window under Xvfb: it appears, a drag moves it and saves the
# placement, a corner drag resizes it, and Enter ends the program.
set -eu
velmora=$1
work=$(mktemp -d)
trap 'kill $clock $server 2>/dev/null || true; rm -rf "$work"' EXIT

Xvfb -displayfd 3 -screen 0 800x600x24 3>"$work/display" 2>/dev/null &
server=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"

HOME=$work XDG_CONFIG_HOME=$work/config QT_QPA_PLATFORM=xcb "$velmora" &
clock=$!
window=$(xdotool search --sync --onlyvisible --name '^Velmora$' | head -n 1)
sleep 1
settings=$work/config/vornel-works/velmora.conf

fail() { echo "real window check: $*" >&2; exit 1; }
geometry() { xwininfo -id "$window" | sed -n 's/.*-geometry \([0-9x+]*\).*/\1/p'; }

[ "$(geometry)" = "200x200+0+0" ] || fail "starts as $(geometry), not 200x200+0+0"

xdotool mousemove 100 60 mousedown 1 sleep 0.2 mousemove 150 100 sleep 0.2 \
    mousemove 300 260 sleep 0.2 mouseup 1
sleep 0.5
[ "$(geometry)" = "200x200+200+200" ] || fail "a drag left it at $(geometry)"
grep -q '^ClockWindow_X=200$' "$settings" || fail "the new position was not saved"

# One click gives the focus and shows the corner marks, which take the resizing drag.
xdotool mousemove 300 300 click 1
sleep 0.5
xdotool mousemove 395 395 mousedown 1 sleep 0.2 mousemove 420 410 sleep 0.2 \
    mousemove 495 445 sleep 0.2 mouseup 1
sleep 0.5
[ "$(geometry)" = "300x250+200+200" ] || fail "a corner drag left it at $(geometry)"
grep -q '^ClockWindow_W=300$' "$settings" || fail "the new size was not saved"

xdotool key Return
for _ in $(seq 50); do kill -0 $clock 2>/dev/null || break; sleep 0.1; done
kill -0 $clock 2>/dev/null && fail "Enter did not end the program"
wait $clock || fail "the program ended with an error"
echo "real window check: passed"
