#!/usr/bin/env bash
# A headless Wayland desktop for the capture tests: sway on wlroots'
# headless backend (software renderer), a private session bus, PipeWire
# and xdg-desktop-portal with its wlr and gtk backends, so that
# org.freedesktop.portal.Screenshot answers on a machine without a screen.
#
#   wayland_session.sh start DIR   start everything; writes DIR/env to source
#   wayland_session.sh stop DIR    stop what `start DIR` started
#
# Things learnt the hard way, each handled below:
# - sway refuses to run as root: as root, the compositor alone runs as an
#   unprivileged uid (SESSION_UID, default 65534) and the clients reach it
#   through an absolute WAYLAND_DISPLAY path.
# - xdg-desktop-portal-wlr 0.7 exits at start-up without a PipeWire daemon,
#   and takes its screenshots with grim.
# - xdg-desktop-portal 1.16 offers Screenshot only when some backend also
#   implements org.freedesktop.impl.portal.Access (xdg-desktop-portal-gtk).
# - XWayland admits only the compositor's user: DIR/env's xwayland_allow
#   lets the caller in.
set -euo pipefail

SIZE=${SESSION_SIZE:-1280x720}
DROP_UID=${SESSION_UID:-65534}
WAIT=${SESSION_TIMEOUT:-20}

log() { printf '[wayland-session %s] %s\n' "$(date +%T.%3N)" "$*" >&2; }

wait_for() {  # wait_for WHAT COMMAND...: poll every 50 ms until COMMAND succeeds
    local what=$1
    shift
    local deadline=$((SECONDS + WAIT))
    until "$@" >/dev/null 2>&1; do
        if ((SECONDS >= deadline)); then
            log "timed out waiting for $what"
            return 1
        fi
        sleep 0.05
    done
}

bus_has() {  # bus_has NAME: the session bus has an owner for NAME
    dbus-send --session --dest=org.freedesktop.DBus --type=method_call --print-reply / \
        org.freedesktop.DBus.GetNameOwner "string:$1"
}

start() {
    local dir=$1
    mkdir -p "$dir"
    chmod 755 "$dir"
    dir=$(cd "$dir" && pwd)
    local wl=$dir/wl rt=$dir/runtime
    mkdir -p "$wl" "$rt" "$dir/logs" "$dir/home"
    chmod 700 "$rt"
    local asuser=()
    if [ "$(id -u)" -eq 0 ]; then
        chown "$DROP_UID" "$wl" "$dir/home" "$dir/logs"
        asuser=(setpriv --reuid="$DROP_UID" --regid="$DROP_UID" --clear-groups)
    fi
    chmod 700 "$wl"
    local t0; t0=$(date +%s%3N)

    # One output, no bar, no borders, no gaps: a tiled window fills it.
    # The exec line records XWayland's DISPLAY for X clients.
    cat >"$dir/sway.conf" <<CONF
output * bg #203040 solid_color
output HEADLESS-1 mode $SIZE position 0 0
default_border none
default_floating_border none
focus_follows_mouse no
exec sh -c 'printf %s "\$DISPLAY" > $wl/display'
CONF
    "${asuser[@]}" env -i PATH="$PATH" HOME="$dir/home" XDG_RUNTIME_DIR="$wl" \
        WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
        WLR_HEADLESS_OUTPUTS=1 \
        sway -c "$dir/sway.conf" >"$dir/logs/sway.log" 2>&1 &
    echo $! >"$dir/sway.pid"
    wait_for "the Wayland socket" test -S "$wl/wayland-1"
    wait_for "sway's IPC socket" sh -c "ls $wl/sway-ipc.*.sock"
    local swaysock; swaysock=$(ls "$wl"/sway-ipc.*.sock)
    wait_for "sway's outputs" env SWAYSOCK="$swaysock" swaymsg -t get_outputs
    wait_for "XWayland's display name" test -s "$wl/display"

    # The bus starts with the Wayland session in its environment, so the
    # services it activates (permission store, gtk backend) inherit it.
    export XDG_RUNTIME_DIR=$rt WAYLAND_DISPLAY=$wl/wayland-1 XDG_CURRENT_DESKTOP=sway \
        XDG_SESSION_TYPE=wayland SWAYSOCK=$swaysock
    unset DISPLAY DBUS_SESSION_BUS_ADDRESS
    dbus-daemon --session --nofork --nopidfile --address="unix:path=$rt/bus" \
        >"$dir/logs/dbus.log" 2>&1 &
    echo $! >"$dir/dbus.pid"
    export DBUS_SESSION_BUS_ADDRESS=unix:path=$rt/bus
    wait_for "the session bus" dbus-send --session --dest=org.freedesktop.DBus \
        --type=method_call --print-reply / org.freedesktop.DBus.GetId

    pipewire >"$dir/logs/pipewire.log" 2>&1 &
    echo $! >"$dir/pipewire.pid"
    wait_for "PipeWire's socket" test -S "$rt/pipewire-0"

    # The backend first, so that the frontend finds it.
    /usr/libexec/xdg-desktop-portal-wlr -l WARN >"$dir/logs/xdpw.log" 2>&1 &
    echo $! >"$dir/xdpw.pid"
    wait_for "xdg-desktop-portal-wlr" bus_has org.freedesktop.impl.portal.desktop.wlr
    /usr/libexec/xdg-desktop-portal >"$dir/logs/xdp.log" 2>&1 &
    echo $! >"$dir/xdp.pid"
    wait_for "xdg-desktop-portal" bus_has org.freedesktop.portal.Desktop
    if ! dbus-send --session --dest=org.freedesktop.portal.Desktop --print-reply \
        /org/freedesktop/portal/desktop org.freedesktop.DBus.Properties.Get \
        string:org.freedesktop.portal.Screenshot string:version >/dev/null 2>&1; then
        log "the portal has no Screenshot interface (is xdg-desktop-portal-gtk installed?)"
        return 1
    fi
    log "session up after $(($(date +%s%3N) - t0)) ms"

    {
        printf 'export XDG_RUNTIME_DIR=%q\n' "$rt"
        printf 'export WAYLAND_DISPLAY=%q\n' "$WAYLAND_DISPLAY"
        printf 'export XDG_CURRENT_DESKTOP=sway XDG_SESSION_TYPE=wayland\n'
        printf 'export SWAYSOCK=%q\n' "$swaysock"
        printf 'export DBUS_SESSION_BUS_ADDRESS=%q\n' "$DBUS_SESSION_BUS_ADDRESS"
        printf 'export XWAYLAND_DISPLAY=%q\n' "$(cat "$wl/display")"
        # XWayland's access list, as the compositor's user: admit the caller.
        # shellcheck disable=SC2016  # $PATH expands when the function runs
        printf 'xwayland_allow() { %s env -i PATH="$PATH" DISPLAY=%q xhost +si:localuser:%q >/dev/null; }\n' \
            "${asuser[*]}" "$(cat "$wl/display")" "$(id -un)"
    } >"$dir/env"
}

. "$(dirname "${BASH_SOURCE[0]}")/session_stop.sh"

stop() {  # everything started, then SIGKILL after 2 s
    stop_started "$1" xdp xdpw pipewire dbus sway
}

case "${1:-}" in
    start) start "$2" ;;
    stop) stop "$2" ;;
    *)
        sed -n '2,19p' "$0"
        exit 2
        ;;
esac
