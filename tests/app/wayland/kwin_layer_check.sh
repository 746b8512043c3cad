#!/bin/bash
# The clock under KDE's compositor: a headless KWin (kwin_wayland --virtual --xwayland), started
# here with a session bus of its own, pointer input through KWin's fake input and pictures
# through KWin's screenshot interface. A full-screen surface of the probe stands for Plasma's
# desktop, and the probe's red window for another program. The clock below the window comes
# over it at once when "Stay on top" is chosen in its menu, and goes under it again when it is
# chosen once more; "Show desktop" leaves the clock on the screen either way while the window
# goes; a drag by positions, as a tablet or a virtual machine's pointer moves, moves the clock
# and is saved, as does one by steps.
#
# KWin's binary carries a file capability that keeps it from starting as an unprivileged user;
# a copy of it carries none. As root everything runs as nobody.
#
# usage: kwin_layer_check.sh VELMORA PROBE VELMORA-TOOL
# Exit 77 (skipped) where KWin, XWayland, xdotool, ImageMagick, D-Bus or an unprivileged user
# to run them is missing.
set -eu
check_name=KwinLayerCheck
velmora=$(readlink -f "$1")
probe=$(readlink -f "$2")
tool=$(readlink -f "$3")

shot_name=kwin-failure.png
. "$(dirname "$0")/wayland_check_lib.sh"
need kwin_wayland Xwayland xdotool dbus-daemon convert compare
begin_wayland_check
mkdir -m 755 "$work/home"
[ -z "${runner[*]}" ] || chown nobody "$work/home"
cp "$(command -v kwin_wayland)" "$work/kwin_wayland"
bus="unix:path=$runtime/bus"
user_home="$work/home"
display=wayland-velmora
user_env=(DBUS_SESSION_BUS_ADDRESS="$bus")
as_user test -x "$probe" || skip "the unprivileged user cannot run $probe"

spawn "$work/bus.log" dbus-daemon --session --address="$bus" --nofork --nopidfile
for _ in $(seq 50); do [ -S "$runtime/bus" ] && break; sleep 0.1; done
# Fake input and screenshots are KWin's to grant; these checks are granted both. KWin starts
# the last argument once it runs, with its XWayland display.
printf '#!/bin/sh\nenv > %s/out/environment\n' "$work" >"$work/environment.sh"
chmod 755 "$work/environment.sh"
spawn "$work/kwin.log" env KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 \
    KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1 "$work/kwin_wayland" --virtual --xwayland \
    --socket wayland-velmora --width 1024 --height 768 "$work/environment.sh"
for _ in $(seq 200); do
    [ -s "$work/out/environment" ] && break
    sleep 0.1
done
x_display=$(sed -n 's/^DISPLAY=//p' "$work/out/environment" 2>/dev/null || true)
[ -n "$x_display" ] || fail "KWin did not start with XWayland: $(tail -3 "$work/kwin.log")"

shots=0
shoot() {
    as_user "$probe" kwin-shot "$work/out/shot.png" || fail "KWin took no screenshot"
    cp "$work/out/shot.png" "$work/shot.png"
    shots=$((shots + 1))
    if [ -n "${VELMORA_CHECK_SHOTS:-}" ]; then
        cp "$work/shot.png" "$VELMORA_CHECK_SHOTS/kwin-$shots.png"
    fi
}
pixel() { convert "$work/shot.png" -format "%[hex:p{$1,$2}]" info: | cut -c1-6; }
pointer() { as_user "$probe" pointer 1024 768 "$@"; }

# The desktop: the probe's surface over the whole output on the background layer, which KWin
# takes for the desktop's own window, as it takes Plasma's.
convert -size 1024x768 'xc:#336699' "$work/desktop.png"
chmod 644 "$work/desktop.png"
spawn "$work/desktop.log" "$probe" layer "$work/desktop.png" 0 0 background
# Another program's window, where KWin places it.
spawn "$work/window.log" env QT_QPA_PLATFORM=wayland "$probe" window
for _ in $(seq 50); do
    shoot
    box=$(convert "$work/shot.png" -fill black +opaque '#ff0000' -trim -format '%w %h %X %Y' \
        info: 2>/dev/null) || true
    read -r ww wh wx wy <<<"$box"
    [ "${ww:-0}" = 200 ] && [ "${wh:-0}" = 200 ] && break
    sleep 0.2
