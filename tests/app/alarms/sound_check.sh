#!/bin/sh
# The clock's sounds in a real session (Xvfb, openbox, wmdocker, picom, a private session bus):
# "Play sounds" turned on from the menu plays the chime into a null sink of a sound server the
# check starts (PulseAudio), where the check hears it; a clock with no sound server to reach
# keeps running through its alarms silently, and says so once.
#
# usage: sound_check.sh VELMORA
set -eu
velmora=$1
check_name="sound check"
. "$(dirname "$0")/../window_check_lib.sh"
begin_check
start_desktop
wait_for_desktop
use_private_session

start_session_bus
pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --use-pid-file=no \
    --load="module-null-sink sink_name=velmora_null" \
    --load="module-native-protocol-unix auth-anonymous=1 socket=$work/pulse.sock" \
    >"$work/pulse.log" 2>&1 &
helpers="$helpers $!"
export PULSE_SERVER="unix:$work/pulse.sock"
until_time=$(deadline 15)
until pactl info >/dev/null 2>&1; do
    past "$until_time" && fail "the sound server did not start: $(cat "$work/pulse.log")"
    sleep 0.1
done

# The loudest sample of a recording of 16-bit samples.
loudest() {
    od -An -v -td2 -w2 "$1" | awk '{ v = $1 < 0 ? -$1 : $1; if (v > m) m = v } END { print m + 0 }'
}

start_clock "$(deadline 20)"
parec -d velmora_null.monitor --raw --format=s16le --channels=1 --rate=8000 >"$work/heard.raw" &
recorder=$!
helpers="$helpers $recorder"
sleep 1
[ "$(loudest "$work/heard.raw")" -lt 100 ] || fail "the sink was not silent before the chime"

# From the top of the menu, below its disabled title: Info..., Web help, Click through, Stay on
# top, On all workspaces, Lock position, Transparency, then "Play sounds".
xdotool mousemove $((clockX + 100)) $((clockY + 150)) click 3
until_new "$window" >/dev/null || fail "the context menu did not open"
xdotool key --delay 80 Down Down Down Down Down Down Down Down Return
grep -q '^PlaySounds=1' "$settings" || fail "\"Play sounds\" was not kept"
sleep 3
kill "$recorder"
peak=$(loudest "$work/heard.raw")
[ "$peak" -gt 2000 ] || fail "no chime was heard in the null sink (loudest sample $peak)"
stop_clock

# No sound server to reach: the clock rings its timers silently and says why once.
export PULSE_SERVER="unix:$work/nowhere.sock"
printf '[View]\nPlaySounds=1\n' >"$XDG_CONFIG_HOME/vornel-works/velmora-quiet.conf"
"$velmora" --clock quiet 2>"$work/quiet.log" &
clock=$!
until_found --name '^Velmora .* quiet$' >/dev/null || fail "the quiet clock did not appear"
for _ in 1 2; do
    "$velmora" --clock quiet --timer 1s || fail "--timer 1s ended with status $?"
    dialog=$(until_found --name '^Velmora - Timer$') || fail "the timer did not ring"
    xdotool windowactivate --sync "$dialog" key Escape
    sleep 0.5
done
kill -0 "$clock" 2>/dev/null || fail "the clock ended without a sound server"
[ "$(grep -c 'sounds stay silent' "$work/quiet.log")" = 1 ] ||
    fail "the missing sound server was not said exactly once: $(cat "$work/quiet.log")"
stop_clock
echo "$check_name: passed"
