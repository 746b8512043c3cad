#!/bin/bash
# The layer-shell surface under a real compositor: a headless sway, started here, with grim
# for screenshots and a virtual pointer for clicks. The frame appears at its position, its
# transparent pixels show the desktop, the bottom layer is under a floating window and the
# top layer over it, click-through and transparent pixels let a click reach the window, and a
# drag moves the surface live to where it is saved. A position on the second output, of scale
# 2, puts the surface there, drawn at twice the pixels.
#
# Through XWayland, where it is installed: sway centres a new window, and that imposed place
# is not saved, while the user's own move is.
#
# usage: wayland_layer_check.sh PROBE VELMORA-TOOL PLACEMENT-PROBE
# Exit 77 (skipped) where sway, grim, ImageMagick or an unprivileged user to run them is
# missing: sway refuses to run as root, so as root the check runs everything as nobody.
set -eu
check_name=WaylandLayerCheck
probe=$(readlink -f "$1")
tool=$(readlink -f "$2")
placement_probe=$(readlink -f "$3")

skip() {
    echo "$check_name: skipped: $*"
    exit 77
}
fail() {
    echo "$check_name: $*" >&2
    if [ -n "${VELMORA_CHECK_SHOTS:-}" ] && [ -f "$work/shot.png" ]; then
        cp "$work/shot.png" "$VELMORA_CHECK_SHOTS/wayland-failure.png" || true
    fi
    exit 1
}

for program in sway grim convert compare; do
    command -v "$program" >/dev/null || skip "$program is not installed"
done

work=$(mktemp -d)
chmod 755 "$work"
pids=""
cleanup() {
    # Only the processes this check started, by their ids.
    for pid in $pids; do
        kill "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

runtime="$work/runtime"
mkdir -m 700 "$runtime"
mkdir -m 755 "$work/out"
runner=()
if [ "$(id -u)" -eq 0 ]; then
    command -v setpriv >/dev/null || skip "setpriv is missing to run sway unprivileged"
    chown nobody "$runtime" "$work/out"
    runner=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
# Everything runs in a clean environment: the compositor's own, not the caller's session.
as_user() {
    "${runner[@]}" env -i HOME="$work" XDG_RUNTIME_DIR="$runtime" PATH=/usr/bin:/bin \
        WAYLAND_DISPLAY="${display:-}" LC_ALL=C "$@"
}
# Starts a program like as_user, in the background, its output going to the file $1; its
# process id is in $spawned. Not a subshell: the id is the program's own.
spawn() {
    local log=$1
    shift
    : >"$log"
    "${runner[@]}" env -i HOME="$work" XDG_RUNTIME_DIR="$runtime" PATH=/usr/bin:/bin \
        WAYLAND_DISPLAY="${display:-}" LC_ALL=C "$@" >"$log" 2>&1 &
    spawned=$!
    pids="$pids $spawned"
}
as_user test -x "$probe" || skip "the unprivileged user cannot run $probe"

# A 640 x 480 desktop of #336699 and right of it a second of 640 x 480 pixels at scale 2 in
# #996633, windows without borders, the probe's window floating at 200,150 with 200 x 200.
cat >"$work/config" <<EOF
output HEADLESS-1 resolution 640x480 position 0 0 bg #336699 solid_color
output HEADLESS-2 resolution 640x480 position 640 0 scale 2 bg #996633 solid_color
default_border none
default_floating_border none
for_window [app_id="velmora-probe-window"] floating enable, move position 200 150, resize set 200 200
exec env > $work/out/environment
EOF
chmod 644 "$work/config"
spawn "$work/sway.log" env WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    WLR_HEADLESS_OUTPUTS=2 sway -c "$work/config"
display=
for _ in $(seq 100); do
    for socket in "$runtime"/wayland-*; do
        case $socket in *.lock | *'*'*) continue ;; esac
        [ -S "$socket" ] && display=$(basename "$socket")
    done
    [ -n "$display" ] && break
    sleep 0.1
done
[ -n "$display" ] || fail "sway did not start: $(tail -3 "$work/sway.log")"

"$tool" render --utc 2026-01-01T10:10:30 --size 200x200 --out "$work/frame.png"
chmod 644 "$work/frame.png"

# The first output, or the one named by $1.
shoot() {
    as_user grim -o "${1:-HEADLESS-1}" "$work/out/shot.png"
    cp "$work/out/shot.png" "$work/shot.png"
}
# Differing pixels of the screen's WxH+X+Y and an image, within 2 % a channel.
differences() {
    convert "$work/shot.png" -crop "$1" +repage "$work/crop.png"
    compare -metric AE -fuzz 2% "$work/crop.png" "$2" null: 2>&1 || true
}
# The frame, or its WxH+X+Y part, over a colour.
frame_over() {
    convert "$work/frame.png" -crop "${2:-200x200+0+0}" +repage "$work/part.png"
    convert "$work/part.png" -background "$1" -flatten "$work/$3"
}
pointer() {
    # Absolute positions span the outputs' layout, 960 x 480.
    as_user "$probe" pointer 960 480 "$@"
}

