#!/bin/sh
# Editing on the clock itself in a real X session (Xvfb, openbox, wmdocker, picom): the
# customize dialog opens beside the clock; a click on the second hand on the clock selects it,
# and its colour, picked from the pop-up, shows on the clock; Ctrl+Z takes the colour back and
# Ctrl+Shift+Z brings it again; a drag of the hand on the clock moves it; the toolbar adds a
# text that is given the weekday's format; Save As writes the scheme, and after a restart the
# clock shows exactly what velmora-tool renders of the saved file.
#
# usage: editor_tasks_check.sh VELMORA VELMORA_TOOL
# With VELMORA_CHECK_SHOTS set to a folder, screenshots of the steps are kept there.
set -eu
velmora=$1
tool=$2
check_name="editor tasks check"
. "$(dirname "$0")/window_check_lib.sh"
begin_check
start_desktop
wait_for_desktop

use_private_session
scheme="$XDG_DATA_HOME/velmora/schemes/my red.Velmora"

shoot() {
    [ -n "${VELMORA_CHECK_SHOTS:-}" ] || return 0
    import -window root "$VELMORA_CHECK_SHOTS/$1.png"
}

# Waits up to two seconds for the clock to show at least 40 pixels of colour $1.
expect_color() {
    until_time=$(deadline 2)
    while :; do
        import -window root "$work/screen.png"
        [ "$(count_color "$1")" -ge 40 ] && return 0
        past "$until_time" && return 1
        sleep 0.05
    done
}

# A point of the clock in colour $1 some way out from the dial's centre, in $hx,$hy (screen),
# from the last screenshot.
find_color_point() {
    convert "$work/screen.png" -crop "200x200+$clockX+$clockY" +repage txt:- |
        awk -v want="#$1" -F'[,: ]+' 'toupper($0) ~ toupper(want) {
            dx = $1 - 100; dy = $2 - 100
            if (dx * dx + dy * dy > 900 && dx * dx + dy * dy < 2500) { print $1, $2; exit }
        }' >"$work/point"
    read -r px py <"$work/point" || return 1
    hx=$((clockX + px)); hy=$((clockY + py))
}

# Finds the second hand where it is now, in $hx,$hy: right after a second begins, so that it
# does not move between the screenshot and the click that follows.
find_second_hand() {
    while [ "$(date +%N | cut -c1)" -gt 1 ]; do sleep 0.02; done
    import -window root "$work/screen.png"
    find_color_point "$1" || fail "no pixel of the second hand (#$1) was found"
}

start_clock "$(deadline 15)"
[ "$(count_color FF6820)" -ge 40 ] || fail "the default second hand is not orange"
xdotool mousemove $((clockX + 100)) $((clockY + 150)) click 3
menu=$(until_new "$window") || fail "the context menu did not open"
xdotool key --delay 60 Up Up Up Up Return
dialog=$(until_found --name '^VELMORA - Customizing\.\.\.$') ||
    fail "\"Customize...\" opened no dialog"
read_geometry "$dialog"
# The dialog opens beside the clock, not over it.
[ "$x" -ge $((clockX + 200)) ] || [ $((y)) -ge $((clockY + 200)) ] ||
    fail "the dialog opened over the clock at $x,$y"
shoot 1-dialog-beside

# Task 1: the second hand red. A click on the hand on the clock selects it (its rows open,
# the focus on its row); the colour row is the first below it, Enter opens its pop-up.
find_second_hand FF6820
xdotool mousemove "$hx" "$hy" click 1
xdotool windowactivate --sync "$dialog"
xdotool key --delay 80 Down Return
popup=$(until_new "$window $dialog $menu") || fail "the colour row opened no pop-up"
read_geometry "$popup"
box=$(((h - 98) / 2))
# "Red" is the first colour of the third row of the grid of 18-pixel boxes.
xdotool mousemove $((x + 2 + 0 * 18 + 9)) $((y + 2 + box + 2 + 2 * 18 + 9)) click 1
expect_color FF0000 || fail "the clicked second hand did not turn red"
shoot 2-red-hand

# Ctrl+Z takes the colour back, Ctrl+Shift+Z brings it again.
xdotool windowactivate --sync "$dialog"
xdotool key ctrl+z
expect_color FF6820 || fail "Ctrl+Z did not bring the orange hand back"
xdotool key ctrl+shift+z
expect_color FF0000 || fail "Ctrl+Shift+Z did not make the hand red again"

# A drag of the red hand moves it: its offsets follow, and Esc afterwards changes nothing.
# (Pressed only once: two clicks in a row on the clock are a double click, which switches
# click-through on.)
sleep 0.6
find_second_hand FF0000
before_x=$hx; before_y=$hy
xdotool mousemove "$before_x" "$before_y" mousedown 1 sleep 0.1 \
    mousemove $((before_x + 10)) $((before_y + 10)) sleep 0.1 \
    mousemove $((before_x + 20)) $((before_y + 20)) sleep 0.2 mouseup 1
sleep 0.3
import -window root "$work/screen.png"
find_color_point FF0000 || fail "the red hand is gone after the drag"
shoot 3-moved-hand

# The dialog's controls, placed from its template in dialog units: 304 units across are 76
# letter widths, and the template is 290 units high.
xdotool windowactivate --sync "$dialog"
read_geometry "$dialog"
letter=$((w / 76))
line=1
while [ $((290 * line / 8)) -lt "$h" ]; do line=$((line + 1)); done

# Task 2: a text with the weekday. The toolbar's fourth button (after Copy, Hand and Slice)
# adds a text, selected, with its format open for typing.
shoot 3-before-text
toolbar_y=$((y + 31 * line / 8))
xdotool mousemove $((x + 146 * letter / 4)) "$toolbar_y" click 1
sleep 0.3
xdotool type --delay 20 '%A'
xdotool key Return
sleep 0.3
shoot 3-weekday
xdotool mousemove $((x + (208 + 21) * letter / 4)) $((y + (5 + 7) * line / 8)) click 1
save=$(until_new "$window $dialog") || fail "Save As... opened no file dialog"
xdotool windowfocus --sync "$save"
sleep 0.3
xdotool key ctrl+a
xdotool type --delay 20 "$(basename "$scheme" .Velmora)"
xdotool key Return
until_time=$(deadline 5)
until [ -s "$scheme" ]; do
    past "$until_time" && fail "nothing was saved to the typed name"
    sleep 0.05
done
"$tool" dump "$scheme" | grep -q '"#FFFF0000"' || fail "the saved scheme lacks the red hand"
"$tool" dump "$scheme" | grep -q '"value": "%A"' || fail "the saved scheme lacks the weekday text"
# The red hand's x offset, the first after its colour.
moved=$("$tool" dump "$scheme" | tr -d ' \n' | grep -o '"#FFFF0000".*' |
    grep -o '"name":"dX","textId":[0-9]*,"value":-*[0-9]*' | head -n 1 | sed 's/.*://')
[ -n "$moved" ] && [ "$moved" -gt 0 ] ||
    fail "the drag did not move the red hand to the right (x offset '$moved')"
xdotool windowactivate --sync "$dialog"
xdotool key Escape
sleep 0.3
xdotool search --onlyvisible --name '^Save changes\?$' >/dev/null 2>&1 &&
    fail "Esc after saving asked to save again"
stop_clock

# The next start shows the saved scheme, exactly as velmora-tool draws it.
start_clock "$(deadline 15)"
shows_frame "$clockX" "$clockY" --scheme "$scheme" ||
    fail "after a restart the clock differs from the saved scheme at $before in $differing pixels"
shoot 4-restarted
stop_clock
echo "$check_name: passed"
