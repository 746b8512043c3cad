#!/bin/bash
# The clock under a real compositor: a headless sway, started here, with grim for screenshots,
# a virtual pointer for clicks (the probe) and xdotool for keys in the clock's menu, which runs
# through XWayland. The clock appears on its layer surface at its saved position with
# transparent pixels showing the desktop, also when the user asks Qt for Wayland (its menu then
# floats); a drag moves it and saves the new position, and one on a corner square resizes it;
# a press on the clock closes its open menu; "Stay on top" in its menu puts it over a floating
# window and off under it; a double click makes it click-through, so a click reaches the
# window below; "Hide to tray" takes it away and a later launch brings it back;
# "Customize..." and "Time zones..." open their dialogs, the clock stepping from under the
# editor that sway centres over it and back when the editor closes. With "Smooth motion" a
# moving clock moves without keeping a core busy.
# The probe's own surface shows that a position on a second output of scale 2 is drawn there
# at twice the pixels, and that one on no output is brought onto the first.
#
# Through XWayland, where it is installed: sway places a new window itself, and that imposed
# place is saved neither by the probe's window nor by the clock's, while the user's own move is.
#
# usage: wayland_layer_check.sh VELMORA PROBE VELMORA-TOOL PLACEMENT-PROBE
# Exit 77 (skipped) where sway, grim, ImageMagick or an unprivileged user to run them is
# missing: sway refuses to run as root, so as root the check runs everything as nobody.
set -eu
check_name=WaylandLayerCheck
velmora=$(readlink -f "$1")
probe=$(readlink -f "$2")
tool=$(readlink -f "$3")
placement_probe=$(readlink -f "$4")

shot_name=wayland-failure.png
. "$(dirname "$0")/wayland_check_lib.sh"
need sway grim convert compare
begin_wayland_check
as_user test -x "$probe" || skip "the unprivileged user cannot run $probe"

# A 640 x 1100 desktop of #336699 and right of it a second of 640 x 480 pixels at scale 2 in
# #996633, windows without borders, the probe's window floating at 200,150 with 200 x 200, the
# tray's window (wmdocker's, on XWayland) out of sight.
cat >"$work/config" <<EOF
output HEADLESS-1 resolution 640x1100 position 0 0 bg #336699 solid_color
output HEADLESS-2 resolution 640x480 position 640 0 scale 2 bg #996633 solid_color
default_border none
default_floating_border none
for_window [app_id="velmora-probe-window"] floating enable, move position 200 150, resize set 200 200
for_window [class="Docker"] move scratchpad
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
shots=0
shoot() {
    as_user grim -o "${1:-HEADLESS-1}" "$work/out/shot.png"
    cp "$work/out/shot.png" "$work/shot.png"
    shots=$((shots + 1))
    if [ -n "${VELMORA_CHECK_SHOTS:-}" ]; then
        cp "$work/shot.png" "$VELMORA_CHECK_SHOTS/wayland-$shots.png"
    fi
}
# Differing pixels of the screen's WxH+X+Y and an image, within 2 % a channel (or $3).
differences() {
    convert "$work/shot.png" -crop "$1" +repage "$work/crop.png"
    compare -metric AE -fuzz "${3:-2%}" "$work/crop.png" "$2" null: 2>&1 || true
}
# The frame, or its WxH+X+Y part, over a colour.
frame_over() {
    convert "$work/frame.png" -crop "${2:-200x200+0+0}" +repage "$work/part.png"
    convert "$work/part.png" -background "$1" -flatten "$work/$3"
}
# Waits up to ten seconds for a visible XWayland window whose name matches $1.
shows_dialog() {
    for _ in $(seq 100); do
        as_user env DISPLAY="$x_display" xdotool search --onlyvisible --name "$1" \
            >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}
pointer() {
    # Absolute positions span the outputs' layout, 960 x 1100.
    as_user "$probe" pointer 960 1100 "$@"
}

layer_pid=
window_pid=
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

# The real clock. Its settings say where it was; a second rendered by velmora-tool, composed
# over what lies beneath, is what the screen must show there.
for _ in $(seq 100); do
    [ -s "$work/out/environment" ] && break
    sleep 0.1
