#!/usr/bin/env bash
# The idle clock on a Wayland layer surface beside the same clock on X11, measured the same
# way at the same moments: on a headless sway (its pixman renderer, one 640 x 480 output) the
# clock shows itself on the layer shell, its menu and dialogs through XWayland as a user's
# session would run them; on an Xvfb with openbox and picom it is the X11 window that
# bench/idle_clock.sh measures. For each the table gives, from SETTLE to DURATION seconds
# after the start:
#   client %   on-CPU time of all the clock's threads (/proc/PID/task/*/schedstat) as a share
#              of one core;
#   server %   the same for its display server: sway (which composites the layer surface and
#              runs XWayland's connection) or Xvfb plus picom;
#   wake/s     the clock's voluntary context switches per second, all threads.
#
# usage: bench/idle_layer_clock.sh [-b VELMORA_BINARY] [-s SETTLE] [DURATION]
#   DURATION (default 35), SETTLE (default 5), VELMORA_BINARY (default build/app/velmora).
#   With PER_THREAD set, each thread's CPU (microseconds per second) and wake-ups per second
#   are listed too.
# sway refuses to run as root: as root everything runs as nobody.
set -eu

script_dir=$(cd "$(dirname "$0")" && pwd)
velmora=$script_dir/../build/app/velmora
settle=5
while getopts b:s:h option; do
    case $option in
    b) velmora=$OPTARG ;;
    s) settle=$OPTARG ;;
    *)
        sed -n '14,16s/^# \{0,1\}//p' "$0" >&2
        exit 2
        ;;
    esac
done
shift $((OPTIND - 1))
duration=${1:-35}
case $duration$settle in *[!0-9]*) echo "idle_layer_clock: numbers only" >&2; exit 2 ;; esac
if [ "$settle" -ge "$duration" ]; then
    echo "idle_layer_clock: SETTLE must be below DURATION" >&2
    exit 2
fi
velmora=$(readlink -f "$velmora")
[ -x "$velmora" ] || { echo "idle_layer_clock: no velmora binary at $velmora" >&2; exit 1; }
for tool in sway Xvfb openbox picom; do
    command -v "$tool" >/dev/null || { echo "idle_layer_clock: $tool is missing" >&2; exit 1; }
done

work=$(mktemp -d)
chmod 755 "$work"
pids=""
cleanup() {
    # Only the processes this script started, by their ids.
    for pid in $pids; do
        kill "$pid" 2>/dev/null || true
    done
    sleep 0.3
    rm -rf "$work"
}
trap cleanup EXIT

runner=()
runtime=$work/runtime
mkdir -m 700 "$runtime" "$work/home"
if [ "$(id -u)" -eq 0 ]; then
    runner=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
    chown nobody "$runtime" "$work/home"
fi
# Starts a program in a clean environment as the runner's user; its id is in $spawned.
spawn() {
    "${runner[@]}" env -i HOME="$work/home" XDG_RUNTIME_DIR="$runtime" PATH=/usr/bin:/bin \
        LC_ALL=C TZ=UTC "$@" >>"$work/log" 2>&1 &
    spawned=$!
    pids="$pids $spawned"
}

# The Wayland desktop.
cat >"$work/sway.conf" <<EOC
output HEADLESS-1 resolution 640x480 position 0 0 bg #336699 solid_color
exec env > $work/home/environment
EOC
chmod 644 "$work/sway.conf"
spawn env WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    WLR_HEADLESS_OUTPUTS=1 sway -c "$work/sway.conf"
sway_pid=$spawned
for _ in $(seq 100); do
    grep -q '^DISPLAY=' "$work/home/environment" 2>/dev/null && break
    sleep 0.1
done
wayland=$(sed -n 's/^WAYLAND_DISPLAY=//p' "$work/home/environment")
xwayland=$(sed -n 's/^DISPLAY=//p' "$work/home/environment")
[ -n "$wayland" ] || { echo "idle_layer_clock: sway did not start" >&2; exit 1; }

