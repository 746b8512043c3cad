# Helpers of the Wayland checks: a work folder, the unprivileged user the compositor and the
# clock run as, and programs started in the compositor's clean environment. Sourced by bash
# scripts that set check_name, and shot_name (the picture kept at a failure), first.

skip() {
    echo "$check_name: skipped: $*"
    exit 77
}

fail() {
    echo "$check_name: $*" >&2
    if [ -n "${VELMORA_CHECK_SHOTS:-}" ] && [ -f "$work/shot.png" ]; then
        cp "$work/shot.png" "$VELMORA_CHECK_SHOTS/$shot_name" || true
    fi
    exit 1
}

# Skips the check unless every program named is installed.
need() {
    for program in "$@"; do
        command -v "$program" >/dev/null || skip "$program is not installed"
    done
}

# A temporary folder $work with $work/out and the runtime folder $runtime, removed at the end
# with every process whose id is in $pids. As root the programs run as nobody, through
# $runner: sway refuses root, and KWin is run from a copy without its file capability.
begin_wayland_check() {
    work=$(mktemp -d)
    chmod 755 "$work"
    pids=""
    trap end_wayland_check EXIT
    runtime="$work/runtime"
    mkdir -m 700 "$runtime"
    mkdir -m 755 "$work/out"
    runner=()
    if [ "$(id -u)" -eq 0 ]; then
        command -v setpriv >/dev/null || skip "setpriv is missing to run the compositor unprivileged"
        chown nobody "$runtime" "$work/out"
        runner=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
    fi
}

end_wayland_check() {
    # Only the processes this check started, by their ids.
    for pid in $pids; do
        kill "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}

# The command that runs a program in the compositor's clean environment rather than the
# caller's session: home $user_home (else $work), the runtime folder, the Wayland display
# $display and the variables in $user_env; in $user_command.
user_command() {
    user_command=("${runner[@]}" env -i HOME="${user_home:-$work}" XDG_RUNTIME_DIR="$runtime"
        PATH=/usr/bin:/bin WAYLAND_DISPLAY="${display:-}" LC_ALL=C
        ${user_env[@]+"${user_env[@]}"} "$@")
}

as_user() {
    user_command "$@"
    "${user_command[@]}"
}

# Starts a program like as_user, in the background, its output going to the file $1; its
# process id is in $spawned. Not a subshell: the id is the program's own.
spawn() {
    local log=$1
    shift
    : >"$log"
    user_command "$@"
    "${user_command[@]}" >"$log" 2>&1 &
    spawned=$!
    pids="$pids $spawned"
}
