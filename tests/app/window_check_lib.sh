# Helpers of the real-window checks: an X session with a window manager, a tray host and a
# compositor, window geometry, screenshots and the comparison with a whole frame from
# velmora-tool. Sourced; the caller sets check_name, then calls begin_check.

# With VELMORA_CHECK_SHOTS naming a folder, the screen at a failure is kept there.
fail() {
    echo "$check_name: $*" >&2
    if [ -n "${VELMORA_CHECK_SHOTS:-}" ]; then
        import -window root "$VELMORA_CHECK_SHOTS/failure.png" 2>/dev/null || true
    fi
    exit 1
}

# A temporary folder in $work, removed at the end with every process the check started
# ($clock, $docker, $helpers, $server), and an X server on a desktop of #336699.
# With $1 = resizable, the X server's screen can be resized (see start_resizable_server).
begin_check() {
    work=$(mktemp -d)
    clock= ; server= ; helpers= ; docker=
    trap end_check EXIT
    background='#336699'
    if [ "${1:-}" = resizable ]; then
        start_resizable_server 1600x1200
    else
        start_server 1024x768x24
    fi
}

end_check() {
    kill $clock $docker $helpers 2>/dev/null || true
    kill $server 2>/dev/null || true
    rm -rf "$work"
}

# The program's home, settings, data and temporary folders inside $work, in UTC on X11.
use_private_session() {
    export TZ=UTC HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
    export TMPDIR="$work/tmp" QT_QPA_PLATFORM=xcb
    mkdir -p "$HOME" "$XDG_CONFIG_HOME/vornel-works"
    settings="$XDG_CONFIG_HOME/vornel-works/velmora.conf"
}

# Moves window $1 to $2,$3 and waits until it is there; its geometry is then in x, y, w, h.
move_window() {
    xdotool windowmove "$1" "$2" "$3"
    until_time=$(deadline 5)
    until read_geometry "$1"; [ "$x" -ge "$2" ] && [ "$y" -ge "$3" ]; do
        past "$until_time" && fail "window $1 did not move"
        sleep 0.05
    done
}

# Starts Xvfb on a free display with the desktop painted in $background and exports
# DISPLAY; its process id is in $server.
start_server() {
    Xvfb -displayfd 3 -screen 0 "$1" +extension Composite -noreset 3>"$work/display" \
        2>/dev/null &
    server=$!
    use_server Xvfb
}

# The same with a screen of $1 (WIDTHxHEIGHT) that xrandr can resize, which Xvfb's cannot:
# TigerVNC's X server, with no VNC port open.
start_resizable_server() {
    Xvnc -displayfd 3 -geometry "$1" -depth 24 -SecurityTypes None -rfbport -1 -noreset \
        3>"$work/display" 2>/dev/null &
    server=$!
    use_server Xvnc
}

# Waits for the X server $1 just started to name its display, then exports DISPLAY and paints
# the desktop.
use_server() {
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
    [ -s "$work/display" ] || fail "$1 did not start"
    export DISPLAY=":$(cat "$work/display")"
    export XDG_RUNTIME_DIR="$work/runtime"
    mkdir -m 700 "$XDG_RUNTIME_DIR" "$work/tmp"
    hsetroot -solid "$background" >/dev/null 2>&1
}

# A session bus of the check's own, waited for and exported in DBUS_SESSION_BUS_ADDRESS; its
# process id is added to $helpers.
start_session_bus() {
    dbus-daemon --session --nofork --print-address=3 3>"$work/bus" >/dev/null 2>&1 &
    helpers="$helpers $!"
    until_time=$(deadline 10)
    until [ -s "$work/bus" ]; do
        past "$until_time" && fail "the session bus did not start"
        sleep 0.05
    done
    DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$work/bus")
    export DBUS_SESSION_BUS_ADDRESS
}

# openbox alone, waited for until it has taken the screen; its process id is added to
# $helpers.
start_window_manager() {
    openbox >/dev/null 2>&1 &
    helpers="$helpers $!"
    until_time=$(deadline 10)
    until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
        past "$until_time" && fail "openbox did not start"
        sleep 0.05
    done
}

# openbox, wmdocker and picom; their process ids are added to $helpers.
start_desktop() {
    openbox >/dev/null 2>&1 &
    helpers="$helpers $!"
    wmdocker >/dev/null 2>&1 &
    helpers="$helpers $!"
    picom --backend xrender >/dev/null 2>&1 &
    helpers="$helpers $!"
}

# Geometry of the client area of window $1 on the screen: x, y, w, h.
field() { xwininfo -id "$1" | sed -n "s/^ *$2: *\\([-0-9]*\\).*/\\1/p"; }
read_geometry() { x=$(field "$1" 'Absolute upper-left X'); y=$(field "$1" 'Absolute upper-left Y')
                  w=$(field "$1" Width); h=$(field "$1" Height); }

# The colour of a pixel of the last screenshot, as RRGGBB.
pixel() { convert "$work/screen.png" -format "%[hex:p{$1,$2}]" info: | cut -c1-6; }

# Takes $work/screen.png well inside one second, after that second's frame, and sets
# $before to that second (UTC); fails when no second allowed it.
shoot_within_second() {
    for _ in $(seq 10); do
        while [ "$(date +%N | cut -c1)" -lt 3 ] || [ "$(date +%N | cut -c1)" -gt 5 ]; do
            sleep 0.05
        done
        before=$(date -u +%Y-%m-%dT%H:%M:%S)
        import -window root "$work/screen.png"
        [ "$(date -u +%Y-%m-%dT%H:%M:%S)" = "$before" ] && break
        before=
    done
    [ -n "$before" ] || fail "no screenshot could be taken within one second"
}

