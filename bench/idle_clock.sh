#!/usr/bin/env bash
# Runs velmora and `xclock -update 1` side by side, each on a private Xvfb, and prints for each
# CPU used (whole run and once settled), wake-ups, peak RSS and the time to the first frame.
# When built, velmora-qt-floor runs beside them: the least a Qt window repainting a little
# once a second costs, so that velmora's own share can be told from Qt's.
#
# usage: bench/idle_clock.sh [-b VELMORA_BINARY] [-f FLOOR_BINARY] [-s SETTLE_SECONDS] [DURATION]
#   DURATION (default 60, or $DURATION): how long each clock runs, counted from its start.
#   SETTLE (default 5, or $SETTLE): start-up time left out of the "idle" figures.
#   VELMORA_BINARY (default build/app/velmora, or $VELMORA_BIN).
#   FLOOR_BINARY (default build/bench/velmora-qt-floor, or $FLOOR_BIN).
#
# Figures:
#   cpu s        utime+stime from /proc/PID/stat over the whole run; kernel tick accounting,
#                so a granularity of 1/CLK_TCK s per thread.
#   cpu %        the same as a share of one core over the process's lifetime.
#   idle %       on-CPU time from /proc/PID/task/*/schedstat (nanoseconds) between SETTLE and
#                the end, as a share of one core: the steady-state cost of showing the time.
#   X idle %     the same for the clock's own Xvfb: drawing a clock leaves to its server.
#   wake/s       voluntary context switches per second over the same span, all threads.
#   peak RSS     VmHWM from /proc/PID/status: includes the resident pages of shared libraries.
#   anon         RssAnon at the end: the process's own heap and stacks.
#   mapped       from just before fork to the first poll that sees the window viewable.
#   first frame  from just before fork to the first poll that reads a pixel that is not all
#                zero from the window: includes exec, dynamic linking and start-up. The probe
#                (first_frame.c) polls every 2 ms, so a figure is late by up to ~3 ms.
set -eu

usage() {
    sed -n '7,11s/^# \{0,1\}//p' "$0" >&2
    exit 2
}

script_dir=$(cd "$(dirname "$0")" && pwd)
velmora=${VELMORA_BIN:-$script_dir/../build/app/velmora}
floor=${FLOOR_BIN:-$script_dir/../build/bench/velmora-qt-floor}
settle=${SETTLE:-5}
while getopts b:f:s:h option; do
    case $option in
    b) velmora=$OPTARG ;;
    f) floor=$OPTARG ;;
    s) settle=$OPTARG ;;
    *) usage ;;
    esac
done
shift $((OPTIND - 1))
duration=${1:-${DURATION:-60}}

case $duration$settle in *[!0-9]*) usage ;; esac
if [ "$settle" -ge "$duration" ]; then
    echo "idle_clock: SETTLE ($settle s) must be shorter than DURATION ($duration s)" >&2
    exit 2
fi
if [ ! -x "$velmora" ]; then
    echo "idle_clock: no velmora binary at $velmora (build it, or pass -b)" >&2
    exit 1
fi
for tool in Xvfb xclock cc; do
    if ! command -v "$tool" >/dev/null; then
        echo "idle_clock: $tool is missing (packages xvfb, x11-apps, gcc, libx11-dev)" >&2
        exit 1
    fi
done

clk_tck=$(getconf CLK_TCK)
work=$(mktemp -d)
xvfb_pids=""
velmora_pid=""
xclock_pid=""
qtfloor_pid=""
programs="velmora xclock"
if [ -x "$floor" ]; then
    programs="velmora qtfloor xclock"
else
    echo "idle_clock: no Qt floor program at $floor; measuring without it" >&2
fi