done
x_display=$(sed -n 's/^DISPLAY=//p' "$work/out/environment" 2>/dev/null)
config="$work/out/config"
settings="$config/vornel-works/velmora.conf"
mkdir -p "$config/vornel-works"
[ -z "${runner[*]}" ] || chown -R nobody "$config"
# Writes the clock's settings: position $1,$2 and stay on top $3.
clock_settings() {
    printf '[View]\nStayOnTop=%s\nClickThrough=0\n' "$3" >"$settings"
    printf '[WindowLayout]\nClockWindow_X=%s\nClockWindow_Y=%s\nClockWindow_W=200\nClockWindow_H=200\n' \
        "$1" "$2" >>"$settings"
    [ -z "${runner[*]}" ] || chown nobody "$settings"
}
clock_pid=
# Starts the clock with the environment variables given; with DISPLAY its menu and dialogs run
# through XWayland.
start_clock() {
    spawn "$work/clock.log" env XDG_CONFIG_HOME="$config" TZ=UTC "$@" "$velmora"
    clock_pid=$spawned
}
stop_clock() {
    if [ -n "$clock_pid" ]; then
        kill "$clock_pid" 2>/dev/null || true
        wait "$clock_pid" 2>/dev/null || true
        clock_pid=
    fi
}
# Takes a screenshot well inside one second, after that second's frame, and sets $second.
shoot_within_second() {
    for _ in $(seq 10); do
        while [ "$(date +%N | cut -c1)" -lt 3 ] || [ "$(date +%N | cut -c1)" -gt 6 ]; do
            sleep 0.05
        done
        second=$(date -u +%Y-%m-%dT%H:%M:%S)
        shoot
        [ "$(date -u +%Y-%m-%dT%H:%M:%S)" = "$second" ] && return 0
    done
    fail "no screenshot could be taken within one second"
}
# Whether the part $4 (WxH+X+Y of the clock) of the 200 x 200 clock at $1,$2 shows the frame of
# the second over the colour $3, in one of a few screenshots: a second shown late once, as a
# busy machine may, is not what this looks for. Compositing rounds blends by a few levels.
shows_clock() {
    local crop=${4:-200x200+0+0} tries=${5:-3}
    read -r cw ch cx cy <<<"$(echo "$crop" | tr 'x+' '  ')"
    for _ in $(seq "$tries"); do
        shoot_within_second
        "$tool" render --utc "$second" --size 200x200 --out "$work/now.png"
        convert "$work/now.png" -crop "$crop" +repage -background "$3" -flatten "$work/expected.png"
        shown=$(differences "${cw}x${ch}+$(($1 + cx))+$(($2 + cy))" "$work/expected.png" 6%)
        [ "${shown%% *}" -le 20 ] 2>/dev/null && return 0
        # The next try in another second.
        while [ "$(date -u +%Y-%m-%dT%H:%M:%S)" = "$second" ]; do sleep 0.05; done
    done
    return 1
}
# The clock's visible windows on XWayland: its tray icon, its menu, its dialogs.
x_windows() {
    as_user env DISPLAY="$x_display" xdotool search --onlyvisible --class velmora 2>/dev/null |
        sort || true
}
# Waits until a window not in $1 (the menu) is open.
new_x_window() {
    for _ in $(seq 50); do
        [ -n "$(comm -13 <(echo "$1") <(x_windows))" ] && return 0
        sleep 0.1
    done
    return 1
}
# Right-clicks the clock at $1 (X,Y) and picks the item the keys that follow reach.
menu_pick() {
    local at=$1 before
    shift
    before=$(x_windows)
    pointer "move:$at" wait:50 rpress rrelease
    new_x_window "$before" ||
        fail "the menu did not open on a right click at $at: $(cat "$work/clock.log")"
    sleep 0.3
    as_user env DISPLAY="$x_display" xdotool key --delay 80 "$@"
    sleep 0.8
}

# Qt asked for Wayland by the user: still the native surface, at the saved place, and no
# window the compositor would tile.
clock_settings 100 80 0
start_clock QT_QPA_PLATFORM=wayland
shows_clock 100 80 '#336699' 200x200+0+0 10 ||
    fail "with QT_QPA_PLATFORM=wayland the clock at 100,80 differs in $shown pixels:" \
        "$(cat "$work/clock.log")"
swaysock=$(ls "$runtime"/sway-ipc.*.sock | head -1)
as_user env SWAYSOCK="$swaysock" swaymsg -t get_tree >"$work/tree.json" ||
    fail "swaymsg could not read sway's windows"
