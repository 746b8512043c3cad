#!/usr/bin/env bash
# What a clock whose second hands move continuously costs, ten frames a second and with
# "Smooth motion" (the display's refresh rate), at 200 and 800 pixels, on X11 (an Xvfb with
# openbox and picom, as bench/idle_clock.sh runs it) and on a Wayland layer surface (a
# headless sway with its pixman renderer): eight clocks, each alone on a desktop of its own,
# all at once, showing the built-in scheme with continuous second hands
# (bench/continuous_scheme.sh). Each desktop is 1280 x 1024 with nothing else moving on it.
# Then the targets of the issue that asked for smooth motion.
#
# usage: bench/motion_clock.sh [-b VELMORA_BINARY] [-t VELMORA_TOOL] [-s SETTLE] [-r RATE]
#                              [-c CASES] [-f] [DURATION]
#   DURATION (default 30): the CPU phase, counted from the clocks' start; SETTLE (default 5)
#   of it is left out. RATE (default 10): the seconds of the frame-rate phase that follows.
#   VELMORA_BINARY and VELMORA_TOOL default to the build's. CASES: the clocks to run, as
#   "PLATFORM:SIZE:SMOOTH ..." (x11 or wl, pixels, 0 or 1), by default all eight; one alone
#   measures it without the others' share of the cores.
#   -f: the floor. In place of each clock, the least a client can have shown at its rate: a
#   16-pixel box changing in a translucent window of its size (bench/present_floor_x11.c,
#   bench/present_floor_wayland.c). Its server % is what a frame costs the desktop however
#   little of it changes.
#
# Figures:
#   client %     on-CPU time of all the clock's threads (/proc/PID/task/*/schedstat) as a share
#                of one core, from SETTLE to DURATION seconds after the start.
#   server %     the same for the display server: Xvfb, or sway (which composites the layer
#                surface itself).
#   sum %        client % + server %: what the targets count.
#   picom %      the same for picom, on X11 (not in the sum): what the clock's damage costs
#                the compositor.
#   frames/s     frames that reached the screen a second, in a phase of their own after the
#                CPU phase (the counting costs the servers a little): on X11 the bursts of
#                damage to the clock's window (bench/second_latency.c frames), on sway the
#                copies of the output that its changes let through (bench/wayland_frame_rate.c,
#                the screen copy protocol), which the output's refresh rate bounds.
#
# sway refuses to run as root: as root everything runs as nobody.
set -eu

script_dir=$(cd "$(dirname "$0")" && pwd)
velmora=$script_dir/../build/app/velmora
tool=$script_dir/../build/tools/velmora-tool
settle=5
rate_seconds=10
cases="x11:200:0 x11:200:1 x11:800:0 x11:800:1 wl:200:0 wl:200:1 wl:800:0 wl:800:1"
floor=0
while getopts b:t:s:r:c:fh option; do
    case $option in
    b) velmora=$OPTARG ;;
    t) tool=$OPTARG ;;
    s) settle=$OPTARG ;;
    r) rate_seconds=$OPTARG ;;
    c) cases=$OPTARG ;;
    f) floor=1 ;;
    *)
        sed -n '10,20s/^# \{0,1\}//p' "$0" >&2
        exit 2
        ;;
    esac
done
shift $((OPTIND - 1))
duration=${1:-30}
case $duration$settle$rate_seconds in *[!0-9]*) echo "motion_clock: numbers only" >&2; exit 2 ;; esac
if [ "$settle" -ge "$duration" ] || [ "$rate_seconds" -lt 1 ]; then
    echo "motion_clock: SETTLE must be below DURATION, RATE at least 1" >&2
    exit 2
fi
for entry in $cases; do
    case $entry in
    x11:*:[01] | wl:*:[01]) ;;
    *) echo "motion_clock: a case is PLATFORM:SIZE:SMOOTH, not $entry" >&2; exit 2 ;;
    esac
done
velmora=$(readlink -f "$velmora")
tool=$(readlink -f "$tool")
[ -x "$velmora" ] || { echo "motion_clock: no velmora binary at $velmora" >&2; exit 1; }
[ -x "$tool" ] || { echo "motion_clock: no velmora-tool at $tool" >&2; exit 1; }
for needed in sway Xvfb openbox picom cc wayland-scanner pkg-config; do
    command -v "$needed" >/dev/null || { echo "motion_clock: $needed is missing" >&2; exit 1; }
