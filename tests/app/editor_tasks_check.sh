#!/bin/sh
# Editing on the clock itself in a real X session (Xvfb, openbox, wmdocker, picom): the
# customize dialog opens beside the clock; a click on the second hand on the clock selects it,
# and its colour, picked from the pop-up, shows on the clock; Ctrl+Z takes the colour back and
# Ctrl+Shift+Z brings it again; a drag of the hand on the clock moves it; the toolbar adds a
# text that is given the weekday's format; Save As writes the scheme, and after a restart the
# clock shows exactly what velmora-tool renders of the saved file. Then three tasks of a new
# user, with their actions counted: the minute hand twice as thick and dark blue, a text
# "Tokyo HH:MM" under the hands and a ring slice growing with the seconds; a drag on the clock
# that Ctrl+Z takes back there; and Cancel with "Discard", after which the clock shows exactly
# what it showed before the dialog opened.
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
# from the last screenshot: the middle of that colour's pixels there, so on a hand's axis,
# where a press picks that hand and not the shadow beside its edge.
find_color_point() {
    convert "$work/screen.png" -crop "200x200+$clockX+$clockY" +repage txt:- |
        awk -v want="#$1" -F'[,: ]+' 'toupper($0) ~ toupper(want) {
            dx = $1 - 100; dy = $2 - 100
            if (dx * dx + dy * dy > 900 && dx * dx + dy * dy < 2500) { sx += $1; sy += $2; n++ }
        } END { if (n > 0) printf "%d %d\n", sx / n + 0.5, sy / n + 0.5 }' >"$work/point"
    read -r px py <"$work/point" || return 1
    hx=$((clockX + px)); hy=$((clockY + py))
}

# A point of the second hand 45 pixels out from the dial's centre, in $hx,$hy, computed from
# the time early in a second, as the clock picks it: the click that follows lands before the
# hand moves on, however late a busy machine draws the frame.
find_second_hand() {
    while [ "$(date +%N | cut -c1)" != 1 ]; do sleep 0.02; done
    date -u +%S | awk -v cx=$((clockX + 99)) -v cy=$((clockY + 97)) '{
        s = $1 * atan2(0, -1) / 30
        printf "%d %d\n", cx + 45 * sin(s), cy - 45 * cos(s)
    }' >"$work/point"
    read -r hx hy <"$work/point"
}

# Saves the scheme with "Save As..." under the name of the file $1, in the scheme folder
# the file dialog starts in, and waits for the file.
save_as() {
    read_geometry "$dialog"
    xdotool mousemove $((x + (208 + 21) * letter / 4)) $((y + (5 + 7) * line / 8)) click 1
    save=$(until_new "$window $dialog") || fail "Save As... opened no file dialog"
    xdotool windowfocus --sync "$save"
    # The file dialog's name field takes keys only once it is laid out.
    sleep 0.3
    xdotool key ctrl+a
    xdotool type --delay 20 "$(basename "$1" .Velmora)"
    xdotool key Return
    until_time=$(deadline 5)
    until [ -s "$1" ]; do
        past "$until_time" && fail "nothing was saved to $1"
        sleep 0.05
    done
}

# Opens "Customize..." from the clock's menu; its geometry is then in x, y, w, h. Its
# controls are placed from its template in dialog units: 304 units across are 76 letter
# widths, and the template is 290 units high; the tree's labels are at $labelX, its values at
# $valueX.
open_customize() {
    xdotool mousemove $((clockX + 100)) $((clockY + 150)) click 3
    menu=$(until_new "$window") || fail "the context menu did not open"
    xdotool key --delay 60 Up Up Up Up Return
    dialog=$(until_found --name '^VELMORA - Customizing\.\.\.$') ||
        fail "\"Customize...\" opened no dialog"
    read_geometry "$dialog"
    letter=$((w / 76))
    line=1
    while [ $((290 * line / 8)) -lt "$h" ]; do line=$((line + 1)); done
    treeX=$((x + 8 * letter / 4))
    labelX=$((treeX + 60)); valueX=$((treeX + 200))
}

start_clock "$(deadline 15)"
[ "$(count_color FF6820)" -ge 40 ] || fail "the default second hand is not orange"
open_customize
# The dialog opens beside the clock, not over it.
[ "$x" -ge $((clockX + 200)) ] || [ $((y)) -ge $((clockY + 200)) ] ||
    fail "the dialog opened over the clock at $x,$y"
shoot 1-dialog-beside

# Task 1: the second hand red. A click on the hand on the clock selects it (its rows open,
# the focus on its row); the colour row is the first below it, Enter opens its pop-up.
find_second_hand
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
find_second_hand
before_x=$hx; before_y=$hy
xdotool mousemove "$before_x" "$before_y" mousedown 1 sleep 0.1 \
    mousemove $((before_x + 10)) $((before_y + 10)) sleep 0.1 \
    mousemove $((before_x + 20)) $((before_y + 20)) sleep 0.2 mouseup 1
