#!/usr/bin/env bash
# Runs velmora beside the clocks people use today, each alone on a private Xvfb with openbox
# and picom running (a desktop like a user's), all at the same time, and prints for each the
# CPU it and its X server use once settled, its wake-ups, peak memory, how soon after each
# whole second the new second reaches the X server, and the time to the first frame; then
# velmora's targets (issue 14). The peers: conky (an analog clock drawn with cairo by
# bench/conky/clock.lua in a per-pixel-alpha window, updated once a second), buici-clock,
# `xclock -update 1` and velmora-qt-floor: the least a Qt window repainting a little once a
# second costs, so that velmora's own share can be told from Qt's. A peer that is not
# installed is left out with a note (`scripts/install-deps bench` installs them all).
#
# usage: bench/idle_clock.sh [-b VELMORA_BINARY] [-B BASELINE_BINARY] [-f FLOOR_BINARY]
#                            [-s SETTLE] [-l LATENCY] [-n STARTS] [-S SCHEME] [-w SHOT_DIR]
#                            [-a] [DURATION]
#   DURATION (default 60, or $DURATION): the idle phase, counted from velmora's start.
#   SETTLE (default 5, or $SETTLE): start-up time left out of the idle figures.
#   LATENCY (default 35, or $LATENCY): the second-boundary phase that follows the idle one.
#   VELMORA_BINARY (default build/app/velmora, or $VELMORA_BIN).
#   BASELINE_BINARY: another build of velmora (main's, say) measured the same way in the same
#   run, as "baseline", with settings and a runtime folder of its own; the change from it to
#   VELMORA_BINARY follows the table.
#   FLOOR_BINARY (default build/bench/velmora-qt-floor, or $FLOOR_BIN).
#   STARTS (default 5, or $STARTS): start-ups of each program timed; the median is shown.
#   SCHEME: a scheme file velmora shows instead of its built-in one (for one whose second
#   hand moves continuously, for example).
#   SHOT_DIR: at the end, a screenshot of each program's desktop goes there as PROGRAM.png
#   (ImageMagick's import), to see that each clock really draws.
#   -a: velmora with three alarms set (a daily, a weekly and one set once), none due during
#   the run: what waiting alarms cost.
#
# Each program gets an X server of its own, so that the drawing a clock leaves to its server
# (xclock and conky draw through the server; velmora uploads finished frames) can be told
# apart. They all run at once and are sampled at the same moments: on-CPU time does not grow
# when the cores are shared, and on a 2-core machine velmora's second-boundary median alone on
# its desktop and beside the others differed by less than 0.5 ms. Other work on the machine
# shows in the worst figures first: the load average at the start and at the end is printed
# with the table. The run takes about 5 s of start-up (more with more STARTS) plus DURATION
# plus LATENCY seconds.
#
# Figures, idle phase (from SETTLE to DURATION s after velmora's start):
#   client %     on-CPU time from /proc/PID/task/*/schedstat (nanoseconds) as a share of one
#                core: the steady-state cost of showing the time.
#   X %          the same for the program's own Xvfb: the drawing a clock leaves to its server,
#                and the compositing picom asks of that server for the clock's damage.
#   sum %        client % + X %.
#   picom %      the same for the program's own picom (not in the sum): what its damage costs
#                the compositor itself.
#   wake/s       voluntary context switches per second, all threads of the client.
#   peak RSS     VmHWM from /proc/PID/status at the end: includes the resident pages of shared
#                libraries.
#   anon         RssAnon at the end: the process's own heap and stacks.
# Second-boundary phase (LATENCY s after the idle phase, so that the probe's requests and the
# damage events its X server sends it stay out of the idle figures):
#   2nd median   for each whole second of the wall clock (at least 30 with the default
#   2nd worst    LATENCY), the time from the boundary to the first damage the program's window
#                gets after it, as seen by second_latency.c, a separate X client watching the
#                window with XDamage; damage later than 500 ms after a boundary is not
#                attributed to it. The server reports damage when it executes the drawing or
#                the upload, so this is when the new pixels reach the X server (not when a
#                monitor shows them), and the probe costs that server a little (about one
#                event per frame). "miss N": N boundaries got no frame within 500 ms.
#                A program whose frames do not follow the second (fewer than 90 % of the
#                boundaries with a frame within 500 ms, or a median over 100 ms) gets its
#                frames' median phase within the second instead, marked "*"; so does the Qt
#                floor program, whose 1 s timer runs from its start (it is no clock): by
#                chance its phase may fall within 100 ms of the boundary, and so may that of
#                any program with a free-running timer.
# Start-up (each program started alone, the others idle, velmora last; the median of STARTS
# start-ups, all but the last ended again at once):
#   mapped       from just before fork to the first poll that sees the window viewable.
#   first frame  from just before fork to the first poll that reads a pixel that is not all
#                zero from the window: includes exec, dynamic linking and start-up. The probe
#                (first_frame.c) polls every 2 ms, so a figure is late by up to ~3 ms.
#
# The figures of each program live in variables named after it (velmora_pid, conky_hwm, ...),
# set with printf -v and read through indirection, which shellcheck cannot follow.
# shellcheck disable=SC2034,SC2154
set -eu