# Whether the clock at $1,$2 shows velmora-tool's whole frame (see compare_with_frame) in a
# screenshot of one of three seconds in a row: a second's frame shown late once, as a busy
# machine may, is not what these checks look for; one never shown is.
shows_frame() {
    for _ in 1 2 3; do
        shoot_within_second
        compare_with_frame "$@" && return 0
    done
    return 1
}

# Compares the inner part of a 200 x 200 clock at $1,$2 in the last screenshot with
# velmora-tool's whole frame of the second $before over $background, rendered with the further
# arguments. The corner squares, where focus marks may show, are left out.
compare_with_frame() {
    left=$1 top=$2
    shift 2
    convert -size 200x200 "xc:$background" "$work/under.png"
    compare_frame_over "$work/under.png" "136x136+32+32" "$left" "$top" "$@"
}

# Compares the parts $2 (crop geometries) of a 200 x 200 clock at $3,$4 in the last screenshot
# with velmora-tool's whole frame of the second $before, rendered with the further arguments,
# over the picture $1 of the desktop beneath the clock; the differing pixels are in $differing.
compare_frame_over() {
    under=$1 crops=$2 left=$3 top=$4
    shift 4
    "$tool" render --utc "$before" --size 200x200 --out "$work/frame.png" "$@" ||
        fail "velmora-tool could not render the frame"
    convert "$work/screen.png" -crop "200x200+$left+$top" +repage "$work/shown.png"
    convert "$under" "$work/frame.png" -composite "$work/expected.png"
    differing=0
    for crop in $crops; do
        convert "$work/shown.png" -crop "$crop" +repage "$work/shown_part.png"
        convert "$work/expected.png" -crop "$crop" +repage "$work/expected_part.png"
        # Compositing rounds alpha blends slightly differently: a few levels, never a hand's
        # width.
        part=$(compare -metric AE -fuzz 6% "$work/shown_part.png" "$work/expected_part.png" \
            null: 2>&1 | cut -d' ' -f1) || true
        case $part in '' | *[!0-9.e+]*) part=999999 ;; esac
        differing=$((differing + ${part%.*}))
    done
    [ "$differing" -le 20 ]
}

# Deadlines in nanoseconds since the epoch: deadline SECONDS gives one, past tells whether
# it has gone by.
deadline() { echo $(($(date +%s%N) + $1 * 1000000000)); }
past() { [ "$(date +%s%N)" -gt "$1" ]; }

# Waits until the window manager and the compositor have taken the screen.
wait_for_desktop() {
    until_time=$(deadline 10)
    until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' &&
        xwininfo -root -children | grep -q '"picom"'; do
        past "$until_time" && fail "openbox and picom did not start"
        sleep 0.05
    done
}

# The first visible window xdotool search finds with the given arguments, waiting up to ten
# seconds for it to appear.
until_found() {
    until_time=$(deadline 10)
    until found=$(xdotool search --onlyvisible "$@" 2>/dev/null | head -n 1) && [ -n "$found" ]
    do
        past "$until_time" && return 1
        sleep 0.05
    done
    echo "$found"
}

# A visible window of the program that is none of the windows listed in $1, waiting up to
# ten seconds for it to appear.
until_new() {
    until_time=$(deadline 10)
    while :; do
        for found in $(xdotool search --onlyvisible --class velmora 2>/dev/null); do
            case " $1 " in
            *" $found "*) ;;
            *) echo "$found"; return 0 ;;
            esac
        done
        past "$until_time" && return 1
        sleep 0.05
    done
}

# Waits up to five seconds for window $1 to be no longer shown.
until_gone() {
    until_time=$(deadline 5)
    while xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; do
        past "$until_time" && return 1
        sleep 0.05
    done
}

# Starts the program ($velmora) and waits until its clock has drawn, before the deadline $1;
# the window is in $window, moved to the top-left corner (20,20, also in $clockX,$clockY) so
# that a dialog opened later leaves it in view.
start_clock() {
    "$velmora" &
    clock=$!
    window=$(until_found --name '^Velmora$') || fail "the clock window did not appear"
    xdotool windowmove "$window" 20 20
    until read_geometry "$window"; [ "$x" = 20 ] && [ "$y" = 20 ]; do
        past "$1" && fail "the clock did not move to 20,20"
        sleep 0.05
    done
    until import -window root "$work/screen.png" &&
        [ "$(pixel $((x + 100)) $((y + 40)))" != 336699 ]; do
        past "$1" && fail "the clock was not drawn"
        sleep 0.1
    done
    clockX=$x; clockY=$y
}

stop_clock() {
    kill -TERM $clock
    wait $clock || fail "the program ended with an error"
    clock=
}

# How many pixels of the 200 x 200 clock at $clockX,$clockY show exactly colour $1 (RRGGBB)
# in the last screenshot.
count_color() {
    convert "$work/screen.png" -crop "200x200+$clockX+$clockY" +repage -fill black \
        +opaque "#$1" -fill white -opaque "#$1" -format '%[fx:int(mean*w*h+0.5)]' info:
}
