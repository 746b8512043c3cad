#!/bin/sh
# The real program under Xvfb in an environment set against it: a settings file that is a
# FIFO, one that is a link to another program's file, and sixteen connections to its socket
# that never send anything. The clock appears each time, says what it moved aside, never
# writes the link's target, and takes a launch's file over despite the idle connections.
#
# usage: hostile_environment_check.sh VELMORA IDLE_CONNECTIONS SCHEME.Velmora
set -eu
velmora=$1
idle=$2
scheme=$3
check_name="hostile environment check"
. "$(dirname "$0")/window_check_lib.sh"
begin_check
start_window_manager
use_private_session

# Starts the clock of name "x" and waits for its window (200 x 200) and, with $2 = notice,
# for a notice beside it; fails with $1 if they do not come.
start_named_clock() {
    "$velmora" --clock x 2>"$work/clock.err" &
    clock=$!
    until_time=$(deadline 10)
    while :; do
        window= notice=
        for id in $(xdotool search --onlyvisible --name '^Velmora' 2>/dev/null); do
            read_geometry "$id"
            if [ "$w" = 200 ] && [ "$h" = 200 ]; then window=$id; else notice=$id; fi
        done
        [ -n "$window" ] && { [ "${2:-}" != notice ] || [ -n "$notice" ]; } && break
        past "$until_time" && fail "$1"
        sleep 0.1
    done
}

stop_named_clock() {
    kill -TERM "$clock"
    wait "$clock" || true
    clock=
}

settings="$XDG_CONFIG_HOME/vornel-works/velmora-x.conf"

# A FIFO: nothing ever writes it, and reading it would wait for ever.
mkfifo "$settings"
start_named_clock "the clock or its notice did not appear with a FIFO for its settings" notice
[ -p "$settings" ] && fail "the FIFO was left in the settings file's place"
ls "$settings".broken-* >/dev/null 2>&1 || fail "the FIFO was not moved aside"
grep -q "pipe" "$work/clock.err" || fail "the clock did not say why: $(cat "$work/clock.err")"
stop_named_clock
rm -f "$settings".broken-*

# A link to another program's file: the link goes aside, the file stays as it was.
printf '# notes\nexport EDITOR=vi\nremember the milk\n' >"$work/notes"
cp "$work/notes" "$work/notes.before"
ln -s "$work/notes" "$settings"
start_named_clock "the clock did not appear with its settings linked to another file" notice
[ -L "$settings" ] && fail "the link was left in the settings file's place"
read_geometry "$window"
xdotool mousemove $((x + 100)) $((y + 100)) mousedown 1 mousemove $((x + 140)) $((y + 130)) \
    mousemove $((x + 160)) $((y + 150)) mouseup 1
sleep 1
cmp -s "$work/notes" "$work/notes.before" || fail "the link's target was written"
grep -q "ClockWindow" "$settings" 2>/dev/null || fail "the drag was not saved in a new file"

# Sixteen connections that send nothing do not keep a launch from handing its file over.
socket="$XDG_RUNTIME_DIR/velmora-x.socket"
"$idle" "$socket" 16 20 >"$work/idle.out" &
helpers="$helpers $!"
until [ -s "$work/idle.out" ]; do sleep 0.05; done
[ "$(cat "$work/idle.out")" = 16 ] || fail "only $(cat "$work/idle.out") idle connections were made"
timeout 10 "$velmora" --clock x "$scheme" || fail "the launch did not hand its file over"
until_time=$(deadline 5)
until grep -qF "SchemeLoaded=$scheme" "$settings"; do
    past "$until_time" && fail "the running clock did not take $scheme"
    sleep 0.1
done
stop_named_clock
echo "$check_name: passed"