cleanup() {
    for pid in $velmora_pid $xclock_pid $qtfloor_pid; do
        kill "$pid" 2>/dev/null || true
    done
    # The clocks are the probe's children, not ours: wait for them by polling, and keep the
    # display up until they have gone.
    for _ in $(seq 50); do
        alive=""
        for pid in $velmora_pid $xclock_pid $qtfloor_pid; do
            kill -0 "$pid" 2>/dev/null && alive=1
        done
        [ -z "$alive" ] && break
        sleep 0.02
    done
    for pid in $xvfb_pids; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# A private home, configuration, cache and runtime directory: the user's settings stay
# untouched and nothing of the user's session (bus, session manager, Wayland) takes part.
mkdir -p "$work/home" "$work/config" "$work/cache" "$work/runtime"
chmod 700 "$work/runtime"
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache
export XDG_RUNTIME_DIR=$work/runtime
unset DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER WAYLAND_DISPLAY QT_QPA_PLATFORM

# Each clock gets an X server of its own, so that the drawing a clock leaves to its server
# (xclock draws through the server; velmora uploads finished frames) can be told apart.
# Sets started_display and started_server.
start_xvfb() {
    local file=$work/display.$1
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$file" 2>"$work/xvfb.$1.log" &
    started_server=$!
    xvfb_pids="$xvfb_pids $started_server"
    for _ in $(seq 100); do
        [ -s "$file" ] && break
        kill -0 "$started_server" 2>/dev/null || break
        sleep 0.05
    done
    if [ ! -s "$file" ]; then
        echo "idle_clock: Xvfb did not start:" >&2
        cat "$work/xvfb.$1.log" >&2
        exit 1
    fi
    started_display=:$(head -n 1 "$file")
}

now_ms() {
    local t=${EPOCHREALTIME/[.,]/}
    echo $((t / 1000))
}

# The first-frame probe: a few lines of Xlib, built here so that each poll costs no fork.
if ! cc -O2 -o "$work/first_frame" "$script_dir/first_frame.c" -lX11 2>"$work/cc.log"; then
    echo "idle_clock: cannot build the first-frame probe (needs cc and libx11-dev):" >&2
    cat "$work/cc.log" >&2
    exit 1
fi

# Starts "$@" through the probe, which waits for its window named $2; its output goes to
# $work/$1.out. Sets started_pid, started_at (ms) and started_mapped / started_painted (ms
# after the start, "-" when not seen).
start_and_wait_first_frame() {
    local key=$1 name=$2
    shift 2
    started_at=$(now_ms)
    read -r started_pid started_mapped started_painted < <(
        DISPLAY=$started_display "$work/first_frame" "$name" "$work/$key.out" "$@"
    )
}

# Process-wide CPU ticks (utime+stime), summed on-CPU nanoseconds and voluntary switches.
cpu_ticks() {
    # Fields after the ")" of the command name: utime and stime are the 12th and 13th.
    local stat
    stat=$(cat "/proc/$1/stat")
    stat=${stat##*) }
    echo "$stat" | awk '{ print $12 + $13 }'
}
cpu_ns() {
    cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ ns += $1 } END { print ns + 0 }'
}
wakeups() {
    cat /proc/"$1"/task/*/status 2>/dev/null |
        awk '/^voluntary_ctxt_switches/ { n += $2 } END { print n + 0 }'
}
status_kb() {
    awk -v key="$2:" '$1 == key { print $2 }' "/proc/$1/status"
}

# The others first, so that velmora's start-up does not share the machine with theirs.
start_xvfb xclock
xclock_server=$started_server xclock_display=$started_display
start_and_wait_first_frame xclock xclock xclock -update 1
xclock_pid=$started_pid xclock_start=$started_at
xclock_mapped=$started_mapped xclock_painted=$started_painted
if [ -x "$floor" ]; then
    start_xvfb qtfloor
    qtfloor_server=$started_server
    start_and_wait_first_frame qtfloor QtFloor "$floor"
    qtfloor_pid=$started_pid qtfloor_start=$started_at
    qtfloor_mapped=$started_mapped qtfloor_painted=$started_painted
fi
start_xvfb velmora
velmora_server=$started_server velmora_display=$started_display
start_and_wait_first_frame velmora Velmora "$velmora"
velmora_pid=$started_pid velmora_start=$started_at
velmora_mapped=$started_mapped velmora_painted=$started_painted

for name in $programs; do
    pid_var=${name}_pid
    if ! kill -0 "${!pid_var}" 2>/dev/null; then
        echo "idle_clock: $name exited early:" >&2
        cat "$work/$name.out" >&2
        exit 1
    fi
done

sleep_until() {
    local remaining=$(($1 - $(now_ms)))
    if [ "$remaining" -gt 0 ]; then
        sleep "$((remaining / 1000)).$(printf '%03d' $((remaining % 1000)))"
    fi
}

# All clocks are sampled at the same moments, SETTLE and DURATION seconds after velmora's
# start; the others started shortly before, so they are past their start-up as well.
sleep_until $((velmora_start + settle * 1000))
for name in $programs; do
    pid_var=${name}_pid server_var=${name}_server
    printf -v "${name}_settle_ns" %s "$(cpu_ns "${!pid_var}")"
    printf -v "${name}_settle_wake" %s "$(wakeups "${!pid_var}")"
    printf -v "${name}_settle_server_ns" %s "$(cpu_ns "${!server_var}")"
done
settle_at=$(now_ms)
sleep_until $((velmora_start + duration * 1000))
end_at=$(now_ms)

printf '\nidle_clock: %s s, one Xvfb per clock, idle figures from %s s on, CLK_TCK %s\n' \
    "$duration" "$settle" "$clk_tck"
printf '%-8s %7s %7s %7s %8s %7s %10s %8s %9s %12s\n' \
    program "cpu s" "cpu %" "idle %" "X idle %" wake/s "peak RSS" anon mapped "first frame"
for name in $programs; do
    pid_var=${name}_pid start_var=${name}_start mapped_var=${name}_mapped
    painted_var=${name}_painted settle_ns_var=${name}_settle_ns settle_wake_var=${name}_settle_wake
    server_var=${name}_server settle_server_var=${name}_settle_server_ns
    pid=${!pid_var}
    printf -v "${name}_idle_ns" %s "$(($(cpu_ns "$pid") - ${!settle_ns_var}))"
    if ! kill -0 "$pid" 2>/dev/null; then
        echo "idle_clock: $name exited during the run:" >&2
        cat "$work/$name.out" >&2
        exit 1
    fi
    ticks=$(cpu_ticks "$pid")
    ns=$(cpu_ns "$pid")
    wake=$(wakeups "$pid")
    hwm=$(status_kb "$pid" VmHWM)
    anon=$(status_kb "$pid" RssAnon)
    server_ns=$(cpu_ns "${!server_var}")
    lifetime=$((end_at - ${!start_var}))
    span=$((end_at - settle_at))
    awk -v n="$name" -v t="$ticks" -v hz="$clk_tck" -v life="$lifetime" \
        -v ns="$ns" -v ns0="${!settle_ns_var}" -v w="$wake" -v w0="${!settle_wake_var}" \
        -v span="$span" -v sns="$server_ns" -v sns0="${!settle_server_var}" \
        -v hwm="$hwm" -v anon="$anon" -v m="${!mapped_var}" -v p="${!painted_var}" \
        'BEGIN {
            printf "%-8s %7.2f %7.3f %7.3f %8.3f %7.1f %7.1f MB %5.1f MB %6s ms %9s ms\n",
                n, t / hz, 100 * t / hz / (life / 1000), 100 * (ns - ns0) / 1e6 / span,
                100 * (sns - sns0) / 1e6 / span,
                (w - w0) / (span / 1000), hwm / 1024, anon / 1024, m, p
        }'
done

# The targets: idle CPU no more than xclock's (client and server together, as xclock leaves
# its drawing to the server), peak RSS under 45 MB, first frame within 200 ms.
velmora_total_idle=$((velmora_idle_ns + $(cpu_ns "$velmora_server") - velmora_settle_server_ns))
xclock_total_idle=$((xclock_idle_ns + $(cpu_ns "$xclock_server") - xclock_settle_server_ns))
verdict() { if [ "$1" = 1 ]; then echo met; else echo MISSED; fi; }
velmora_hwm=$(status_kb "$velmora_pid" VmHWM)
echo
printf 'target idle CPU <= xclock (client)          : %s\n' \
    "$(verdict $((velmora_idle_ns <= xclock_idle_ns)))"
printf 'target idle CPU <= xclock (client + server) : %s\n' \
    "$(verdict $((velmora_total_idle <= xclock_total_idle)))"
printf 'target peak RSS < 45 MB                     : %s\n' \
    "$(verdict $((velmora_hwm < 45 * 1024)))"
if [ "$velmora_painted" = - ]; then
    echo "target first frame <= 200 ms               : MISSED (no frame seen in 20 s)"
else
    printf 'target first frame <= 200 ms                : %s\n' \
        "$(verdict $((velmora_painted <= 200)))"
fi

# What no Qt program can go below: velmora's idle CPU beyond that of the Qt floor program.
if [ -x "$floor" ]; then
    qtfloor_total_idle=$((qtfloor_idle_ns + $(cpu_ns "$qtfloor_server") - qtfloor_settle_server_ns))
    awk -v v="$velmora_total_idle" -v f="$qtfloor_total_idle" -v x="$xclock_total_idle" \
        -v span="$((end_at - settle_at))" 'BEGIN {
            printf "\nidle CPU, client + server, %% of a core: velmora %.3f, Qt floor %.3f, xclock %.3f\n",
                100 * v / 1e6 / span, 100 * f / 1e6 / span, 100 * x / 1e6 / span
            printf "velmora beyond the Qt floor: %.3f %% of a core\n", 100 * (v - f) / 1e6 / span
        }'
fi
