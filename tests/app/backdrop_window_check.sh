#!/bin/sh
# The clock without a compositor, under openbox: its translucent pixels (the rim's smoothing,
# the shadow) are blends of the clock and the desktop's background, not of black. The clock
# follows a move, a new background, a background pixmap that is gone, and a compositor
# starting.
#
# usage: backdrop_window_check.sh VELMORA VELMORA_TOOL
set -eu
velmora=$1
tool=$2
check_name="backdrop window check"
. "$(dirname "$0")/window_check_lib.sh"
begin_check
use_private_session
start_window_manager

# A gradient shows a background read from the wrong place, which a solid colour would not.
hsetroot -add '#3060c0' -add '#c0a030' -gradient 30 >/dev/null 2>&1
import -window root "$work/desktop.png"

# The whole window but the corner squares, where focus marks may show: the rim and the
# shadow lie on its edges.
bands="136x200+32+0 200x136+0+32"

# Waits up to five seconds until the clock at $x,$y shows the frame of the moment over the
# picture $1 of the desktop beneath it; fails with $2. With VELMORA_CHECK_SHOTS naming a
# folder, the screen is kept there as $3.png.
until_composed_over() {
    until_composed=$(deadline 5)
    until shoot_within_second; compare_frame_over "$1" "$bands" "$x" "$y"; do
        past "$until_composed" && fail "$2 ($differing pixels differ)"
        sleep 0.2
    done
    if [ -n "${VELMORA_CHECK_SHOTS:-}" ]; then
        cp "$work/screen.png" "$VELMORA_CHECK_SHOTS/$3.png"
    fi
}

"$velmora" &
clock=$!
window=$(until_found --name '^Velmora$') || fail "the clock did not appear"
read_geometry "$window"
convert "$work/desktop.png" -crop "200x200+$x+$y" +repage "$work/under.png"
until_composed_over "$work/under.png" "the clock is not drawn over the desktop's background" gradient
# Over black, the same frame differs at its edges: the check above can tell the two apart.
convert -size 200x200 xc:black "$work/black.png"
compare_frame_over "$work/black.png" "$bands" "$x" "$y" &&
    fail "the frame over black cannot be told from the frame over the background"

move_window "$window" 600 300
convert "$work/desktop.png" -crop "200x200+$x+$y" +repage "$work/under.png"
until_composed_over "$work/under.png" "after a move the clock shows the old place's background" moved

background='#c03030'
hsetroot -solid "$background" >/dev/null 2>&1
convert -size 200x200 "xc:$background" "$work/under.png"
until_composed_over "$work/under.png" "the clock did not follow a new background" new_background

# A background pixmap freed while the root still names it must not harm the clock, which
# reads it again when it moves.
pixmap=$(xprop -root _XROOTPMAP_ID | sed -n 's/.*pixmap id # \(0x[0-9a-f]*\).*/\1/p')
[ -n "$pixmap" ] || fail "hsetroot set no background pixmap"
xkill -id "$pixmap" >/dev/null
# hsetroot would free the client that now holds the old id, itself as like as not.
xprop -root -remove ESETROOT_PMAP_ID
move_window "$window" 500 300
sleep 0.5
kill -0 "$clock" 2>/dev/null || fail "a freed background pixmap ended the clock"

hsetroot -solid "$background" >/dev/null 2>&1
picom --backend xrender >/dev/null 2>&1 &
helpers="$helpers $!"
until_time=$(deadline 10)
until xwininfo -root -children | grep -q '"picom"'; do
    past "$until_time" && fail "picom did not start"
    sleep 0.05
done
until_composed_over "$work/under.png" "under a compositor the clock does not look right" compositor

kill -TERM "$clock"
wait "$clock" || fail "the program ended with an error"
clock=
echo "backdrop window check: passed"
