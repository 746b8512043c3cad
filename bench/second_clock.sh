#!/usr/bin/env bash
# What a second clock costs the first: the default clock's own CPU time, wake-ups and peak
# memory over DURATION seconds alone, then over DURATION seconds with a clock named "second"
# running beside it, on a private Xvfb with openbox and picom. Several clocks are separate
# processes with settings of their own, so the two rows should differ by noise only.
#
# usage: bench/second_clock.sh [-b VELMORA_BINARY] [DURATION]
#   VELMORA_BINARY (default build/app/velmora), DURATION (default 30).
set -euo pipefail
velmora=build/app/velmora
while getopts b: option; do
    case $option in
    b) velmora=$OPTARG ;;
    *) exit 2 ;;
    esac
done
shift $((OPTIND - 1))
duration=${1:-30}
for tool in Xvfb openbox picom; do
    command -v "$tool" >/dev/null || { echo "second_clock: $tool is missing" >&2; exit 1; }
done

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
display=:$((200 + $$ % 100))
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=$display XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
sleep 1
openbox >/dev/null 2>&1 &
pids+=($!)
picom --backend xrender >/dev/null 2>&1 &
pids+=($!)
sleep 0.5

"$velmora" >/dev/null 2>&1 &
first=$!
pids=("$first" "${pids[@]}")

# Nanoseconds on a CPU and voluntary context switches, all threads of the first clock.
cost() {
    local ns=0 switches=0 task run rest count
    for task in /proc/"$first"/task/*; do
        read -r run rest <"$task/schedstat"
        count=$(awk '/^voluntary_ctxt_switches/ { print $2 }' "$task/status")
        ns=$((ns + run))
        switches=$((switches + count))
    done
    echo "$ns $switches"
}

measure() {
    local ns0 sw0 ns1 sw1
    sleep 5
    read -r ns0 sw0 < <(cost)
    sleep "$duration"
    read -r ns1 sw1 < <(cost)
    awk -v label="$1" -v ns=$((ns1 - ns0)) -v switches=$((sw1 - sw0)) -v seconds="$duration" \
        '/^VmHWM/ { printf "%-22s %8.3f %8.1f %7.1f MB\n", label, ns / (seconds * 1e7),
                           switches / seconds, $2 / 1024 }' /proc/"$first"/status
}

printf '%-22s %8s %8s %10s\n' "the default clock" "client %" "wake/s" "peak RSS"
measure "alone"
"$velmora" --clock second >/dev/null 2>&1 &
second=$!
pids=("$second" "${pids[@]}")
measure "beside a second clock"
kill -0 "$second" 2>/dev/null || echo "second_clock: the second clock ended early" >&2