sleep 0.3
import -window root "$work/screen.png"
find_color_point FF0000 || fail "the red hand is gone after the drag"
shoot 3-moved-hand

xdotool windowactivate --sync "$dialog"
read_geometry "$dialog"

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
save_as "$scheme"
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

# Three tasks of a new user, each counted in actions (a click, a key, a typed word or a drag
# each count 1) from the open dialog, and each checked in the scheme saved afterwards.
act() { actions=$((actions + $1)); }
# The tree's selected row, the first one highlighted, in $rowY (its middle); rows are 21
# pixels apart.
selected_row() {
    sleep 0.3
    import -window root "$work/screen.png"
    convert "$work/screen.png" -crop "1x$h+$labelX+$y" +repage txt:- |
        awk -F'[,: ]+' 'toupper($0) ~ /#308CC6/ { print $2; exit }' >"$work/row"
    read -r top <"$work/row" && [ -n "$top" ] || fail "no row of the tree is selected"
    rowY=$((y + top + 10))
}
# Waits for a moment when the second hand (its pivot moved by the drag above) is well away
# from the point 72 pixels out on the minute hand, and puts that point in $hx,$hy: beyond the
# texts below the centre, which are drawn over the hands.
find_minute_hand() {
    until_time=$(deadline 30)
    while :; do
        while [ "$(date +%N | cut -c1)" -gt 1 ]; do sleep 0.02; done
        date -u '+%M %S' | awk -v cx=$((clockX + 99)) -v cy=$((clockY + 97)) -v moved="$moved" '
            function dist(px, py, ax, ay, bx, by,   t, dx, dy) {
                dx = bx - ax; dy = by - ay
                t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
                if (t < 0) t = 0; if (t > 1) t = 1
                return sqrt((px - ax - t * dx) ^ 2 + (py - ay - t * dy) ^ 2)
            }
            {
                pi = atan2(0, -1); m = ($1 + $2 / 60) * pi / 30; s = $2 * pi / 30
                hx = cx + 72 * sin(m); hy = cy - 72 * cos(m)
                ax = cx + moved - 15 * sin(s); ay = cy + moved + 15 * cos(s)
                bx = cx + moved + 85 * sin(s); by = cy + moved - 85 * cos(s)
                if (dist(hx, hy, ax, ay, bx, by) > 14) printf "%d %d\n", hx, hy
            }' >"$work/point"
        read -r hx hy <"$work/point" && [ -n "$hx" ] && return 0
        past "$until_time" && fail "the second hand never left the minute hand alone"
        sleep 0.5
    done
}

open_customize
shoot 5-tasks-open

# Task 1: the minute hand twice as thick (12 %) and dark blue. A click on it on the clock
# selects it; a click on the thickness (the fifth row below it) selects the value, which the
# typed number replaces; a click on the colour (the first row) commits it and opens the
# pop-up, where "Dark Blue" is the sixth box of the first row.
actions=0
find_minute_hand
xdotool mousemove "$hx" "$hy" click 1; act 1
selected_row
hand=$rowY
xdotool mousemove "$valueX" $((hand + 5 * 21)) click 1; act 1
xdotool type --delay 20 12; act 1
xdotool mousemove "$valueX" $((hand + 21)) click 1; act 1
popup=$(until_new "$window $dialog $menu") || fail "the colour row opened no pop-up"
read_geometry "$popup"
box=$(((h - 98) / 2))
xdotool mousemove $((x + 2 + 5 * 18 + 9)) $((y + 2 + box + 2 + 9)) click 1; act 1
expect_color 00008B || fail "the minute hand did not turn dark blue"
echo "$check_name: task 1, the minute hand twice as thick and dark blue: $actions actions"
[ "$actions" -le 6 ] || fail "task 1 took $actions actions"
shoot 6-task-thick-blue

# Task 2: a text "Tokyo HH:MM" under the hands. "Text" adds it with its format open for
# typing; a click on its zone (the second row) shows the zone choices, the last of which,
# "Choose a zone...", searches the zones; the row's menu moves the text to the top of the
# list, where it is drawn first.
read_geometry "$dialog"
actions=0
xdotool mousemove $((x + 146 * letter / 4)) $((y + 31 * line / 8)) click 1; act 1
selected_row
text=$rowY
xdotool type --delay 20 'Tokyo %H:%M'; act 2
xdotool mousemove "$valueX" $((text + 2 * 21)) click 1; act 1
list=$(until_new "$window $dialog $menu $popup") || fail "the zone row showed no choices"
read_geometry "$list"
xdotool mousemove $((x + 40)) $((y + h - 11)) click 1; act 1
picker=$(until_found --name '^Choose a zone$') || fail "\"Choose a zone...\" opened no search"
xdotool windowfocus --sync "$picker"
sleep 0.3
xdotool type --delay 20 Tokyo; act 1
sleep 0.3
xdotool key Return; act 1
until_gone "$picker" || fail "the zone search stayed open"
xdotool mousemove "$labelX" "$text" click 3; act 1
rows=$(until_new "$window $dialog $menu $popup $list $picker") ||
    fail "the text's row showed no menu"