usage() {
    sed -n '12,29s/^# \{0,1\}//p' "$0" >&2
    exit 2
}

script_dir=$(cd "$(dirname "$0")" && pwd)
velmora=${VELMORA_BIN:-$script_dir/../build/app/velmora}
floor=${FLOOR_BIN:-$script_dir/../build/bench/velmora-qt-floor}
settle=${SETTLE:-5}
latency=${LATENCY:-35}
starts=${STARTS:-5}
scheme=""
shots=""
alarms=
baseline=""
while getopts b:B:f:s:l:n:S:w:ah option; do
    case $option in
    b) velmora=$OPTARG ;;
    B) baseline=$OPTARG ;;
    f) floor=$OPTARG ;;
    s) settle=$OPTARG ;;
    l) latency=$OPTARG ;;
    n) starts=$OPTARG ;;
    S) scheme=$OPTARG ;;
    w) shots=$OPTARG ;;
    a) alarms=1 ;;
    *) usage ;;
    esac
done
shift $((OPTIND - 1))
duration=${1:-${DURATION:-60}}

case $duration$settle$latency$starts in *[!0-9]*) usage ;; esac
if [ "$starts" -lt 1 ]; then
    echo "idle_clock: STARTS must be at least 1" >&2
    exit 2
fi
if [ "$settle" -ge "$duration" ]; then
    echo "idle_clock: SETTLE ($settle s) must be shorter than DURATION ($duration s)" >&2
    exit 2
fi
if [ "$latency" -lt 2 ]; then
    echo "idle_clock: LATENCY ($latency s) must be at least 2 s" >&2
    exit 2
fi
if [ -n "$scheme" ] && [ ! -f "$scheme" ]; then
    echo "idle_clock: no scheme file at $scheme" >&2
    exit 2
fi
if [ ! -x "$velmora" ]; then
    echo "idle_clock: no velmora binary at $velmora (build it, or pass -b)" >&2
    exit 1
fi
if [ -n "$baseline" ] && [ ! -x "$baseline" ]; then
    echo "idle_clock: no baseline binary at $baseline" >&2
    exit 1
fi
for tool in Xvfb openbox picom cc; do
    if ! command -v "$tool" >/dev/null; then
        echo "idle_clock: $tool is missing (packages xvfb, openbox, picom, gcc, libx11-dev;" \
            "scripts/install-deps bench)" >&2
        exit 1
    fi
done
if [ -n "$shots" ]; then
    if ! command -v import >/dev/null; then
        echo "idle_clock: -w needs import (package imagemagick)" >&2
        exit 1
    fi
    mkdir -p "$shots"
    shots=$(cd "$shots" && pwd)
fi

