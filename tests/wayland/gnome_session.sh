#!/usr/bin/env bash
# A headless GNOME desktop for the capture tests: gnome-shell with a virtual
# monitor, its own session bus (and a system bus when the machine has none),
# xdg-desktop-portal with the GNOME backend, and the screenshot permission
# stored as given (or as refused).
#
#   gnome_session.sh start DIR WxH SCALE physical|logical yes|no
#   gnome_session.sh stop DIR
#
# `start` writes DIR/env to source: WAYLAND_DISPLAY, the session bus, and
# XWAYLAND_DISPLAY with XAUTHORITY for X clients.
#
# Things learnt the hard way, each handled below:
# - mutter starts XWayland only when /tmp/.X11-unix is world-writable
#   (sticky, 1777, as a desktop machine has it).
# - gnome-shell needs a system bus (accounts, login manager); a private
#   one through DBUS_SYSTEM_BUS_ADDRESS is enough.
# - it starts in the overview, which covers every window: the session
#   leaves it (org.gnome.Shell's OverviewActive).
# - a scale is offered only when the monitor is large enough (scale 2
#   needs more than 1280 x 720); GNOME's logical layout mode (fractional
#   scales) is the experimental feature "scale-monitor-framebuffer", read
#   at start-up.
# - with animations off, GNOME's white flash after each screenshot does
#   not end up in the next one.
set -euo pipefail

WAIT=${SESSION_TIMEOUT:-60}
here=$(cd "$(dirname "$0")" && pwd)

log() { printf '[gnome-session %s] %s\n' "$(date +%T.%3N)" "$*" >&2; }