grep -q '"app_id": "velmora"' "$work/tree.json" &&
    fail "with QT_QPA_PLATFORM=wayland the clock made a window of sway's"
# Its menu is then a Wayland window of its own, which sway floats rather than tiles across
# the screen: a block of the menu's white, and the desktop still in the far corner.
pointer move:200,150 wait:100 rpress rrelease wait:800
shoot
white=$(convert "$work/shot.png" -fuzz 3% -fill black +opaque white -fill white -opaque white \
    -colorspace gray -format '%[fx:int(mean*w*h+0.5)]' info:)
[ "$white" -gt 20000 ] ||
    fail "with QT_QPA_PLATFORM=wayland a right click showed no menu ($white white pixels)"
[ "$(convert "$work/shot.png" -format '%[hex:p{630,470}]' info: | cut -c1-6)" = 336699 ] ||
    fail "with QT_QPA_PLATFORM=wayland the menu covers the screen"
stop_clock
grep -q '^ClockWindow_X=100$' "$settings" && grep -q '^ClockWindow_Y=80$' "$settings" ||
    fail "the clock that was not moved saved a new place: $(cat "$settings")"

# "Smooth motion": a clock whose second hands move continuously follows sway's frame callbacks.
# It moves, and it does not spin: a frame that asked for the compositor's sign again and again
# would keep a core busy.
"$(dirname "$0")/../../../bench/continuous_scheme.sh" -t "$tool" "$work/continuous.Velmora" \
    >/dev/null || fail "velmora-tool could not write the continuous scheme"
chmod 644 "$work/continuous.Velmora"
printf '[View]\nSmoothMotion=1\nSchemeLoaded=%s\n' "$work/continuous.Velmora" >"$settings"
printf '[WindowLayout]\nClockWindow_X=100\nClockWindow_Y=80\nClockWindow_W=200\nClockWindow_H=200\n' \
    >>"$settings"