layer_pid=
# Shows the frame at $1,$2 with the options that follow; waits until it is shown.
show_layer() {
    stop_layer
    spawn "$work/layer.log" "$probe" layer "$work/frame.png" "$@" "$work/out/state"
    layer_pid=$spawned
    for _ in $(seq 100); do
        grep -q '^shown' "$work/layer.log" && sleep 0.3 && return 0
        grep -q '^no layer shell' "$work/layer.log" && fail "$(cat "$work/layer.log")"
        kill -0 "$layer_pid" 2>/dev/null || fail "the probe ended: $(cat "$work/layer.log")"
        sleep 0.1
    done
    fail "the layer surface was not shown"
}
stop_layer() {
    if [ -n "$layer_pid" ]; then
        kill "$layer_pid" 2>/dev/null || true
        wait "$layer_pid" 2>/dev/null || true
        layer_pid=
    fi
}

# Placement and transparency: the frame at its position, over the desktop.
frame_over '#336699' 200x200+0+0 over-desktop.png
show_layer 100 80
shoot
n=$(differences 200x200+100+80 "$work/over-desktop.png")
[ "$n" = 0 ] || fail "the frame at 100,80 differs from the frame over the desktop in $n pixels"
n=$(differences 200x200+101+80 "$work/over-desktop.png")
[ "$n" != 0 ] || fail "the comparison cannot tell a placement one pixel off"

# Frames that change only in a box, as an idle clock's do, two seconds taking turns: the
# screen always shows one of them whole, and both in turn, so the boxes alone reach it.
"$tool" render --utc 2026-01-01T10:10:31 --size 200x200 --out "$work/frame2.png"
chmod 644 "$work/frame2.png"
convert "$work/frame2.png" -background '#336699' -flatten "$work/second-over-desktop.png"
n=$(compare -metric AE "$work/over-desktop.png" "$work/second-over-desktop.png" null: 2>&1 || true)
[ "$n" != 0 ] || fail "the two seconds' frames do not differ"
show_layer 100 80 "tick:$work/frame2.png"
seen=""
for shot in 1 2 3 4; do
    sleep 1.3
    shoot
    if [ "$(differences 200x200+100+80 "$work/over-desktop.png")" = 0 ]; then
        seen="$seen first"
    elif [ "$(differences 200x200+100+80 "$work/second-over-desktop.png")" = 0 ]; then
        seen="$seen second"
    else
        fail "shot $shot of the ticking frame is neither second"
    fi
done
case $seen in
*first*second* | *second*first*) ;;
*) fail "the ticking frame did not change on the screen (seen:$seen)" ;;
esac

# Layers: a floating window at 200,150 covers part of the bottom layer's clock, and is
# covered by the top layer's.
spawn "$work/window.log" env QT_QPA_PLATFORM=wayland "$probe" window
window_pid=$spawned
convert -size 100x130 xc:red "$work/red.png"
for _ in $(seq 100); do
    shoot
    [ "$(differences 100x130+200+150 "$work/red.png")" = 0 ] && break
    sleep 0.1
done
[ "$(differences 100x130+200+150 "$work/red.png")" = 0 ] ||
    fail "the floating window is not over the bottom layer"
frame_over red 100x130+100+70 top-over-window.png
show_layer 100 80 top
shoot
n=$(differences 100x130+200+150 "$work/top-over-window.png")
[ "$n" = 0 ] || fail "the top layer is not over the floating window ($n pixels differ)"

# Input: the top layer's opaque pixels take a click; its transparent ones, and all of it
# with click-through, let the click reach the window.
pointer move:240,200 wait:50 press release wait:200
grep -q '^press 1 240 200' "$work/layer.log" || fail "the clock took no click: $(cat "$work/layer.log")"
grep -q '^clicked' "$work/window.log" && fail "a click on the clock reached the window below"
pointer move:297,277 wait:50 press release wait:200
grep -q '^clicked 97 127' "$work/window.log" ||
    fail "a click on a transparent pixel did not reach the window: $(cat "$work/window.log")"
show_layer 100 80 top through
pointer move:240,200 wait:50 press release wait:200
grep -q '^clicked 40 50' "$work/window.log" ||
    fail "click-through did not let the click reach the window: $(cat "$work/window.log")"
grep -q '^press' "$work/layer.log" && fail "the click-through clock took a click"

# A drag moves the surface live and ends where it is saved; the right button is reported
# and resizes the surface.
# The window still covers from x = 200 on, so the left of the clock is compared.
show_layer 100 80 top
pointer move:200,180 wait:50 press move:215,190 move:230,200 move:245,210 move:260,220 \
    wait:200 release wait:200 rpress rrelease wait:200