# The programs, in the order of the table: each one's window name (WM_NAME or WM_CLASS) and
# command. The peers that are not installed are left out.
window_velmora=Velmora
command_velmora=("$velmora")
window_conky=ConkyClock
command_conky=(conky -c "$script_dir/conky/clock.conf")
# The same size as velmora's and conky's clocks (its default is 100 x 100).
window_buici=buiciClock
command_buici=(buici-clock -geometry 200x200)
window_xclock=xclock
command_xclock=(xclock -update 1)
window_qtfloor=QtFloor
command_qtfloor=("$floor")
# Its command, with its own settings and runtime folder, follows once they exist.
window_baseline=Velmora
programs=velmora
if [ -n "$baseline" ]; then
    programs="$programs baseline"
fi
for peer in conky:conky-all buici:buici-clock xclock:x11-apps; do
    key=${peer%%:*} package=${peer#*:}
    command_var="command_${key}[0]"
    if command -v "${!command_var}" >/dev/null; then
        programs="$programs $key"
    else
        echo "idle_clock: ${!command_var} is not installed (package $package," \
            "scripts/install-deps bench); measuring without it" >&2
    fi
done
if [ -x "$floor" ]; then
    programs="$programs qtfloor"
else
    echo "idle_clock: no Qt floor program at $floor; measuring without it" >&2
fi
has() { case " $programs " in *" $1 "*) return 0 ;; esac; return 1; }

work=$(mktemp -d)
client_pids=""
helper_pids=""
latency_pids=""
xvfb_pids=""

# A zombie counts as gone: the clocks are the first-frame probe's orphans, and nothing may
# reap them.
running() {
    local stat
    stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 1
    stat=${stat##*) }
    case $stat in Z* | X*) return 1 ;; esac
}

cleanup() {
    for pid in $client_pids; do
        running "$pid" && kill "$pid" 2>/dev/null
    done
    for pid in $latency_pids $helper_pids; do
        kill "$pid" 2>/dev/null || true
    done
    # The clocks are the probe's children, not ours: wait for them by polling, and keep the
    # displays up until they have gone.
    for _ in $(seq 50); do
        alive=""
        for pid in $client_pids; do
            running "$pid" && alive=1
        done
        [ -z "$alive" ] && break
        sleep 0.02
    done
    for pid in $latency_pids $helper_pids $xvfb_pids; do
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
mkdir -p "$work/config/vornel-works"
if [ -n "$scheme" ]; then
    printf '[View]\nSchemeLoaded=%s\n' "$(cd "$(dirname "$scheme")" && pwd)/$(basename "$scheme")" \
        >>"$work/config/vornel-works/velmora.conf"
fi
if [ -n "$alarms" ]; then
    now=$(date +%s)
    printf '[Alarms]\nAlarms="%s;1234567;1;%s000;0;Daily\\n%s;3;1;%s000;0;Weekly\\n%s;;1;%s000;0;Once\\n"\n' \
        "$(date -d "@$((now + 6 * 3600))" +%H:%M)" "$now" \
        "$(date -d "@$((now + 7 * 3600))" +%H:%M)" "$now" \
        "$(date -d "@$((now + 8 * 3600))" +%H:%M)" "$now" >>"$work/config/vornel-works/velmora.conf"
fi
export XDG_RUNTIME_DIR=$work/runtime
# The baseline is the same clock by name: with velmora's socket it would hand over to it and end.
if [ -n "$baseline" ]; then
    mkdir -p "$work/runtime-baseline"
    chmod 700 "$work/runtime-baseline"
    cp -r "$work/config" "$work/config-baseline"
    command_baseline=(env XDG_CONFIG_HOME="$work/config-baseline"
        XDG_RUNTIME_DIR="$work/runtime-baseline" "$baseline")
fi
unset DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER WAYLAND_DISPLAY QT_QPA_PLATFORM

# The probes: a few lines of Xlib each, built here so that each poll costs no fork.
if ! cc -O2 -o "$work/first_frame" "$script_dir/first_frame.c" -lX11 2>"$work/cc.log" ||
    ! cc -O2 -o "$work/second_latency" "$script_dir/second_latency.c" \
        -lXdamage -lXfixes -lX11 2>>"$work/cc.log"; then
    echo "idle_clock: cannot build the probes (needs cc, libx11-dev, libxdamage-dev and" \
        "libxfixes-dev: scripts/install-deps bench):" >&2
    cat "$work/cc.log" >&2
    exit 1
fi

fail_with_log() {
    echo "idle_clock: $1:" >&2
    cat "$2" >&2
    exit 1
}

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
    [ -s "$file" ] || fail_with_log "Xvfb did not start" "$work/xvfb.$1.log"
    started_display=:$(head -n 1 "$file")
}