done

work=$(mktemp -d)
chmod 755 "$work"
pids=""
cleanup() {
    # Only the processes this script started, by their ids.
    for pid in $pids; do
        kill "$pid" 2>/dev/null || true
    done
    sleep 0.5
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

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
fail() {
    echo "motion_clock: $1" >&2
    tail -n 30 "$work/log" >&2
    exit 1
}

# The probes and the scheme.
cc -O2 -o "$work/second_latency" "$script_dir/second_latency.c" -lXdamage -lXfixes -lX11 \
    2>"$work/cc.log" || fail "cannot build the X11 probe (libx11-dev, libxdamage-dev)"
wayland-scanner client-header "$script_dir/protocols/screencopy.xml" "$work/screencopy_client.h"
wayland-scanner private-code "$script_dir/protocols/screencopy.xml" "$work/screencopy_protocol.c"
# shellcheck disable=SC2046
cc -O2 -I"$work" -o "$work/wayland_frame_rate" "$script_dir/wayland_frame_rate.c" \
    "$work/screencopy_protocol.c" $(pkg-config --cflags --libs wayland-client) \
    2>>"$work/cc.log" || fail "cannot build the Wayland probe (libwayland-dev)"
if [ "$floor" = 1 ]; then
    cc -O2 -o "$work/present_floor_x11" "$script_dir/present_floor_x11.c" -lxcb -lxcb-present \
        2>>"$work/cc.log" || fail "cannot build the X11 floor (libxcb-present-dev)"
    wayland-scanner client-header "$script_dir/../app/wayland/protocols/layer_shell.xml" \
        "$work/layer_shell_client.h"
    wayland-scanner private-code "$script_dir/../app/wayland/protocols/layer_shell.xml" \
        "$work/layer_shell_protocol.c"
    wayland-scanner private-code /usr/share/wayland-protocols/stable/xdg-shell/xdg-shell.xml \
        "$work/xdg_shell_protocol.c"
    # shellcheck disable=SC2046
    cc -O2 -I"$work" -o "$work/present_floor_wayland" "$script_dir/present_floor_wayland.c" \
        "$work/layer_shell_protocol.c" "$work/xdg_shell_protocol.c" \
        $(pkg-config --cflags --libs wayland-client) 2>>"$work/cc.log" ||
        fail "cannot build the Wayland floor (libwayland-dev, wayland-protocols)"
fi
"$script_dir/continuous_scheme.sh" -t "$tool" "$work/continuous.Velmora" >/dev/null
chmod 644 "$work/continuous.Velmora"


# Settings of its own for each clock: the scheme, the size, smooth motion. Each clock has a
# name of its own too, as clocks of one name hand over to the first.
settings_for() {
    local key=$1 size=$2 smooth=$3
    mkdir -p "$work/home/$key/vornel-works"
    cat >"$work/home/$key/vornel-works/velmora-$key.conf" <<EOC
[View]
SchemeLoaded=$work/continuous.Velmora
SmoothMotion=$smooth

[WindowLayout]
ClockWindow_X=100
ClockWindow_Y=100
ClockWindow_W=$size
ClockWindow_H=$size
EOC
    if [ "${#runner[@]}" -gt 0 ]; then
        chown -R nobody "$work/home/$key"
    fi
}

free_display() {
    for n in $(seq 90 250); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || case " $taken " in
            *" $n "*) ;;
            *) taken="$taken $n"; echo ":$n"; return ;;
        esac
    done
    fail "no free X display number"
}
taken=""

for entry in $cases; do
    IFS=: read -r platform size smooth <<<"$entry"
    key=${platform}_${size}_${smooth}
    settings_for "$key" "$size" "$smooth"
    if [ "$platform" = x11 ]; then
        display=$(free_display)
        spawn Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp
        printf -v "server_$key" %s "$spawned"
        for _ in $(seq 100); do
            [ -e "/tmp/.X11-unix/X${display#:}" ] && break
            sleep 0.1
        done
        spawn env DISPLAY="$display" openbox --sm-disable
        spawn env DISPLAY="$display" picom --backend xrender --config /dev/null
        printf -v "picom_$key" %s "$spawned"
        printf -v "display_$key" %s "$display"
    else
        mkdir -p "$work/home/$key/sway"
        cat >"$work/home/$key/sway.conf" <<EOC