# The X11 desktop, on a display number no one uses.
x11=
for n in $(seq 90 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { x11=:$n; break; }
done
spawn Xvfb "$x11" -screen 0 640x480x24 -nolisten tcp
xvfb_pid=$spawned
for _ in $(seq 100); do
    [ -e "/tmp/.X11-unix/X${x11#:}" ] && break
    sleep 0.1
done
spawn env DISPLAY="$x11" openbox
spawn env DISPLAY="$x11" picom --backend xrender
picom_pid=$spawned
sleep 1

spawn env XDG_CONFIG_HOME="$work/home/layer" WAYLAND_DISPLAY="$wayland" DISPLAY="$xwayland" \
    "$velmora"
layer_pid=$spawned
# A clock of another name: a second clock of the same name would hand over to the first.
spawn env XDG_CONFIG_HOME="$work/home/x11" DISPLAY="$x11" QT_QPA_PLATFORM=xcb "$velmora" \
    --clock x11
x11_pid=$spawned

cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ ns += $1 } END { printf "%.0f\n", ns }'; }
switches() {
    cat /proc/"$1"/task/*/status 2>/dev/null |
        awk '/^voluntary_ctxt_switches/ { n += $2 } END { print n + 0 }'
}
sample() {
    printf '%s %s %s %s %s %s\n' "$(cpu_ns "$layer_pid")" "$(switches "$layer_pid")" \
        "$(cpu_ns "$sway_pid")" "$(cpu_ns "$x11_pid")" "$(switches "$x11_pid")" \
        "$(($(cpu_ns "$xvfb_pid") + $(cpu_ns "$picom_pid")))"
}
# Each thread's on-CPU nanoseconds and voluntary switches, as "PID/TID NAME NS COUNT" lines.
threads() {
    for pid in $layer_pid $x11_pid; do
        for task in /proc/"$pid"/task/*; do
            switched=$(awk '/^voluntary_ctxt_switches/ { print $2 }' "$task/status")
            ns=$(cut -d' ' -f1 "$task/schedstat")
            echo "$pid/${task##*/} $(tr ' ' _ <"$task/comm") $ns $switched"
        done
    done
}
sleep "$settle"
read -r l0 lw0 s0 x0 xw0 v0 <<<"$(sample)"
threads >"$work/threads0"
sleep $((duration - settle))
read -r l1 lw1 s1 x1 xw1 v1 <<<"$(sample)"
threads >"$work/threads1"
for pid in $layer_pid $x11_pid; do
    if ! kill -0 "$pid" 2>/dev/null; then
        echo "idle_layer_clock: a clock ended early:" >&2
        cat "$work/log" >&2
        exit 1
    fi
done

span=$((duration - settle))
percent() { awk -v ns="$1" -v s="$span" 'BEGIN { printf "%.3f", ns / (s * 1e9) * 100 }'; }
rate() { awk -v n="$1" -v s="$span" 'BEGIN { printf "%.2f", n / s }'; }
printf 'idle clock over %s s (after %s s), load %s\n' "$span" "$settle" \
    "$(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-22s %9s %9s %8s\n' surface 'client %' 'server %' 'wake/s'
printf '%-22s %9s %9s %8s\n' 'layer shell (sway)' "$(percent $((l1 - l0)))" \
    "$(percent $((s1 - s0)))" "$(rate $((lw1 - lw0)))"
printf '%-22s %9s %9s %8s\n' 'X11 (Xvfb + picom)' "$(percent $((x1 - x0)))" \
    "$(percent $((v1 - v0)))" "$(rate $((xw1 - xw0)))"
if [ -n "${PER_THREAD:-}" ]; then
    echo "each thread (layer shell $layer_pid, X11 $x11_pid): CPU us/s, wake-ups/s"
    join "$work/threads0" "$work/threads1" | awk -v s="$span" \
        '{ printf "  %-16s %-18s %8.1f %6.2f\n", $1, $2, ($6 - $3) / s / 1000, ($7 - $4) / s }'
fi