done
[ "${ww:-0}" = 200 ] && [ "${wh:-0}" = 200 ] || fail "the window did not show: $box"
wx=${wx#+} wy=${wy#+}

# The clock half over the window's right half, below it.
config="$work/out/config"
settings="$config/vornel-works/velmora.conf"
mkdir -p "$config/vornel-works"
clock_x=$((wx + 100)) clock_y=$((wy + 16))
printf '[View]\nStayOnTop=0\n[WindowLayout]\nClockWindow_X=%s\nClockWindow_Y=%s\n' \
    "$clock_x" "$clock_y" >"$settings"
printf 'ClockWindow_W=200\nClockWindow_H=200\n' >>"$settings"
[ -z "${runner[*]}" ] || chown -R nobody "$config"
spawn "$work/clock.log" env XDG_CONFIG_HOME="$config" TZ=UTC DISPLAY="$x_display" "$velmora"

# Whether the part $3 (WxH+X+Y of the clock) of the clock at $1,$2 shows the frame of the
# second over the desktop, in one of a few screenshots.
shows_clock() {
    local crop=$3 tries=${4:-3}
    read -r cw ch cx cy <<<"$(echo "$crop" | tr 'x+' '  ')"
    for _ in $(seq "$tries"); do
        while [ "$(date +%N | cut -c1)" -lt 2 ] || [ "$(date +%N | cut -c1)" -gt 5 ]; do
            sleep 0.05
        done
        second=$(date -u +%Y-%m-%dT%H:%M:%S)
        shoot
        if [ "$(date -u +%Y-%m-%dT%H:%M:%S)" = "$second" ]; then
            "$tool" render --utc "$second" --size 200x200 --out "$work/now.png"
            convert "$work/now.png" -crop "$crop" +repage -background '#336699' -flatten \
                "$work/expected.png"
            convert "$work/shot.png" -crop "${cw}x${ch}+$(($1 + cx))+$(($2 + cy))" +repage \
                "$work/part.png"
            shown=$(compare -metric AE -fuzz 6% "$work/part.png" "$work/expected.png" null: 2>&1 ||
                true)
            [ "${shown%% *}" -le 20 ] 2>/dev/null && return 0
        fi
        sleep 0.5
    done
    return 1
}
# The half of the clock beside the window, its dial within (whose pixels are all opaque), and
# a point of it over the window's: red while the window is above the clock.
beside="100x200+100+0"
dial="120x120+40+40"
over_x=$((clock_x + 50)) over_y=$((clock_y + 100))
shows_clock "$clock_x" "$clock_y" "$beside" 20 ||
    fail "the clock at $clock_x,$clock_y differs from its frame in $shown pixels: $(cat "$work/clock.log")"
[ "$(pixel "$over_x" "$over_y")" = FF0000 ] || fail "the clock below is over the window"

x_windows() {
    as_user env DISPLAY="$x_display" xdotool search --onlyvisible --class velmora 2>/dev/null |
        sort || true
}
# Right-clicks the clock beside the window and picks the item the keys that follow reach.
menu_pick() {
    local before
    before=$(x_windows)
    pointer "move:$((clock_x + 150)),$((clock_y + 100))" wait:50 rpress rrelease
    for _ in $(seq 50); do
        [ -n "$(comm -13 <(echo "$before") <(x_windows))" ] && break
        sleep 0.1
    done
    [ -n "$(comm -13 <(echo "$before") <(x_windows))" ] ||
        fail "the menu did not open: $(cat "$work/clock.log")"
    sleep 0.3
    as_user env DISPLAY="$x_display" xdotool key --delay 80 "$@"
    # Away from the clock, whose corner marks show while the pointer is over it.
    pointer move:5,5
    sleep 1
}
# Shows the desktop for a few seconds, as long as its caller stays: KWin ends it after, once
# end_show_desktop has waited for the caller.
show_desktop() {
    spawn "$work/desktop-shown.log" "$probe" kwin-show-desktop 6000
    shower=$spawned
    for _ in $(seq 30); do grep -q showing "$work/desktop-shown.log" && break; sleep 0.1; done
    sleep 0.8
}
end_show_desktop() {
    wait "$shower" || true
    sleep 0.5
}

# "Show desktop" with the clock below the windows: the window goes, the clock stays, whole.
show_desktop
shows_clock "$clock_x" "$clock_y" 200x200+0+0 ||
    fail "showing the desktop hid the clock below the windows ($shown pixels differ)"
end_show_desktop

# "Stay on top" (third item: no tray here, so "Click through" is left out) brings it over the
# window at once, and showing the desktop leaves it there; chosen again, it goes below.
menu_pick Down Down Down Return
grep -q '^StayOnTop=1$' "$settings" || fail "\"Stay on top\" was not stored: $(cat "$settings")"
shows_clock "$clock_x" "$clock_y" "$dial" ||
    fail "the clock on top is not over the window ($shown pixels differ)"
show_desktop
shows_clock "$clock_x" "$clock_y" "$dial" ||
    fail "showing the desktop hid the clock on top ($shown pixels differ)"
[ "$(pixel $((wx + 20)) $((wy + 100)))" = 336699 ] || fail "showing the desktop left the window"
end_show_desktop
menu_pick Down Down Down Return
grep -q '^StayOnTop=0$' "$settings" || fail "\"Stay on top\" off was not stored"
shoot
[ "$(pixel "$over_x" "$over_y")" = FF0000 ] || fail "the clock no longer on top is over the window"
shows_clock "$clock_x" "$clock_y" "$beside" ||
    fail "the clock made again below is not shown ($shown pixels differ)"

# A drag by positions moves the clock and saves its place; one by steps takes it back.
from_x=$((clock_x + 150)) from_y=$((clock_y + 100))
# KWin places a moved surface a moment after the move, and a pointer position it measures in
# that moment is taken from the new place: the steps come a tenth of a second apart, so that
# the last one lands where it is measured.
pointer "move:$from_x,$from_y" wait:50 press "move:$((from_x + 15)),$((from_y + 10))" wait:100 \
    "move:$((from_x + 30)),$((from_y + 20))" wait:100 "move:$((from_x + 60)),$((from_y + 40))" \
    wait:200 release move:5,5 wait:500
grep -q "^ClockWindow_X=$((clock_x + 60))\$" "$settings" &&
    grep -q "^ClockWindow_Y=$((clock_y + 40))\$" "$settings" ||
    fail "a drag by positions of 60,40 was not saved: $(cat "$settings")"
shows_clock $((clock_x + 60)) $((clock_y + 40)) "$beside" ||
    fail "the clock dragged by positions is not shown at its new place ($shown pixels differ)"
pointer "move:$((from_x + 60)),$((from_y + 40))" wait:50 press by:-20,-10 wait:100 by:-20,-10 \
    wait:100 by:-20,-20 wait:200 release wait:500
grep -q "^ClockWindow_X=$clock_x\$" "$settings" && grep -q "^ClockWindow_Y=$clock_y\$" "$settings" ||
    fail "a drag by steps of -60,-40 was not saved: $(cat "$settings")"
echo "$check_name: passed"
