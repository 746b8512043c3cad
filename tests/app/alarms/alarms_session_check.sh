#!/bin/sh
# Alarms and timers in a real session (Xvfb, openbox, wmdocker, picom) with a private session bus
# and a notification service of the test's own (notification_server): an alarm missed while the
# clock did not run is told once at its start, as missed; `velmora --timer 3s --label Tea` leads
# to one notice carrying "Tea" three seconds later, whose "Dismiss" closes it; an alarm set for
# the next minute is told in that minute's first second; bad times and durations end with status
# 2; and without a notification service the clock shows a notice of its own.
#
# usage: alarms_session_check.sh VELMORA NOTIFICATION_SERVER
# With VELMORA_CHECK_SHOTS set to a folder, the clock's own notice is photographed there.
set -eu
velmora=$1
notification_server=$2
check_name="alarms session check"
. "$(dirname "$0")/../window_check_lib.sh"
begin_check
start_desktop
wait_for_desktop
use_private_session

start_session_bus

notices="$work/notices"
"$notification_server" --invoke dismiss --after 500 >"$notices" &
notifier=$!
helpers="$helpers $notifier"
until_time=$(deadline 10)
until grep -q '^ready' "$notices"; do
    past "$until_time" && fail "the notification service did not start"
    sleep 0.05
done

# Waits until the notices hold a line matching $1, before $2 seconds have passed.
until_notice() {
    until_time=$(deadline "$2")
    until grep -q "$1" "$notices"; do
        past "$until_time" && fail "no notice matched '$1': $(cat "$notices")"
        sleep 0.02
    done
}

# A daily alarm two hours ago, set three hours ago: the clock was not running then.
now_ms=$(($(date +%s) * 1000))
missed_at=$(date -u -d "@$((now_ms / 1000 - 7200))" +%H:%M)
printf '[Alarms]\nAlarms="%s;1234567;1;%s;0;Night watch\\n"\n' "$missed_at" \
    "$((now_ms - 3 * 3600 * 1000))" >"$settings"

start_clock "$(deadline 20)"
until_notice "^notify .*Missed alarm	Night watch (Alarm at $missed_at)" 10
grep "Missed alarm" "$notices" | grep -q '	-1$' ||
    fail "a missed alarm's notice should go as the desktop decides"
grep "Missed alarm" "$notices" | grep -q 'dismiss' && fail "a missed alarm's notice offers actions"

# A timer: one notice, three seconds after the launch asked for it.
asked=$(($(date +%s%N) / 1000000))
"$velmora" --timer 3s --label Tea || fail "--timer 3s ended with status $?"
until_notice '^notify [0-9]* [0-9]* Tea	' 8
line=$(grep '^notify [0-9]* [0-9]* Tea	' "$notices")
id=$(echo "$line" | cut -d' ' -f2)
told=$(echo "$line" | cut -d' ' -f3)
late=$((told - asked - 3000))
[ "$late" -ge -500 ] && [ "$late" -le 500 ] ||
    fail "the timer's notice came $((told - asked)) ms after the launch, not 3000 +- 500"
echo "$line" | grep -q '	dismiss|Dismiss|snooze|Snooze 5 minutes	0$' ||
    fail "the timer's notice lacks its actions or expires: $line"
# The service answers with "dismiss" half a second later; the clock closes the notice then.
until_notice "^close $id\$" 5
sleep 1
[ "$(grep -c 'Tea' "$notices")" = 1 ] || fail "the timer was told more than once: $(cat "$notices")"

# An alarm for the next minute (the one after, this close to its end): told in its first second.
now=$(date +%s)
minute=$((now - now % 60 + 60))
[ $((minute - now)) -ge 5 ] || minute=$((minute + 60))
"$velmora" --alarm "$(date -u -d "@$minute" +%H:%M)" --label Wake ||
    fail "--alarm ended with status $?"
until_notice '^notify [0-9]* [0-9]* Wake	' $((minute - now + 10))
told=$(grep '^notify [0-9]* [0-9]* Wake	' "$notices" | cut -d' ' -f3)
[ "$told" -ge $((minute * 1000)) ] && [ "$told" -lt $((minute * 1000 + 1000)) ] ||
    fail "the alarm for $minute was told at $told ms, not in the minute's first second"

# Mistakes on the command line end at once with status 2 and a message.
for wrong in "--alarm 24:00" "--alarm 7" "--timer 5x" "--timer 0s" "--label Tea"; do
    status=0
    # shellcheck disable=SC2086
    "$velmora" $wrong 2>"$work/error" || status=$?
    [ "$status" = 2 ] || fail "'velmora $wrong' ended with status $status, not 2"
    [ -s "$work/error" ] || fail "'velmora $wrong' said nothing"
done

# Without a notification service the clock tells of a ring in a dialog of its own.
kill "$notifier"
wait "$notifier" 2>/dev/null || true
"$velmora" --timer 1s --label Soup || fail "--timer 1s ended with status $?"
dialog=$(until_found --name '^Velmora - Soup$') || fail "no notice of the clock's own appeared"
[ -z "${VELMORA_CHECK_SHOTS:-}" ] || import -window "$dialog" "$VELMORA_CHECK_SHOTS/ringing.png"
xdotool windowactivate --sync "$dialog" key Escape
until_time=$(deadline 5)
while xwininfo -id "$dialog" 2>/dev/null | grep -q IsViewable; do
    past "$until_time" && fail "Esc did not dismiss the clock's own notice"
    sleep 0.05
done

stop_clock
echo "$check_name: passed"
