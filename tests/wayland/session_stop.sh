# Sourced by the session scripts: stops what a session started.

descendants() {  # children of PID, recursively (bus-activated services)
    local p
    for p in $(ps -o pid= --ppid "$1" 2>/dev/null); do
        echo "$p"
        descendants "$p"
    done
}

# stop_started DIR NAME...: SIGTERM to each process whose pid is in
# DIR/NAME.pid and to what it started (the buses' services), then SIGKILL
# after 2 s.
stop_started() {
    local dir=$1 f pids=() _
    shift
    for f in "$@"; do
        [ -f "$dir/$f.pid" ] || continue
        pids+=("$(cat "$dir/$f.pid")")
        # shellcheck disable=SC2207
        pids+=($(descendants "${pids[-1]}" || true))
        rm -f "$dir/$f.pid"
    done
    [ ${#pids[@]} -eq 0 ] && return 0
    kill -TERM "${pids[@]}" 2>/dev/null || true
    for _ in $(seq 40); do
        kill -0 "${pids[@]}" 2>/dev/null || return 0
        sleep 0.05
    done
    kill -KILL "${pids[@]}" 2>/dev/null || true
}
