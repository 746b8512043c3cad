#!/bin/sh
# Writes the built-in scheme with its second hands moving continuously (ten frames a second),
# for measuring that case: bench/idle_clock.sh -S FILE.
#
# usage: bench/continuous_scheme.sh [-t VELMORA_TOOL] OUT.Velmora
set -eu
tool=$(dirname "$0")/../build/tools/velmora-tool
if [ "${1:-}" = -t ]; then
    tool=$2
    shift 2
fi
[ $# = 1 ] || { sed -n '5s/^# //p' "$0" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$tool" dump --with-data --default >"$work/default.json"
# The time value kinds: 1 is the second in steps, 2 the continuous second.
awk '/"name": "TimeValue"/ { time = 1 }
     time && /"value": 1$/ { sub(/"value": 1$/, "\"value\": 2"); changed++ }
     /^ *}/ { time = 0 }
     { print }
     END { if (changed == 0) exit 1 }' "$work/default.json" >"$work/continuous.json"
"$tool" build "$work/continuous.json" "$1"
