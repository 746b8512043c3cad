#!/bin/sh
# Smooth motion in a real X window (Xvfb, openbox, picom): with "Smooth motion" on, a clock
# whose second hands move continuously changes its pixels at about the display's rate (Xvfb
# tells its refreshes, sixty a second, through the Present extension), and without it ten
# times a second; on another workspace, where the window manager takes it off the screen, it
# draws nothing and costs next to nothing, and back on its workspace it moves again.
#
# usage: smooth_motion_check.sh VELMORA VELMORA_TOOL MOTION_PROBE
set -eu
velmora=$1
tool=$2
probe=$3
check_name="smooth motion check"
. "$(dirname "$0")/window_check_lib.sh"
begin_check
use_private_session
start_desktop
wait_for_desktop
"$(dirname "$0")/../../bench/continuous_scheme.sh" -t "$tool" "$work/continuous.Velmora" \
    >/dev/null || fail "velmora-tool could not write the continuous scheme"

# Starts the clock with smooth motion on ($1 = 1) or off, and waits until it has drawn. It is
# kept on one workspace, so that another one takes it off the screen.
start_moving_clock() {
    printf '[View]\nSchemeLoaded=%s\nSmoothMotion=%s\nOnAllWorkspaces=0\n' \
        "$work/continuous.Velmora" "$1" >"$settings"
    start_clock "$(deadline 15)"
    sleep 1
}

# The rate at which the clock's pixels changed over two seconds, as a whole number.
motion_rate() {
    rate=$("$probe" "$window" 2) || fail "the motion probe could not watch the clock"
    echo "${rate%.*}"
}

# On-CPU nanoseconds of all the clock's threads.
clock_cpu() { cat /proc/"$clock"/task/*/schedstat | awk '{ ns += $1 } END { printf "%.0f\n", ns }'; }

start_moving_clock 1
rate=$(motion_rate)
# A busy machine lets a refresh go by now and then; a frame that waited for the refresh after
# its own each time would halve the rate.
[ "$rate" -ge 40 ] || fail "with smooth motion the clock changed $rate times a second, not ~60"
grep -q '^SmoothMotion=1$' "$settings" || fail "the setting was not kept"

# Another workspace: openbox takes the clock off the screen, and the clock stops drawing.
xdotool set_desktop 1
sleep 1
before=$(clock_cpu)
sleep 2
spent=$((($(clock_cpu) - before) / 1000000))
[ "$spent" -le 20 ] || fail "on another workspace the clock spent $spent ms in 2 s drawing"
xdotool set_desktop 0
sleep 1
rate=$(motion_rate)
[ "$rate" -ge 40 ] || fail "back on its workspace the clock changed $rate times a second"

stop_clock
start_moving_clock 0
rate=$(motion_rate)
[ "$rate" -ge 6 ] && [ "$rate" -le 14 ] ||
    fail "without smooth motion the clock changed $rate times a second, not 10"
stop_clock
