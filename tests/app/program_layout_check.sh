#!/bin/sh
# The program's layout took: the functions it lists sit in the program's hot code section and
# the info dialog's artwork after its other read-only data. Fails, too, when many listed
# functions are gone from the program: then run scripts/update-hot-functions.
#
# usage: program_layout_check.sh VELMORA LAYOUT
set -eu
velmora=$1
layout=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "program layout check: $*" >&2
    exit 1
}

# name address size, for the sections asked for
section() {
    readelf -SW "$velmora" | sed -n -E "s/^ *\[ *[0-9]+\] ($1) +[A-Z]+ +([0-9a-f]+) +[0-9a-f]+ +([0-9a-f]+) .*/\1 \2 \3/p"
}

hot=$(section '\.text\.hot')
[ -n "$hot" ] || fail "no .text.hot section"
cold=$(section '\.rodata\.cold')
[ -n "$cold" ] || fail "no .rodata.cold section"

# Clones of functions (name.constprop.0 and the like) come and go with the optimisation level.
sed -n -E 's/^ *\*\(\.text\.(_Z[^).]*)\)$/\1/p' "$layout" | sort -u >"$work/listed"
nm --defined-only "$velmora" | awk '{print $3, $1}' | sort -k1,1 >"$work/defined"
join "$work/listed" "$work/defined" >"$work/found"
listed=$(wc -l <"$work/listed")
found=$(cut -d" " -f1 "$work/found" | sort -u | wc -l)
[ "$listed" -gt 100 ] || fail "only $listed functions listed"
[ $((found * 10)) -ge $((listed * 9)) ] ||
    fail "$((listed - found)) of $listed listed functions are gone: run scripts/update-hot-functions"

echo "$hot" | {
    read -r _ start size
    awk -v start=$((0x$start)) -v end=$((0x$start + 0x$size)) '
        { address = 0; digits = "0123456789abcdef"
          for (i = 1; i <= length($2); ++i) address = address * 16 + index(digits, substr($2, i, 1)) - 1
          if (address < start || address >= end) { print "outside .text.hot: " $1; bad = 1 } }
        END { exit bad }' "$work/found"
} || fail "listed functions outside the hot section"

# The info dialog's picture and chime are over 100 KB.
rodata_start=$(section '\.rodata' | awk '{print $2}')
[ $((0x$(echo "$cold" | awk '{print $2}'))) -gt $((0x$rodata_start)) ] ||
    fail ".rodata.cold does not follow .rodata"
[ $((0x$(echo "$cold" | awk '{print $3}'))) -gt 100000 ] ||
    fail ".rodata.cold does not hold the info dialog's artwork"
echo "program layout check: $found of $listed listed functions, all in .text.hot"
