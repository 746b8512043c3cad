#!/bin/sh
# The parts of app/ depend one way: a part includes only the parts before it in this order,
# which app/CMakeLists.txt and docs/developing.md give too (velmora_app.cpp and main.cpp, the
# program, come after window/; the modules last, and none includes another). alarms/ rings
# through chime/ and places its dialog by dialogs/, and window/ shows its next alarm.
# usage: part_order_check.sh SOURCE_DIR
set -eu
cd "$1/app"
order="desktop chime dialogs alarms presentation x11 window . editor planner wayland"
modules="editor planner wayland"
failed=""
position() {
    n=0
    for part in $order; do
        [ "$part" = "$1" ] && echo $n && return
        n=$((n + 1))
    done
    echo "unknown part $1" >&2
    exit 1
}
is_module() {
    case " $modules " in *" $1 "*) return 0 ;; esac
    return 1
}
for part in $order; do
    own=$(position "$part")
    if [ "$part" = . ]; then
        files=$(ls ./*.cpp ./*.h)
    else
        files=$(ls "$part"/*.cpp "$part"/*.h 2>/dev/null || true)
    fi
    for file in $files; do
        for used in $(sed -n 's|^#include "app/\([a-z0-9_]*\)/.*|\1|p' "$file" | sort -u); do
            if [ "$(position "$used")" -gt "$own" ] ||
                { [ "$used" != "$part" ] && is_module "$part" && is_module "$used"; }; then
                failed="$failed\n  $file includes app/$used/"
            fi
        done
    done
done
if [ -n "$failed" ]; then
    printf "part_order_check: a part includes one after it:%b\n" "$failed" >&2
    exit 1
fi
echo "part_order_check: every part includes only the parts before it"
