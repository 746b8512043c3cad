#!/bin/sh
# The customize dialog in a real X session (Xvfb, openbox, wmdocker, picom): "Customize..."
# from the clock's menu opens it; the second hand's colour, changed in the option tree once
# with the mouse and once with the keyboard, shows on the clock within a second; OK offers to
# save, and the scheme goes to a path typed into the file dialog, which the next start shows;
# there Restore Defaults brings the built-in scheme once confirmed, Load the saved one, and the
# start after that shows it again.
#
# usage: customize_window_check.sh VELMORA VELMORA_TOOL
# With VELMORA_CHECK_SHOTS set to a folder, the dialog's screenshots are kept there.
set -eu
velmora=$1
tool=$2
check_name="customize window check"
. "$(dirname "$0")/window_check_lib.sh"
begin_check
start_desktop
wait_for_desktop

use_private_session
# The file dialogs start in the user's scheme folder, so a typed name lands there.
scheme="$XDG_DATA_HOME/velmora/schemes/second hand.Velmora"

# Shows the context menu and picks "Customize...": four steps up from the bottom, past "Exit",
# "Process priority" and "Time zones...", reach it whatever the tray offers above.
open_dialog() {
    xdotool mousemove $((x + 100)) $((y + 150)) click 3
    menu=$(until_new "$window") || fail "the context menu did not open"
    xdotool key --delay 60 Up Up Up Up Return
    dialog=$(until_found --name '^VELMORA - Customizing\.\.\.$') ||
        fail "\"Customize...\" opened no dialog"
    move_window "$dialog" 300 40
    # The tree's place in the template, in dialog units, converted with the dialog font's
    # metrics, which the template's size gives back: 304 units across are 76 letter widths.
    letter=$((w / 76))
    line=1
    while [ $((290 * line / 8)) -lt "$h" ]; do line=$((line + 1)); done
    treeX=$((x + 8 * letter / 4))
    treeY=$((y + 42 * line / 8))
}

# The middle of row $1 of the tree, counted from 0 at its top, in $rowY; labels at $labelX,
# values at $valueX.
row() { rowY=$((treeY + 21 * $1 + 10)); labelX=$((treeX + 40)); valueX=$((treeX + 200)); }

# Waits until the clock shows the second hand in colour $1, at most a second after $2 (the
# time of the commit, in nanoseconds).
expect_hand_color() {
    while :; do
        import -window root "$work/screen.png"
        [ "$(count_color "$1")" -ge 40 ] && break
        [ $(($(date +%s%N) - $2)) -gt 1000000000 ] &&
            fail "the clock did not show the second hand in #$1 within a second"
        sleep 0.05
    done
}

# Clicks the middle of the dialog's control at $1,$2 sized $3 x $4 in dialog units; with
# "bottom" as $5 the control keeps its distance from the bottom edge of a taller dialog.
press() {
    read_geometry "$dialog"
    lower=0
    [ "${5:-}" = bottom ] && lower=$((h - 290 * line / 8))
    xdotool mousemove $((x + ($1 + $3 / 2) * letter / 4)) \
        $((y + lower + ($2 + $4 / 2) * line / 8)) click 1
}

# Types the scheme's name into the file dialog $1, which shows the scheme's folder, and takes it.
type_path() {
    xdotool windowfocus --sync "$1"
    # The dialog's name field takes keys only once it is laid out: keys sent earlier were lost
    # now and then.
    sleep 0.3
    xdotool key ctrl+a
    xdotool type --delay 20 "$(basename "$scheme")"
    xdotool key Return
}

shoot_dialog() {
    [ -n "${VELMORA_CHECK_SHOTS:-}" ] || return 0
    import -window "$dialog" "$VELMORA_CHECK_SHOTS/$1.png"
}

start_clock "$(deadline 15)"
[ "$(count_color FF6820)" -ge 40 ] || fail "the default second hand is not orange"
open_dialog
shoot_dialog dialog-open