wait_for() {  # wait_for WHAT COMMAND...: poll every 100 ms until COMMAND succeeds
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

leave_overview() {  # leave_overview LOG: the shell has started and its overview is closed
    grep -q "GNOME Shell started" "$1" || return 1
    dbus-send --session --dest=org.gnome.Shell --print-reply /org/gnome/Shell \
        org.freedesktop.DBus.Properties.Set string:org.gnome.Shell string:OverviewActive \
        variant:boolean:false >/dev/null || return 1
    sleep 0.5
    dbus-send --session --dest=org.gnome.Shell --print-reply /org/gnome/Shell \
        org.freedesktop.DBus.Properties.Get string:org.gnome.Shell string:OverviewActive |
        grep -q 'boolean false'
}

start() {
    local dir=$1 size=$2 scale=$3 layout=$4 permission=$5
    mkdir -p "$dir"
    dir=$(cd "$dir" && pwd)
    local rt=$dir/runtime
    mkdir -p "$rt" "$dir/logs" "$dir/home"
    chmod 700 "$rt"
    local t0
    t0=$(date +%s%3N)
    if [ "$(stat -c %a /tmp/.X11-unix 2>/dev/null)" != 1777 ]; then
        mkdir -p /tmp/.X11-unix
        chmod 1777 /tmp/.X11-unix
    fi

    export XDG_RUNTIME_DIR=$rt HOME=$dir/home XDG_CURRENT_DESKTOP=GNOME \
        XDG_SESSION_TYPE=wayland XDG_CONFIG_HOME=$dir/home/.config
    unset DISPLAY WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS
    if ! dbus-send --system --dest=org.freedesktop.DBus --print-reply / \
        org.freedesktop.DBus.GetId >/dev/null 2>&1; then
        cat >"$dir/system-bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-BUS Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>system</type>
  <listen>unix:path=$dir/system-bus</listen>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
    <allow user="*"/>
  </policy>
</busconfig>
CONF
        dbus-daemon --config-file="$dir/system-bus.conf" --nofork --nopidfile \
            >"$dir/logs/system-bus.log" 2>&1 &
        echo $! >"$dir/system-bus.pid"
        export DBUS_SYSTEM_BUS_ADDRESS=unix:path=$dir/system-bus
        wait_for "the system bus" test -S "$dir/system-bus"
    fi
    dbus-daemon --session --nofork --nopidfile --address="unix:path=$rt/bus" \
        >"$dir/logs/dbus.log" 2>&1 &
    echo $! >"$dir/dbus.pid"
    export DBUS_SESSION_BUS_ADDRESS=unix:path=$rt/bus
    wait_for "the session bus" dbus-send --session --dest=org.freedesktop.DBus \
        --type=method_call --print-reply / org.freedesktop.DBus.GetId

    # Settings read at start-up, kept in the session's own dconf database.
    local features="[]"
    [ "$layout" = logical ] && features="['scale-monitor-framebuffer']"
    gsettings set org.gnome.mutter experimental-features "$features"
    gsettings set org.gnome.desktop.interface enable-animations false
    gsettings set org.gnome.desktop.notifications show-banners false

    nice gnome-shell --headless --wayland --virtual-monitor "$size" \
        >"$dir/logs/gnome-shell.log" 2>&1 &
    echo $! >"$dir/gnome-shell.pid"
    wait_for "gnome-shell's Wayland socket" test -S "$rt/wayland-0"
    wait_for "gnome-shell on the bus" bus_has org.gnome.Shell
    wait_for "mutter's display configuration" bus_has org.gnome.Mutter.DisplayConfig
    export WAYLAND_DISPLAY=wayland-0
    if [ "$scale" != 1 ]; then
        /usr/bin/python3 "$here/mutter_scale.py" "$scale" >&2
    fi
    # Once started, the shell opens its overview; then it may be left.
    wait_for "the overview to close" leave_overview "$dir/logs/gnome-shell.log"

    # The portal's services inherit the bus's environment.
    dbus-update-activation-environment WAYLAND_DISPLAY XDG_CURRENT_DESKTOP XDG_SESSION_TYPE
    /usr/libexec/xdg-desktop-portal >"$dir/logs/xdp.log" 2>&1 &
    echo $! >"$dir/xdp.pid"
    wait_for "xdg-desktop-portal" bus_has org.freedesktop.portal.Desktop
    dbus-send --session --print-reply --dest=org.freedesktop.impl.portal.PermissionStore \
        /org/freedesktop/impl/portal/PermissionStore \
        org.freedesktop.impl.portal.PermissionStore.SetPermission \
        string:screenshot boolean:true string:screenshot string: "array:string:$permission" \
        >/dev/null
    wait_for "XWayland" grep -q "Using public X11 display" "$dir/logs/gnome-shell.log"
    local xdisplay xauth
    xdisplay=$(sed -n 's/.*Using public X11 display \(:[0-9]*\).*/\1/p' "$dir/logs/gnome-shell.log")
    xauth=$(ls "$rt"/.mutter-Xwaylandauth.* 2>/dev/null | head -n 1)
    log "GNOME up after $(($(date +%s%3N) - t0)) ms ($size, scale $scale, $layout layout)"

    {
        printf 'export XDG_RUNTIME_DIR=%q HOME=%q XDG_CONFIG_HOME=%q\n' "$rt" "$HOME" \
            "$XDG_CONFIG_HOME"
        printf 'export WAYLAND_DISPLAY=wayland-0 XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_TYPE=wayland\n'
        printf 'export DBUS_SESSION_BUS_ADDRESS=%q\n' "$DBUS_SESSION_BUS_ADDRESS"
        printf 'export XWAYLAND_DISPLAY=%q XAUTHORITY=%q\n' "$xdisplay" "$xauth"
    } >"$dir/env"
}

. "$(dirname "${BASH_SOURCE[0]}")/session_stop.sh"

stop() {  # everything started, then SIGKILL after 2 s
    stop_started "$1" xdp gnome-shell dbus system-bus
}

case "${1:-}" in
    start) start "$2" "$3" "$4" "$5" "$6" ;;
    stop) stop "$2" ;;
    *)
        sed -n '2,12p' "$0"
        exit 2
        ;;
esac
