#!/bin/sh
# The customize dialog fits the screen it opens on, in a real X session (Xvfb, openbox,
# wmdocker, picom): on a 1600 x 1000 screen at scale 2 it lies wholly on the screen and leaves
# the clock in view; on a 1024 x 600 screen it opens beside the clock, beside a clock on the
# right at once, and beside a clock in the middle, where no side has room for it whole, by
# stepping the clock aside, which goes back to its place when the dialog closes.
#
# usage: editor_fit_check.sh VELMORA VELMORA_TOOL
# With VELMORA_CHECK_SHOTS set to a folder, screenshots of the dialogs are kept there.
set -eu
velmora=$1
tool=$2
check_name="editor fit check"
. "$(dirname "$0")/window_check_lib.sh"
top=$(mktemp -d)
trap 'end_check; rm -rf "$top"' EXIT

# A session of its own on a screen of $1 (WIDTHxHEIGHT) at Qt's scale $2, named $3.
begin_session() {
    work="$top/$3"
    mkdir "$work"
    clock= ; server= ; helpers= ; docker=
    background='#336699'
    screenW=${1%x*}; screenH=${1#*x}
    start_server "${1}x24"
    start_desktop
    wait_for_desktop
    use_private_session
    export QT_SCALE_FACTOR="$2"
}

end_session() {
    stop_clock
    kill $docker $helpers 2>/dev/null || true
    kill $server 2>/dev/null || true
    wait $server 2>/dev/null || true
    helpers= ; docker= ; server=
}

# Moves the clock to $1,$2; its geometry is then in clockX, clockY, clockW, clockH.
place_clock() {
    move_window "$window" "$1" "$2"
    clockX=$x; clockY=$y; clockW=$w; clockH=$h
}

# Opens "Customize..." from the clock's menu; the dialog's geometry is then in x, y, w, h.
open_dialog() {
    xdotool mousemove $((clockX + clockW / 2)) $((clockY + clockH * 3 / 4)) click 3
    until_new "$window" >/dev/null || fail "the context menu did not open"
    xdotool key --delay 60 Up Up Up Up Return
    dialog=$(until_found --name '^VELMORA - Customizing\.\.\.$') ||
        fail "\"Customize...\" opened no dialog"
    # The dialog places itself once it is shown; the window manager then frames it.
    sleep 1
    read_geometry "$dialog"
}

# The dialog lies wholly on the screen, and the clock, where it is now, outside it.
expect_fit() {
    [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le "$screenW" ] &&
        [ $((y + h)) -le "$screenH" ] ||
        fail "$1: the dialog at $x,$y sized ${w}x$h is not within the ${screenW}x$screenH screen"
    dialogX=$x; dialogY=$y; dialogW=$w; dialogH=$h
    read_geometry "$window"
    [ $((x + w)) -le "$dialogX" ] || [ "$x" -ge $((dialogX + dialogW)) ] ||
        [ $((y + h)) -le "$dialogY" ] || [ "$y" -ge $((dialogY + dialogH)) ] ||
        fail "$1: the dialog at $dialogX,$dialogY sized ${dialogW}x$dialogH covers the clock at $x,$y"
    movedX=$x; movedY=$y
}

shoot() {
    [ -n "${VELMORA_CHECK_SHOTS:-}" ] || return 0
    import -window root "$VELMORA_CHECK_SHOTS/$1.png"
}

# Closes the dialog (nothing was edited, so nothing is asked) and waits until the clock is
# back at $1,$2.
close_dialog() {
    xdotool windowactivate --sync "$dialog"
    xdotool key Escape
    until_time=$(deadline 5)
    until read_geometry "$window"; [ "$x" = "$1" ] && [ "$y" = "$2" ]; do
        past "$until_time" && fail "after the dialog closed the clock stayed at $x,$y, not $1,$2"
        sleep 0.05
    done
    until_gone "$dialog" || fail "Esc left the dialog open"
}

# At scale 2 the dialog's natural size is taller than a 1600 x 1000 screen.
begin_session 1600x1000 2 large
start_clock "$(deadline 15)"
place_clock 600 300
open_dialog
expect_fit "1600 x 1000 at scale 2"
shoot fit-1600x1000-scale2
close_dialog 600 300
end_session

begin_session 1024x600 1 small
start_clock "$(deadline 15)"
# On the right there is room on the left: the clock stays where it is.
place_clock 800 200
open_dialog
expect_fit "1024 x 600, clock on the right"
[ "$movedX" = 800 ] && [ "$movedY" = 200 ] ||
    fail "the clock was moved to $movedX,$movedY although the dialog had room beside it"
shoot fit-1024x600-right
close_dialog 800 200
natural=$dialogH
# Higher up, only a strip below the clock has room, where the dialog would show a few rows of
# its tree: it keeps its size, and the clock steps aside.
place_clock 412 60
open_dialog
expect_fit "1024 x 600, clock above the middle"
[ "$dialogH" -ge "$natural" ] || fail "the dialog shrank to $dialogH pixels beside the clock"
shoot fit-1024x600-strip
close_dialog 412 60
# Opened beside a clock on the right again, it has the size it had there: a size it was given
# to fit is not kept.
place_clock 800 200
open_dialog
[ "$h" = "$natural" ] || fail "the dialog kept the size $h it was given to fit, not $natural"
close_dialog 800 200
# In the middle no side has room for the dialog: the clock steps aside while it is open.
place_clock 412 200
open_dialog
expect_fit "1024 x 600, clock in the middle"
shoot fit-1024x600-middle
close_dialog 412 200
end_session
echo "$check_name: passed"