output HEADLESS-1 resolution 1280x1024 position 0 0 bg #336699 solid_color
exec env > $work/home/$key/sway/environment
EOC
        chmod -R a+rX "$work/home/$key"
        [ "${#runner[@]}" -gt 0 ] && chown -R nobody "$work/home/$key/sway"
        spawn env WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
            WLR_HEADLESS_OUTPUTS=1 sway -c "$work/home/$key/sway.conf"
        printf -v "server_$key" %s "$spawned"
    fi
done
# The desktops come up, then the clocks, each told where its settings are.
for entry in $cases; do
    IFS=: read -r platform size smooth <<<"$entry"
    key=${platform}_${size}_${smooth}
    if [ "$platform" = x11 ]; then
        DISPLAY_VAR=display_$key
        for _ in $(seq 50); do
            if DISPLAY=${!DISPLAY_VAR} "$work/second_latency" desktop 200 2>/dev/null; then
                break
            fi
        done
        if [ "$floor" = 1 ]; then
            spawn env DISPLAY="${!DISPLAY_VAR}" "$work/present_floor_x11" "$size" \
                "$([ "$smooth" = 1 ] && echo 0 || echo 10)"
        else
            spawn env XDG_CONFIG_HOME="$work/home/$key" DISPLAY="${!DISPLAY_VAR}" \
                QT_QPA_PLATFORM=xcb "$velmora" --clock "$key"
        fi
    else
        environment=$work/home/$key/sway/environment
        for _ in $(seq 100); do
            grep -q '^DISPLAY=' "$environment" 2>/dev/null && break
            sleep 0.1
        done
        wayland=$(sed -n 's/^WAYLAND_DISPLAY=//p' "$environment")
        [ -n "$wayland" ] || fail "sway did not start for $key"
        printf -v "wayland_$key" %s "$wayland"
        if [ "$floor" = 1 ]; then
            spawn env WAYLAND_DISPLAY="$wayland" "$work/present_floor_wayland" "$size" \
                "$([ "$smooth" = 1 ] && echo 0 || echo 10)"
        else
            spawn env XDG_CONFIG_HOME="$work/home/$key" WAYLAND_DISPLAY="$wayland" \
                DISPLAY="$(sed -n 's/^DISPLAY=//p' "$environment")" "$velmora" --clock "$key"
        fi
    fi
    printf -v "client_$key" %s "$spawned"
done

cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ ns += $1 } END { printf "%.0f\n", ns }'; }
# Every figure of every clock, as "KEY CLIENT SERVER PICOM" lines.
sample() {
    local entry key client server picom
    for entry in $cases; do
        IFS=: read -r platform size smooth <<<"$entry"
        key=${platform}_${size}_${smooth}
        client=client_$key server=server_$key picom=picom_$key
        printf '%s %s %s %s\n' "$key" "$(cpu_ns "${!client}")" "$(cpu_ns "${!server}")" \
            "$(if [ -n "${!picom:-}" ]; then cpu_ns "${!picom}"; else echo 0; fi)"
    done
}
load_at_start=$(cut -d ' ' -f 1-3 /proc/loadavg)
sleep "$settle"
sample >"$work/sample0"
sleep $((duration - settle))
sample >"$work/sample1"
for entry in $cases; do
    IFS=: read -r platform size smooth <<<"$entry"
    client=client_${platform}_${size}_${smooth}
    kill -0 "${!client}" 2>/dev/null || fail "the clock ${platform}_${size}_${smooth} ended early"
done

# The frame rates, all at once.
for entry in $cases; do
    IFS=: read -r platform size smooth <<<"$entry"
    key=${platform}_${size}_${smooth}
    if [ "$platform" = x11 ]; then
        display=display_$key
        # The clock by its class (a named clock's title carries its name), the floor by its name.
        "${runner[@]}" env DISPLAY="${!display}" "$work/second_latency" frames \
            "$([ "$floor" = 1 ] && echo present-floor || echo velmora)" \
            "$rate_seconds" >"$work/rate.$key" 2>>"$work/log" &
    else
        wayland=wayland_$key
        "${runner[@]}" env XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY="${!wayland}" \
            "$work/wayland_frame_rate" "$rate_seconds" >"$work/rate.$key" 2>>"$work/log" &
    fi