read_geometry "$rows"
xdotool mousemove $((x + 30)) $((y + 10)) click 1; act 1
echo "$check_name: task 2, a text \"Tokyo HH:MM\" under the hands: $actions actions"
[ "$actions" -le 10 ] || fail "task 2 took $actions actions"
shoot 7-task-tokyo

# Task 3: a ring slice growing with the seconds. "Slice" adds one that follows the seconds;
# its inner radius (the third row) makes it a ring.
read_geometry "$dialog"
actions=0
xdotool mousemove $((x + 108 * letter / 4)) $((y + 31 * line / 8)) click 1; act 1
selected_row
xdotool mousemove "$valueX" $((rowY + 3 * 21)) click 1; act 1
xdotool type --delay 20 85; act 1
xdotool key Return; act 1
echo "$check_name: task 3, a ring slice growing with the seconds: $actions actions"
[ "$actions" -le 8 ] || fail "task 3 took $actions actions"
shoot 8-task-ring

# The three results, saved and read back.
tasks="$XDG_DATA_HOME/velmora/schemes/tasks.Velmora"
save_as "$tasks"
"$tool" dump "$tasks" | tr -d ' \n' >"$work/tasks.json"
grep -q '"#FF00008B"},{[^]]*"Thickness","textId":27,"value":12}' "$work/tasks.json" ||
    fail "the saved minute hand is not dark blue and 12 % thick"
[ "$(grep -o '"type":"Clock\(Hand\|Slice\|Text\)"' "$work/tasks.json" | head -n 1)" = \
    '"type":"ClockText"' ] || fail "the Tokyo text is not the first element, under the hands"
slot=$(grep -o '"value":"Tokyo%H:%M"},{"type":"TimeZoneProperty","name":"TimeZone","textId":56,"value":[1-4]' \
    "$work/tasks.json" | sed 's/.*://')
[ -n "$slot" ] || fail "the saved text is not \"Tokyo %H:%M\" in a user zone"
grep -q "Asia/Tokyo" "$settings" || fail "no user zone slot holds Asia/Tokyo"
grep -q '"type":"ClockSlice"[^]]*"name":"Begin","textId":72,"value":85}[^]]*"name":"TimeValue","textId":31,"value":1}' \
    "$work/tasks.json" || fail "the saved slice is no ring growing with the seconds"
xdotool windowactivate --sync "$dialog"
xdotool key Escape
until_gone "$dialog" || fail "Esc after saving the tasks did not close the dialog"

# Editing on the clock and leaving without saving: a drag of a hand on the clock moves it,
# and Ctrl+Z, while the clock has the keyboard, takes it back; Cancel and "Discard" then leave
# the clock exactly as it was before the dialog opened, pixel for pixel.
shows_frame "$clockX" "$clockY" --scheme "$tasks" --zone "$slot=Asia/Tokyo" ||
    fail "the clock differs from the saved tasks at $before in $differing pixels"
open_customize
sleep 0.6
find_minute_hand
xdotool mousemove "$hx" "$hy" mousedown 1 sleep 0.1 mousemove $((hx + 8)) $((hy + 8)) sleep 0.1 \
    mousemove $((hx + 16)) $((hy + 16)) sleep 0.2 mouseup 1
shoot_within_second
compare_with_frame "$clockX" "$clockY" --scheme "$tasks" --zone "$slot=Asia/Tokyo" &&
    fail "the drag on the clock moved nothing"
shoot 9-dragged
# The keys go where the keyboard is, and the drag gave it to the clock.
[ "$(xdotool getwindowfocus)" = "$window" ] ||
    fail "the clock did not have the keyboard after the drag"
xdotool key ctrl+z
# The hand stays selected, marked on the clock; it is the fifth element, after the text and
# the first three hands.
shows_frame "$clockX" "$clockY" --scheme "$tasks" --zone "$slot=Asia/Tokyo" --selected 4 ||
    fail "Ctrl+Z on the clock did not take the drag back ($differing pixels differ at $before)"
read_geometry "$dialog"
xdotool mousemove $((x + 108 * letter / 4)) $((y + 31 * line / 8)) click 1
shoot_within_second
compare_with_frame "$clockX" "$clockY" --scheme "$tasks" --zone "$slot=Asia/Tokyo" && fail "the new slice did not show"
read_geometry "$dialog"
xdotool mousemove $((x + (245 + 25) * letter / 4)) $((y + h - 290 * line / 8 + 275 * line / 8)) click 1
question=$(until_found --name '^Save changes\?$') || fail "Cancel did not ask about the edits"
shoot 10-cancel-question
xdotool windowfocus --sync "$question"
# Save As is the default; the next button is Discard.
xdotool key Tab space
until_gone "$dialog" || fail "Discard did not close the dialog"
shows_frame "$clockX" "$clockY" --scheme "$tasks" --zone "$slot=Asia/Tokyo" ||
    fail "after Cancel and Discard the clock differs from before in $differing pixels at $before"
shoot 11-discarded
stop_clock
echo "$check_name: passed"