# An Xvfb with openbox and picom (XRender, as there is no GL; no configuration file, so
# picom's defaults: no shadows, no fading), ready once the window manager has announced itself
# and the compositor owns _NET_WM_CM_S0. Sets the program's display, server and compositor.
start_desktop() {
    local key=$1
    start_xvfb "$key"
    printf -v "${key}_display" %s "$started_display"
    printf -v "${key}_server" %s "$started_server"
    local manager compositor
    DISPLAY=$started_display openbox --sm-disable >"$work/openbox.$key.log" 2>&1 &
    manager=$!
    helper_pids="$helper_pids $manager"
    DISPLAY=$started_display picom --backend xrender --config /dev/null \
        >"$work/picom.$key.log" 2>&1 &
    compositor=$!
    helper_pids="$helper_pids $compositor"
    printf -v "${key}_picom" %s "$compositor"
    # Up to 10 s, in steps that notice a window manager or compositor that gave up.
    for _ in $(seq 50); do
        if DISPLAY=$started_display "$work/second_latency" desktop 200 2>"$work/desktop.$key.log"; then
            return
        fi
        if ! kill -0 "$manager" 2>/dev/null || ! kill -0 "$compositor" 2>/dev/null; then
            break
        fi
    done
    kill -0 "$manager" 2>/dev/null || echo "openbox exited" >>"$work/desktop.$key.log"
    kill -0 "$compositor" 2>/dev/null || echo "picom exited" >>"$work/desktop.$key.log"
    cat "$work/openbox.$key.log" "$work/picom.$key.log" >>"$work/desktop.$key.log"
    fail_with_log "no desktop for $key (openbox and picom on $started_display)" \
        "$work/desktop.$key.log"
}

now_ms() {
    local t=${EPOCHREALTIME/[.,]/}
    echo $((t / 1000))
}

# Starts the program KEY through the first-frame probe, which waits for its window; its output
# goes to $work/KEY.out. Sets KEY_pid, KEY_start (ms) and KEY_mapped / KEY_painted (ms after
# the start, "-" when not seen).
start_and_wait_first_frame() {
    local key=$1 window_var=window_$1 display_var=${1}_display pid mapped painted
    local -n command=command_$key
    printf -v "${key}_start" %s "$(now_ms)"
    read -r pid mapped painted < <(
        DISPLAY=${!display_var} "$work/first_frame" "${!window_var}" "$work/$key.out" "${command[@]}"
    ) || true
    [ -n "${pid:-}" ] || fail_with_log "the first-frame probe failed for $key" "$work/$key.out"
    client_pids="$client_pids $pid"
    printf -v "${key}_pid" %s "$pid"
    printf -v "${key}_mapped" %s "$mapped"
    printf -v "${key}_painted" %s "$painted"
}

# The median of the figures given, "-" (not seen) counting as the largest.
median() {
    printf '%s\n' "$@" | sed 's/^-$/999999999/' | sort -n |
        awk '{ v[NR] = $1 } END { m = v[int((NR + 1) / 2)]; print (m == 999999999 ? "-" : m) }'
}

# Starts the program KEY STARTS - 1 times and ends it again, keeping its start-up figures in
# KEY_mapped_all and KEY_painted_all; the run's own start adds the last.
time_trial_starts() {
    local key=$1 window_var=window_$1 display_var=${1}_display pid mapped painted i
    local -n command=command_$key
    printf -v "${key}_mapped_all" %s ""
    printf -v "${key}_painted_all" %s ""
    for ((i = 1; i < starts; i++)); do
        read -r pid mapped painted < <(
            DISPLAY=${!display_var} "$work/first_frame" "${!window_var}" "$work/$key.trial.out" \
                "${command[@]}"
        ) || true
        [ -n "${pid:-}" ] || fail_with_log "the first-frame probe failed for $key" \
            "$work/$key.trial.out"
        local all_mapped=${key}_mapped_all all_painted=${key}_painted_all
        printf -v "$all_mapped" '%s %s' "${!all_mapped}" "$mapped"
        printf -v "$all_painted" '%s %s' "${!all_painted}" "$painted"
        kill "$pid" 2>/dev/null || true
        # Not our child (the probe started it): polled until it has gone.
        for _ in $(seq 100); do
            running "$pid" || break
            sleep 0.05
        done
        if running "$pid"; then
            kill -KILL "$pid" 2>/dev/null || true
        fi
    done
}