done
wait_all() {
    local job
    for job in $(jobs -p); do
        case " $pids " in *" $job "*) continue ;; esac
        wait "$job" || true
    done
}
wait_all

span=$((duration - settle))
if [ "$floor" = 1 ]; then
    printf '\nmotion_clock: the floor, a 16-pixel box changing in place of each clock, all at once;\n'
else
    printf '\nmotion_clock: continuous second hands, each clock alone on its desktop, all at once;\n'
fi
printf 'CPU over %s s (%s to %s s after the start), frames over the next %s s\n' "$span" \
    "$settle" "$duration" "$rate_seconds"
printf 'load average at the start %s, at the end %s (%s cores)\n' "$load_at_start" \
    "$(cut -d ' ' -f 1-3 /proc/loadavg)" "$(nproc)"
printf '%-28s %9s %9s %7s %8s %9s\n' clock 'client %' 'server %' 'sum %' 'picom %' frames/s
join "$work/sample0" "$work/sample1" >"$work/samples"
while read -r key c0 s0 p0 c1 s1 p1; do
    IFS=_ read -r platform size smooth <<<"$key"
    name="$([ "$floor" = 1 ] && echo "floor ")$([ "$platform" = x11 ] && echo "X11" || echo "sway") $size px $([ "$smooth" = 1 ] && echo smooth || echo "10/s")"
    frames=$(cat "$work/rate.$key" 2>/dev/null || true)
    awk -v n="$name" -v c=$((c1 - c0)) -v s=$((s1 - s0)) -v p=$((p1 - p0)) -v span="$span" \
        -v f="${frames:--}" -v x11="$([ "$platform" = x11 ] && echo 1 || echo 0)" 'BEGIN {
            printf "%-28s %9.3f %9.3f %7.3f %8s %9s\n", n, 100 * c / 1e9 / span,
                100 * s / 1e9 / span, 100 * (c + s) / 1e9 / span,
                x11 ? sprintf("%.3f", 100 * p / 1e9 / span) : "-", f
        }'
    printf '%s %s\n' "$key" "$(awk -v c=$((c1 - c0)) -v s=$((s1 - s0)) -v span="$span" \
        'BEGIN { printf "%.4f", 100 * (c + s) / 1e9 / span }')" >>"$work/sums"
done <"$work/samples"

# The targets, for the 800-pixel clock: ten frames a second at most 0.6 % of a core, smooth
# motion at least 55 frames a second at most 2 %, client and server together.
sum_of() { awk -v k="$1" '$1 == k { print $2 }' "$work/sums"; }
# A figure that is missing (a clock or server that did not run) misses its target.
verdict() { awk -v v="$1" -v limit="$2" 'BEGIN { print (v != "" && v <= limit ? "met" : "MISSED") }'; }
echo
# Only the targets of the clocks that ran.
ran() { case " $cases " in *" $1 "*) return 0 ;; esac; return 1; }
for platform in x11 wl; do
    label=$([ "$floor" = 1 ] && echo "floor ")$([ "$platform" = x11 ] && echo "X11" || echo "sway")
    if ran "$platform:800:0"; then
        printf 'target %-52s: %s (%s %%)\n' "$label 800 px, 10 frames/s: client + server <= 0.6 %" \
            "$(verdict "$(sum_of "${platform}_800_0")" 0.6)" "$(sum_of "${platform}_800_0")"
    fi
    ran "$platform:800:1" || continue
    smooth_rate=$(cat "$work/rate.${platform}_800_1" 2>/dev/null || echo 0)
    printf 'target %-52s: %s (%s %%)\n' "$label 800 px, smooth: client + server <= 2 %" \
        "$(verdict "$(sum_of "${platform}_800_1")" 2)" "$(sum_of "${platform}_800_1")"
    printf 'target %-52s: %s (%s)\n' "$label 800 px, smooth: at least 55 frames/s" \
        "$(awk -v r="${smooth_rate:-0}" 'BEGIN { print (r >= 55 ? "met" : "MISSED") }')" \
        "${smooth_rate:-none}"
done