[ -z "${runner[*]}" ] || chown nobody "$settings"
start_clock QT_QPA_PLATFORM=wayland
sleep 2
clock_cpu() { cat /proc/"$clock_pid"/task/*/schedstat | awk '{ ns += $1 } END { printf "%.0f\n", ns }'; }
before=$(clock_cpu)
shoot
convert "$work/shot.png" -crop 200x200+100+80 +repage "$work/moving.png"
sleep 2
spent=$((($(clock_cpu) - before) / 1000000))
shoot
moved=$(differences 200x200+100+80 "$work/moving.png")
[ "$moved" -gt 50 ] 2>/dev/null ||
    fail "with smooth motion the clock did not move in 2 s ($moved pixels changed)"
# About 40 ms here; a sanitizer build takes several times that.
[ "$spent" -le 1000 ] || fail "with smooth motion the clock spent $spent ms of 2 s"
stop_clock

if [ -z "$x_display" ] || ! command -v xdotool >/dev/null || ! command -v wmdocker >/dev/null; then
    echo "$check_name: XWayland, xdotool or wmdocker is missing: the menu's stages are left out"
else
    # A tray on XWayland, which click-through needs to be offered.
    spawn "$work/tray.log" env DISPLAY="$x_display" wmdocker
    # The program's own choice: the layer surface, its menu and dialogs through XWayland.
    clock_settings 100 80 0
    start_clock DISPLAY="$x_display"
    shows_clock 100 80 '#336699' 200x200+0+0 10 ||
        fail "the clock at 100,80 differs from its frame over the desktop in $shown pixels:" \
            "$(cat "$work/clock.log")"
    # Its pixels are the frame's: one pixel off, the comparison would tell.
    shows_clock 101 80 '#336699' 200x200+0+0 1 &&
        fail "the comparison cannot tell a place one pixel off"

    # A drag moves it live, and its end is saved.
    pointer move:200,120 wait:50 press move:215,130 move:230,140 move:245,150 move:260,160 \
        wait:200 release wait:500
    shows_clock 160 120 '#336699' ||
        fail "the dragged clock is not shown at 160,120 ($shown pixels differ)"
    grep -q '^ClockWindow_X=160$' "$settings" && grep -q '^ClockWindow_Y=120$' "$settings" ||
        fail "the drag to 160,120 was not saved: $(cat "$settings")"

    # With the pointer over the clock the corner marks show, so the bottom-right square of the
    # round clock takes the pointer: a drag there resizes the clock, and back.
    pointer move:250,200 wait:400 move:355,315 wait:300 press move:365,320 move:375,325 \
        move:395,335 wait:200 release wait:500
    grep -q '^ClockWindow_W=240$' "$settings" && grep -q '^ClockWindow_H=220$' "$settings" ||
        fail "a corner drag of 40,20 did not resize the clock to 240x220: $(cat "$settings")"
    pointer move:250,200 wait:400 move:395,335 wait:300 press move:385,330 move:375,325 \
        move:355,315 wait:200 release wait:500
    grep -q '^ClockWindow_W=200$' "$settings" && grep -q '^ClockWindow_H=200$' "$settings" ||
        fail "a corner drag back did not resize the clock to 200x200: $(cat "$settings")"
    shows_clock 160 120 '#336699' || fail "the clock resized back differs in $shown pixels"

    # The pointer resting on the clock opens its tooltip below it, on XWayland beside the
    # menus; moving off the clock closes it. (sway hands the pointer to the tooltip's window as
    # it opens, and the clock takes the leave it hears in the first second for that; a move on
    # the clock gives the pointer back.)
    before=$(x_windows)
    pointer move:600,600 wait:300 move:250,200 wait:1500
    new_x_window "$before" || fail "no tooltip opened over the clock at 160,120"
    tip=$(comm -13 <(echo "$before") <(x_windows) | head -n 1)
    eval "$(as_user env DISPLAY="$x_display" xdotool getwindowgeometry --shell "$tip")"
    [ "$Y" -gt 320 ] || fail "the tooltip at $X,$Y lies over the clock, which ends at 320"
    shoot
    pointer wait:1000 move:255,205 wait:100 move:600,600
    for _ in $(seq 30); do
        [ "$(x_windows)" = "$before" ] && break
        sleep 0.1
    done
    [ "$(x_windows)" = "$before" ] || fail "the tooltip stayed open after the pointer left"

    # The menu's grab on XWayland never sees a press on the clock: the clock closes the menu.
    before=$(x_windows)
    pointer move:180,220 wait:50 rpress rrelease
    new_x_window "$before" || fail "the menu did not open on a right click at 180,220"
    pointer move:175,220 wait:50 press release
    for _ in $(seq 30); do
        [ "$(x_windows)" = "$before" ] && break
        sleep 0.1
    done
    [ "$(x_windows)" = "$before" ] || fail "a press on the clock beside its menu left it open"

    # The bottom layer is under a floating window at 200,150; "Stay on top" (the fourth item)
    # puts the clock over it, and off again under it.
    spawn "$work/window.log" env QT_QPA_PLATFORM=wayland "$probe" window
    window_pid=$spawned
    convert -size 100x130 xc:red "$work/red.png"
    for _ in $(seq 100); do
        shoot
        [ "$(differences 100x130+200+150 "$work/red.png")" = 0 ] && break
        sleep 0.1
    done
    [ "$(differences 100x130+200+150 "$work/red.png")" = 0 ] ||
        fail "the floating window is not over the clock on the bottom layer"

    # A press outside the open menu, on the bare desktop or on another program's window, closes
    # it as the menu's grab does on X11, though XWayland hears neither: the clock's surfaces
    # over the outputs catch it. The window does not get the press, as under a grab.
    for outside in 600,1000 300,180; do
        before=$(x_windows)
        pointer move:180,220 wait:50 rpress rrelease
        new_x_window "$before" || fail "the menu did not open on a right click at 180,220"
        sleep 0.3
        pointer "move:$outside" wait:50 press release
        for _ in $(seq 30); do
            [ "$(x_windows)" = "$before" ] && break
            sleep 0.1
        done
        [ "$(x_windows)" = "$before" ] || fail "a press at $outside outside the menu left it open"
    done
    grep -q '^clicked' "$work/window.log" && fail "the press that closed the menu reached the window"
    # Nothing is left over the outputs: the window takes a press again.
    pointer move:300,180 wait:50 press release wait:300
    grep -q '^clicked 100 30' "$work/window.log" ||
        fail "with the menu closed a press did not reach the window: $(cat "$work/window.log")"

    # A press on an item of the menu is the menu's: "Lock position", found by its highlight
    # after the keys that reach it, is chosen by the pointer.
    before=$(x_windows)
    pointer move:180,220 wait:50 rpress rrelease
    new_x_window "$before" || fail "the menu did not open on a right click at 180,220"
    sleep 0.3
    as_user env DISPLAY="$x_display" xdotool key --delay 80 Down Down Down Down Down
    sleep 0.5
    shoot
    item=$(convert "$work/shot.png" -crop 400x700+180+220 +repage -fill black +opaque '#308cc6' \
        -fill white -opaque '#308cc6' -trim -format '%[fx:page.x+w/2] %[fx:page.y+h/2]' info:)
    read -r item_x item_y <<<"$item"
    [ -n "$item_y" ] || fail "no highlighted item in the menu"
    pointer "move:$((180 + ${item_x%.*})),$((220 + ${item_y%.*}))" wait:100 press release wait:500
    grep -q '^LockPosition=1$' "$settings" ||
        fail "a press on \"Lock position\" in the menu did not choose it: $(cat "$settings")"
    [ "$(x_windows)" = "$before" ] || fail "the menu stayed open after its item was chosen"
    # Locked, a drag leaves the clock where it is.
    pointer move:180,250 wait:50 press move:170,260 move:150,280 move:130,300 wait:200 release \
        wait:500
    shows_clock 160 120 '#336699' 40x200+0+0 ||
        fail "the locked clock did not stay at 160,120 ($shown pixels differ)"
    sed -i 's/^LockPosition=1$/LockPosition=0/' "$settings"
    menu_pick 180,220 Down Down Down Down Return
    grep -q '^StayOnTop=1$' "$settings" ||
        fail "\"Stay on top\" was not turned on: $(cat "$settings")"
    shows_clock 160 120 red 100x130+40+30 ||
        fail "the clock on top is not over the window ($shown pixels differ)"
    menu_pick 180,220 Down Down Down Down Return
    grep -q '^StayOnTop=0$' "$settings" ||
        fail "\"Stay on top\" was not turned off: $(cat "$settings")"
    shoot
    [ "$(differences 100x130+200+150 "$work/red.png")" = 0 ] ||
        fail "the clock no longer on top is still over the window"

    # A double click on the clock on top makes it click-through: the next click reaches the
    # window below, the double click itself did not.
    menu_pick 180,220 Down Down Down Down Return
    pointer move:250,200 wait:50 press release wait:60 press release wait:500
    grep -q '^clicked 50 50' "$work/window.log" &&
        fail "a click on the clock reached the window below"
    grep -q '^ClickThrough=1$' "$settings" || fail "the double click did not turn click-through on"
    pointer move:250,200 wait:50 press release wait:300
    grep -q '^clicked 50 50' "$work/window.log" ||
        fail "click-through did not let the click reach the window: $(cat "$work/window.log")"
    stop_clock
    kill "$window_pid" 2>/dev/null || true

    # Started again, the clock is where the drag left it; "Customize..." (fourth from the
    # bottom) opens the editor.
    sed -i 's/^ClickThrough=1$/ClickThrough=0/' "$settings"
    start_clock DISPLAY="$x_display"
    shows_clock 160 120 '#336699' 200x200+0+0 10 ||
        fail "the clock did not come back at 160,120 ($shown pixels differ)"
    # "Hide to tray" (tenth from the bottom) takes the surface away; a later launch of the
    # clock hands over to it and brings it back.
    menu_pick 180,220 Up Up Up Up Up Up Up Up Up Up Return
    convert -size 200x200 'xc:#336699' "$work/desktop.png"
    shoot
    [ "$(differences 200x200+160+120 "$work/desktop.png")" = 0 ] ||
        fail "\"Hide to tray\" left the clock on the screen"
    as_user env XDG_CONFIG_HOME="$config" TZ=UTC DISPLAY="$x_display" "$velmora" \
        >"$work/launch.log" 2>&1 || fail "the later launch failed: $(cat "$work/launch.log")"
    shows_clock 160 120 '#336699' 200x200+0+0 10 ||
        fail "a later launch did not bring the hidden clock back ($shown pixels differ)"
    menu_pick 180,220 Up Up Up Up Return
    shows_dialog '^VELMORA - Customizing\.\.\.$' ||
        fail "\"Customize...\" showed no dialog: $(cat "$work/clock.log")"
    # sway centres the dialog, on this tall desktop over the clock, where nothing could be
    # edited on it: the clock steps below the dialog, the only side with room, while it is open.
    eval "$(as_user env DISPLAY="$x_display" xdotool search --limit 1 --onlyvisible \
        --name '^VELMORA - Customizing\.\.\.$' getwindowgeometry --shell)"
    [ "$X" -lt 360 ] && [ $((X + WIDTH)) -gt 160 ] && [ "$Y" -lt 320 ] &&
        [ $((Y + HEIGHT)) -gt 120 ] ||
        fail "sway did not put the dialog over the clock: ${WIDTH}x$HEIGHT at $X,$Y"
    below_x=$((X < 440 ? X : 440))
    below_y=$((Y + HEIGHT + 8))
    shows_clock "$below_x" "$below_y" '#336699' 200x200+0+0 10 ||
        fail "the clock did not step below the dialog to $below_x,$below_y ($shown pixels differ)"
    # "Time zones..." (third from the bottom) opens its dialog.
    menu_pick "$((below_x + 20)),$((below_y + 100))" Up Up Up Return
    shows_dialog '^VELMORA - Time zone settings$' ||
        fail "\"Time zones...\" showed no dialog: $(cat "$work/clock.log")"
    # Both closed, the clock is back at its place, which the step never changed in the
    # settings.
    as_user env DISPLAY="$x_display" xdotool key --delay 500 Escape Escape
    shows_clock 160 120 '#336699' 200x200+0+0 10 ||
        fail "the clock did not come back to 160,120 with the editor closed ($shown pixels differ)"
    stop_clock
    grep -q '^ClockWindow_X=160$' "$settings" && grep -q '^ClockWindow_Y=120$' "$settings" ||
        fail "the place changed though the clock was not moved: $(cat "$settings")"
fi

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
grep -q '^shown scale 2' "$work/layer.log" ||
    fail "not at the second output's scale: $(cat "$work/layer.log")"
shoot HEADLESS-2
n=$(differences 400x280+120+200 "$work/second.png")
[ "$n" = 0 ] || fail "the clock on the second output differs in $n pixels"

# The surface taken down at the end as the program does, after ticking frames: no crash, and
# in a sanitizer build no leak.
as_user "$probe" layer "$work/frame.png" 100 80 "tick:$work/frame2.png" quit:2500 \
    >"$work/ending.log" 2>&1 || fail "the probe did not end cleanly: $(cat "$work/ending.log")"

# A position on no output, as when the surface's output went away, is brought onto the first
# output as near as fits (sway's headless outputs cannot be unplugged to show it directly).
frame_over '#336699' 200x200+0+0 over-desktop.png
show_layer 2000 100
shoot
n=$(differences 200x200+440+100 "$work/over-desktop.png")
[ "$n" = 0 ] ||
    fail "a position on no output did not bring the surface to 440,100 ($n pixels differ)"

# XWayland: sway centres the new window; the stored place stays. The user's move (the
# probe's click) is saved once sway shows it.
stop_layer
if ! command -v Xwayland >/dev/null; then
    echo "$check_name: XWayland is not installed, its stage is left out"
    echo "$check_name: passed"
    exit 0
fi
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

# The clock itself through XWayland, as QT_QPA_PLATFORM=xcb asks: sway places its window, and
# that place is not saved.
if command -v xdotool >/dev/null; then
    settings="$config/vornel-works/velmora.conf"
    clock_settings 100 80 1
    start_clock DISPLAY="$x_display" QT_QPA_PLATFORM=xcb
    window=
    for _ in $(seq 100); do
        window=$(as_user env DISPLAY="$x_display" xdotool search --onlyvisible --name '^Velmora$' \
            2>/dev/null) && break
        sleep 0.1
    done
    [ -n "$window" ] || fail "the clock through XWayland showed no window: $(cat "$work/clock.log")"
    sleep 1.5
    stop_clock
    grep -q '^ClockWindow_X=100$' "$settings" && grep -q '^ClockWindow_Y=80$' "$settings" ||
        fail "the place sway gave the clock's XWayland window was saved: $(cat "$settings")"
fi

echo "$check_name: passed"
