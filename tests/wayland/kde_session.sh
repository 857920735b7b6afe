#!/usr/bin/env bash
# A headless KDE Plasma desktop for the capture tests: kwin_wayland on a
# virtual framebuffer with XWayland, its own session bus, and
# xdg-desktop-portal with KDE's backend.
#
#   kde_session.sh start DIR WxH
#   kde_session.sh stop DIR
#
# `start` writes DIR/env to source: WAYLAND_DISPLAY, the session bus, and
# XWAYLAND_DISPLAY for X clients.
#
# Things learnt the hard way, each handled below:
# - Debian's kwin_wayland carries the file capability cap_sys_resource; in a
#   container without it the kernel refuses to run it, so a copy without
#   the capability runs instead.
# - KDE's portal saves its picture in ~/Pictures and answers "cancelled"
#   when the folder is missing (the program makes it; the session does not).
# - its screenshot component needs Qt 5's Wayland platform and the Qt
#   Quick modules of plasma-workspace.
set -euo pipefail

WAIT=${SESSION_TIMEOUT:-30}

log() { printf '[kde-session %s] %s\n' "$(date +%T.%3N)" "$*" >&2; }

wait_for() {
    local what=$1
    shift
    local deadline=$((SECONDS + WAIT))
    until "$@" >/dev/null 2>&1; do
        if ((SECONDS >= deadline)); then
            log "timed out waiting for $what"
            return 1
        fi
        sleep 0.1
    done
}

bus_has() {
    dbus-send --session --dest=org.freedesktop.DBus --type=method_call --print-reply / \
        org.freedesktop.DBus.GetNameOwner "string:$1"
}

start() {
    local dir=$1 size=$2
    mkdir -p "$dir"
    dir=$(cd "$dir" && pwd)
    local rt=$dir/runtime
    mkdir -p "$rt" "$dir/logs" "$dir/home"
    chmod 700 "$rt"
    local t0
    t0=$(date +%s%3N)
    local kwin
    kwin=$(command -v kwin_wayland)
    if ! "$kwin" --version >/dev/null 2>&1; then
        cp "$kwin" "$dir/kwin_wayland"  # a plain copy has no file capability
        kwin=$dir/kwin_wayland
    fi

    export XDG_RUNTIME_DIR=$rt HOME=$dir/home XDG_CURRENT_DESKTOP=KDE XDG_SESSION_TYPE=wayland \
        KDE_FULL_SESSION=true XDG_CONFIG_HOME=$dir/home/.config
    unset DISPLAY WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS
    dbus-daemon --session --nofork --nopidfile --address="unix:path=$rt/bus" \
        >"$dir/logs/dbus.log" 2>&1 &
    echo $! >"$dir/dbus.pid"
    export DBUS_SESSION_BUS_ADDRESS=unix:path=$rt/bus
    wait_for "the session bus" dbus-send --session --dest=org.freedesktop.DBus \
        --type=method_call --print-reply / org.freedesktop.DBus.GetId

    QT_QPA_PLATFORM=offscreen nice "$kwin" --virtual --xwayland --no-lockscreen \
        --width "${size%x*}" --height "${size#*x}" --socket wayland-kde \
        >"$dir/logs/kwin.log" 2>&1 &
    echo $! >"$dir/kwin.pid"
    wait_for "KWin's Wayland socket" test -S "$rt/wayland-kde"
    wait_for "KWin on the bus" bus_has org.kde.KWin
    export WAYLAND_DISPLAY=wayland-kde
    wait_for "XWayland" sh -c "ps -o args= --ppid $(cat "$dir/kwin.pid") | grep -q '^/usr/bin/Xwayland :'"
    local xdisplay
    xdisplay=$(ps -o args= --ppid "$(cat "$dir/kwin.pid")" | sed -n 's|^/usr/bin/Xwayland \(:[0-9]*\).*|\1|p')

    dbus-update-activation-environment WAYLAND_DISPLAY XDG_CURRENT_DESKTOP XDG_SESSION_TYPE \
        KDE_FULL_SESSION HOME
    /usr/libexec/xdg-desktop-portal >"$dir/logs/xdp.log" 2>&1 &
    echo $! >"$dir/xdp.pid"
    wait_for "xdg-desktop-portal" bus_has org.freedesktop.portal.Desktop
    log "KDE up after $(($(date +%s%3N) - t0)) ms ($size)"
    {
        printf 'export XDG_RUNTIME_DIR=%q HOME=%q XDG_CONFIG_HOME=%q\n' "$rt" "$HOME" \
            "$XDG_CONFIG_HOME"
        printf 'export WAYLAND_DISPLAY=wayland-kde XDG_CURRENT_DESKTOP=KDE XDG_SESSION_TYPE=wayland\n'
        printf 'export DBUS_SESSION_BUS_ADDRESS=%q\n' "$DBUS_SESSION_BUS_ADDRESS"
        printf 'export XWAYLAND_DISPLAY=%q\n' "$xdisplay"
    } >"$dir/env"
}

. "$(dirname "${BASH_SOURCE[0]}")/session_stop.sh"

stop() {  # everything started, then SIGKILL after 2 s
    stop_started "$1" xdp kwin dbus
}

case "${1:-}" in
    start) start "$2" "$3" ;;
    stop) stop "$2" ;;
    *)
        sed -n '2,10p' "$0"
        exit 2
        ;;
esac