# Summed on-CPU nanoseconds of all threads and voluntary switches.
cpu_ns() {
    cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ ns += $1 } END { printf "%.0f\n", ns }'
}
wakeups() {
    cat /proc/"$1"/task/*/status 2>/dev/null |
        awk '/^voluntary_ctxt_switches/ { n += $2 } END { print n + 0 }'
}
status_kb() {
    awk -v key="$2:" '$1 == key { print $2 }' "/proc/$1/status"
}

check_running() {
    local key pid_var
    for key in $programs; do
        pid_var=${key}_pid
        running "${!pid_var}" || fail_with_log "$key exited $1" "$work/$key.out"
    done
}

load_at_start=$(cut -d ' ' -f 1-3 /proc/loadavg)

# All desktops first, then the programs one by one, velmora last, so that no start-up shares
# the machine with another's.
for key in $programs; do
    start_desktop "$key"
done
for key in $programs; do
    [ "$key" = velmora ] && continue
    time_trial_starts "$key"
    start_and_wait_first_frame "$key"
done
time_trial_starts velmora
start_and_wait_first_frame velmora
for key in $programs; do
    mapped_var=${key}_mapped painted_var=${key}_painted
    all_mapped=${key}_mapped_all all_painted=${key}_painted_all
    # shellcheck disable=SC2086
    printf -v "$mapped_var" %s "$(median ${!all_mapped} "${!mapped_var}")"
    # shellcheck disable=SC2086
    printf -v "$painted_var" %s "$(median ${!all_painted} "${!painted_var}")"
done
check_running early

sleep_until() {
    local remaining=$(($1 - $(now_ms)))
    if [ "$remaining" -gt 0 ]; then
        sleep "$((remaining / 1000)).$(printf '%03d' $((remaining % 1000)))"
    fi
}

# The idle phase: all programs are sampled at the same moments, SETTLE and DURATION seconds
# after velmora's start; the others started shortly before, so they are past their start-up.
sleep_until $((velmora_start + settle * 1000))
# Records each program's counters as ${key}_$1_ns, _wake, _server_ns and _picom_ns.
sample_counters() {
    local key pid_var server_var picom_var
    for key in $programs; do
        pid_var=${key}_pid server_var=${key}_server picom_var=${key}_picom
        printf -v "${key}_$1_ns" %s "$(cpu_ns "${!pid_var}")"
        printf -v "${key}_$1_wake" %s "$(wakeups "${!pid_var}")"
        printf -v "${key}_$1_server_ns" %s "$(cpu_ns "${!server_var}")"
        printf -v "${key}_$1_picom_ns" %s "$(cpu_ns "${!picom_var}")"
    done
}
sample_counters settle
settle_at=$(now_ms)
sleep_until $((velmora_start + duration * 1000))
sample_counters end
end_at=$(now_ms)
check_running "during the idle phase"

# The second-boundary phase: one damage probe per program, all at once.
for key in $programs; do
    display_var=${key}_display window_var=window_$key
    DISPLAY=${!display_var} "$work/second_latency" watch "${!window_var}" "$latency" \
        >"$work/$key.latency" 2>"$work/$key.latency.log" &
    printf -v "${key}_latency_pid" %s "$!"
    latency_pids="$latency_pids $!"
done
for key in $programs; do
    pid_var=${key}_latency_pid
    wait "${!pid_var}" || fail_with_log "cannot watch $key's window" "$work/$key.latency.log"
done
latency_pids=""
check_running "during the second-boundary phase"
if [ -n "$shots" ]; then
    for key in $programs; do
        display_var=${key}_display
        DISPLAY=${!display_var} import -window root "$shots/$key.png" ||
            echo "idle_clock: no screenshot of $key's desktop" >&2
    done
fi

load_at_end=$(cut -d ' ' -f 1-3 /proc/loadavg)
span=$((end_at - settle_at))
read -r boundaries _ <"$work/velmora.latency"
printf '\nidle_clock: each program alone on an Xvfb with openbox and picom, all at once;\n'
printf 'idle figures over %s.%03d s (%s to %s s after velmora'"'"'s start), second boundaries' \
    $((span / 1000)) $((span % 1000)) "$settle" "$duration"
printf ' over the next %s s (%s boundaries)\n' "$latency" "$boundaries"
printf 'load average at the start %s, at the end %s (%s cores)\n' "$load_at_start" "$load_at_end" \
    "$(nproc)"
printf '%-8s %8s %7s %7s %8s %6s %10s %8s %10s %10s %8s %12s\n' \
    program "client %" "X %" "sum %" "picom %" wake/s "peak RSS" anon "2nd median" "2nd worst" \
    mapped "first frame"
unaligned=""
for key in $programs; do
    pid_var=${key}_pid mapped_var=${key}_mapped painted_var=${key}_painted
    pid=${!pid_var}
    ns=$((${key}_end_ns - ${key}_settle_ns))
    server_ns=$((${key}_end_server_ns - ${key}_settle_server_ns))
    picom_ns=$((${key}_end_picom_ns - ${key}_settle_picom_ns))
    wake=$((${key}_end_wake - ${key}_settle_wake))
    hwm=$(status_kb "$pid" VmHWM)
    anon=$(status_kb "$pid" RssAnon)
    printf -v "${key}_idle_ns" %s "$ns"
    printf -v "${key}_total_ns" %s "$((ns + server_ns))"
    printf -v "${key}_hwm" %s "$hwm"
    read -r b hits med worst phase rate <"$work/$key.latency"
    # Aligned to the second: a frame within 500 ms of at least 90 % of the boundaries, and a
    # median within 100 ms.
    if [ "$key" != qtfloor ] && [ "$med" != - ] && awk -v b="$b" -v h="$hits" -v m="$med" \
        'BEGIN { exit !(h >= 0.9 * b && m <= 100) }'; then
        printf -v "${key}_aligned" %s 1
        printf -v "${key}_median" %s "$med"
        printf -v "${key}_worst" %s "$worst"
        printf -v "${key}_misses" %s "$((b - hits))"
        median_text="$med ms"
        if [ "$hits" -lt "$b" ]; then
            worst_text="miss $((b - hits))"
        else
            worst_text="$worst ms"
        fi
    else
        printf -v "${key}_aligned" %s 0
        median_text="*phase $phase"
        worst_text="*"
        unaligned="$unaligned$(printf '\n  * %s: %s frames/s, the median one %s ms into its second' \
            "$key" "$rate" "$phase")"
        if [ "$key" = qtfloor ]; then
            unaligned="$unaligned (no clock: a 1 s timer from its start)"
        else
            unaligned="$unaligned; $hits of $b boundaries had a frame within 500 ms"
        fi
    fi
    awk -v n="$key" -v span="$span" -v ns="$ns" -v sns="$server_ns" -v pns="$picom_ns" \
        -v w="$wake" -v hwm="$hwm" -v anon="$anon" -v med="$median_text" -v worst="$worst_text" \
        -v m="${!mapped_var}" -v p="${!painted_var}" \
        'BEGIN {
            printf "%-8s %8.3f %7.3f %7.3f %8.3f %6.1f %7.1f MB %5.1f MB %10s %10s %5s ms %9s ms\n",
                n, 100 * ns / 1e6 / span, 100 * sns / 1e6 / span, 100 * (ns + sns) / 1e6 / span,
                100 * pns / 1e6 / span, w / (span / 1000), hwm / 1024, anon / 1024, med, worst,
                m, p
        }'
done
if [ -n "$unaligned" ]; then
    echo "${unaligned#?}"
fi

# The targets of issue 14: velmora against conky (a clock of the same kind: per-pixel alpha,
# antialiased, drawn by the client) and the Qt floor; a target whose peer is missing is not
# measured.
verdict() { if [ "$1" = 1 ]; then echo met; else echo MISSED; fi; }
target() {
    printf 'target %-48s: %s\n' "$1" "$2"
}
echo
if has conky; then
    target "idle client CPU <= conky's" "$(verdict $((velmora_idle_ns <= conky_idle_ns)))"
    target "idle client + X server CPU <= conky's" \
        "$(verdict $((velmora_total_ns <= conky_total_ns)))"
else
    target "idle client CPU <= conky's" "not measured (no conky)"
    target "idle client + X server CPU <= conky's" "not measured (no conky)"
fi
if has qtfloor; then
    # velmora's wakes / span <= the floor's / span + 1, span in milliseconds.
    velmora_wake=$((velmora_end_wake - velmora_settle_wake))
    qtfloor_wake=$((qtfloor_end_wake - qtfloor_settle_wake))
    target "wake-ups/s <= the Qt floor's + 1" \
        "$(verdict $((velmora_wake * 1000 <= qtfloor_wake * 1000 + span)))"
else
    target "wake-ups/s <= the Qt floor's + 1" "not measured (no Qt floor program)"
fi
if [ "$velmora_aligned" = 1 ] && [ "$velmora_misses" = 0 ]; then
    target "second on the X server: median <= 3 ms" \
        "$(verdict "$(awk -v m="$velmora_median" 'BEGIN { print (m <= 3) }')")"
    target "second on the X server: worst <= 10 ms" \
        "$(verdict "$(awk -v w="$velmora_worst" 'BEGIN { print (w <= 10) }')")"
elif [ "$velmora_aligned" = 1 ]; then
    target "second on the X server: median <= 3 ms" \
        "$(verdict "$(awk -v m="$velmora_median" 'BEGIN { print (m <= 3) }')")"
    target "second on the X server: worst <= 10 ms" \
        "MISSED ($velmora_misses boundaries without a frame within 500 ms)"
else
    target "second on the X server: median <= 3 ms" "MISSED (not aligned to the second)"
    target "second on the X server: worst <= 10 ms" "MISSED (not aligned to the second)"
fi
if [ "$velmora_painted" = - ]; then
    target "first frame <= 60 ms" "MISSED (no frame seen in 20 s)"
else
    target "first frame <= 60 ms" "$(verdict $((velmora_painted <= 60)))"
fi
if has conky; then
    target "peak RSS <= conky's" "$(verdict $((velmora_hwm <= conky_hwm)))"
else
    target "peak RSS <= conky's" "not measured (no conky)"
fi

# The change from the baseline build, figure by figure.
if has baseline; then
    awk -v span="$span" \
        -v vc="$velmora_idle_ns" -v bc="$baseline_idle_ns" \
        -v vt="$velmora_total_ns" -v bt="$baseline_total_ns" \
        -v vw="$((velmora_end_wake - velmora_settle_wake))" \
        -v bw="$((baseline_end_wake - baseline_settle_wake))" \
        -v vh="$velmora_hwm" -v bh="$baseline_hwm" 'function change(v, b) {
            return b > 0 ? sprintf("%+.1f %%", 100 * (v - b) / b) : "-"
        }
        BEGIN {
            printf "\nvelmora against the baseline: client CPU %s, client + X server %s,",
                change(vc, bc), change(vt, bt)
            printf " wake-ups %s, peak RSS %s\n", change(vw, bw), change(vh, bh)
        }'
fi

# What no Qt program can go below: velmora's idle CPU beyond that of the Qt floor program.
if has qtfloor; then
    awk -v v="$velmora_total_ns" -v f="$qtfloor_total_ns" -v span="$span" 'BEGIN {
        printf "\nvelmora beyond the Qt floor, client + X server: %.3f %% of a core\n",
            100 * (v - f) / 1e6 / span
    }'
fi