# The body's row is open on its five property rows, then come the elements' rows; the second
# hand is the seventh element. The dialog, made taller, shows the rows of that hand once its
# row is open. The mouse selects the hand's row, opens it, and picks Bright Green from the
# pop-up of the colour row, the first below it.
xdotool windowsize "$dialog" "$w" 690
until_time=$(deadline 5)
until read_geometry "$dialog"; [ "$h" = 690 ]; do
    past "$until_time" && fail "the dialog could not be made taller"
    sleep 0.05
done
row 12
xdotool mousemove "$labelX" "$rowY" click 1 sleep 0.2 mousemove $((treeX + 8)) $((rowY - 1)) \
    click 1
# One click on the colour row's value opens its editor and the pop-up.
row 13
xdotool sleep 0.2 mousemove "$valueX" "$rowY" click 1
popup=$(until_new "$window $dialog $menu") || fail "the colour row opened no pop-up"
shoot_dialog colour-pop-up
read_geometry "$popup"
# A text box, the grid of 18-pixel boxes, eight to a row, then another text box, each
# 2 pixels apart.
box=$(((h - 98) / 2))
committed=$(date +%s%N)
xdotool mousemove $((x + 2 + 3 * 18 + 9)) $((y + 2 + box + 2 + 3 * 18 + 9)) click 1
expect_hand_color 00FF00 "$committed"

# The keyboard: from the group's row down to the colour row, Enter opens the pop-up, move from
# Bright Green up, left and down to Yellow, and end there.
row 12
xdotool mousemove "$labelX" "$rowY" click 1
xdotool key --delay 80 Down Return
until_new "$window $dialog $menu" >/dev/null || fail "Enter opened no pop-up"
committed=$(date +%s%N)
xdotool key --delay 80 Up Left Down Return
expect_hand_color FFFF00 "$committed"
shoot_dialog colour-edited

# OK with unsaved edits asks about them; Enter takes "Save As...", which leads to the file
# dialog, and that takes a typed path.
press 190 268 50 14 bottom
until_found --name '^Save changes\?$' >/dev/null || fail "OK did not ask to save the edits"
xdotool key Return
save=$(until_new "$window $dialog") || fail "Yes opened no file dialog"
type_path "$save"
until_gone "$dialog" || fail "the dialog stayed open after saving"
[ -s "$scheme" ] || fail "nothing was saved to the typed path"
"$tool" dump "$scheme" | grep -q '"#FFFFFF00"' || fail "the saved scheme lacks the yellow hand"
shows_frame "$clockX" "$clockY" --scheme "$scheme" ||
    fail "after OK the clock differs from the saved scheme at $before in $differing pixels"
stop_clock

# The scheme saved is the scheme of the next start.
start_clock "$(deadline 15)"
shows_frame "$clockX" "$clockY" --scheme "$scheme" ||
    fail "after saving, the next start differs from the saved scheme at $before"
# Restore Defaults, once confirmed, brings the orange hand back; Load then brings the saved one.
open_dialog
press 50 268 77 14 bottom
until_found --name '^Restore Defaults$' >/dev/null || fail "Restore Defaults did not ask first"
xdotool key Return
expect_hand_color FF6820 "$(date +%s%N)"
# Load shows its menu: the examples, the schemes used last, and last a file dialog for others.
press 256 5 39 14
until_new "$window $dialog" >/dev/null || fail "Load... showed no menu"
xdotool key --delay 80 Up Return
load=$(until_new "$window $dialog") || fail "\"Other scheme file...\" opened no file dialog"
type_path "$load"
committed=$(date +%s%N)
expect_hand_color FFFF00 "$committed"
press 190 268 50 14 bottom
until_gone "$dialog" || fail "OK after loading asked something or did not close"
stop_clock

start_clock "$(deadline 15)"
shows_frame "$clockX" "$clockY" --scheme "$scheme" ||
    fail "the start after loading differs from the loaded scheme at $before in $differing pixels"
stop_clock
echo "$check_name: passed"