grep -q '^placed 160 120' "$work/layer.log" || fail "the drag did not end at 160,120: $(cat "$work/layer.log")"
[ "$(cat "$work/out/state")" = "160 120" ] || fail "the saved position is $(cat "$work/out/state")"
grep -q '^press 2 ' "$work/layer.log" || fail "the right button was not reported"
# The right click shrank it to the frame's top-left quarter, whose left shows at 160,120;
# where the larger clock was below it, the desktop shows again.
grep -q '^shrunk' "$work/layer.log" || fail "the probe did not shrink the clock"
frame_over '#336699' 40x100+0+0 left-over-desktop.png
convert -size 40x80 'xc:#336699' "$work/desktop.png"
shoot
n=$(differences 40x100+160+120 "$work/left-over-desktop.png")
[ "$n" = 0 ] || fail "the dragged clock is not shown at 160,120 ($n pixels differ)"
n=$(differences 40x80+160+230 "$work/desktop.png")
[ "$n" = 0 ] || fail "the clock did not shrink ($n pixels of the larger one remain)"

# The second output: its logical 60,100 is 700,100 of the layout, and at scale 2 the frame
# is drawn at 400 x 400 pixels, of which the output shows the top 280 rows. A drag that ends
# there takes the clock there, as does a position there from the start.
convert "$work/frame.png" -scale 200% -crop 400x280+0+0 +repage -background '#996633' -flatten \
    "$work/second.png"
show_layer 500 100 top
pointer move:560,160 wait:50 press move:610,160 move:660,160 move:710,160 move:760,160 \
    wait:200 release wait:500
grep -q '^placed 700 100' "$work/layer.log" ||
    fail "the drag to the second output did not end at 700,100: $(cat "$work/layer.log")"
grep -q '^scale 2' "$work/layer.log" || fail "not drawn again at the second output's scale"
shoot HEADLESS-2
n=$(differences 400x280+120+200 "$work/second.png")
[ "$n" = 0 ] || fail "the clock dragged to the second output differs in $n pixels"
show_layer 700 100
grep -q '^shown scale 2' "$work/layer.log" || fail "not at the second output's scale: $(cat "$work/layer.log")"
shoot HEADLESS-2
n=$(differences 400x280+120+200 "$work/second.png")
[ "$n" = 0 ] || fail "the clock on the second output differs in $n pixels"

# The surface taken down at the end as the program does, after ticking frames: no crash, and
# in a sanitizer build no leak.
as_user "$probe" layer "$work/frame.png" 100 80 "tick:$work/frame2.png" quit:2500 \
    >"$work/ending.log" 2>&1 || fail "the probe did not end cleanly: $(cat "$work/ending.log")"

# XWayland: sway centres the new window; the stored place stays. The user's move (the
# probe's click) is saved once sway shows it.
stop_layer
kill "$window_pid" 2>/dev/null || true
if ! command -v Xwayland >/dev/null; then
    echo "$check_name: XWayland is not installed, its stage is left out"
    echo "$check_name: passed"
    exit 0
fi
x_display=$(sed -n 's/^DISPLAY=//p' "$work/out/environment")
[ -n "$x_display" ] || fail "sway started no XWayland"
settings="$work/out/placement.conf"
printf '[WindowLayout]\nClockWindow_X=100\nClockWindow_Y=80\nClockWindow_W=200\nClockWindow_H=200\n' \
    >"$settings"
[ -z "${runner[*]}" ] || chown nobody "$settings"
spawn "$work/placement.log" env DISPLAY="$x_display" QT_QPA_PLATFORM=xcb "$placement_probe" \
    "$settings" own
for _ in $(seq 100); do
    grep -q '^at ' "$work/placement.log" && break
    sleep 0.1
done
sleep 1
imposed=$(sed -n 's/^at //p' "$work/placement.log" | tail -1)
[ -n "$imposed" ] && [ "$imposed" != "100 80" ] ||
    fail "sway did not place the XWayland window itself: $(cat "$work/placement.log")"
grep -q '^ClockWindow_X=100$' "$settings" && grep -q '^ClockWindow_Y=80$' "$settings" ||
    fail "the place sway imposed ($imposed) was saved: $(cat "$settings")"
read -r ix iy <<<"$imposed"
pointer move:$((ix + 100)),$((iy + 100)) wait:50 press release wait:1500
asked=$(sed -n 's/^asked //p' "$work/placement.log")
[ -n "$asked" ] || fail "the XWayland window took no click: $(cat "$work/placement.log")"
read -r ax ay <<<"$asked"
grep -q "^ClockWindow_X=$ax\$" "$settings" && grep -q "^ClockWindow_Y=$ay\$" "$settings" ||
    fail "the user's move to $asked was not saved: $(cat "$settings")"

echo "$check_name: passed"
