#!/usr/bin/env bash
# The capture tests on a headless Wayland desktop (sway), run by ctest:
#
#   run_wayland_tests.sh TEST_PROGRAM
#
# 1. the real screenshot portal, the program on Qt's native wayland platform;
# 2. the same through XWayland (Qt's xcb platform);
# 3. portal failures (cancelled, missing) and the permission question's
#    answers (at once, after 15 s, refused, never, after the program gave
#    up; KDE's missing pictures folder and failing backend) against a stub
#    portal on a bus of their own;
# 4. a second output and scale 2 on the first: the crop in device pixels.
# Exits 77 (skipped) when the machine lacks what the desktop needs.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$1

skip() {
    echo "SKIP: $* (scripts/setup-tests.sh installs it)"
    exit 77
}
for tool in sway swaymsg grim pipewire dbus-daemon dbus-send Xwayland xhost setpriv; do
    command -v "$tool" >/dev/null || skip "$tool is missing"
done
for tool in xdg-desktop-portal xdg-desktop-portal-wlr xdg-desktop-portal-gtk; do
    [ -x "/usr/libexec/$tool" ] || skip "$tool is missing"
done
/usr/bin/python3 -c 'import dbus, gi' 2>/dev/null || skip "python3-dbus or python3-gi is missing"
compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so" >/dev/null ||
    skip "Qt's wayland platform (qt6-wayland) is missing"

dir=$(mktemp -d /tmp/qelvar-wayland.XXXXXX)
stub_bus_pid=
cleanup() {
    [ -n "$stub_bus_pid" ] && kill "$stub_bus_pid" 2>/dev/null
    "$here/wayland_session.sh" stop "$dir"
    if [ "${status:-1}" -ne 0 ]; then
        echo "--- session logs (kept in $dir/logs) ---"
        tail -n 20 "$dir"/logs/*.log || true
    else
        rm -rf "$dir"
    fi
}
trap cleanup EXIT

start_ms=$(date +%s%3N)
"$here/wayland_session.sh" start "$dir"
# shellcheck disable=SC1091
. "$dir/env"
unset DISPLAY
export QELVAR_PORTAL_STUB=$here/portal_stub.py
# The program makes the user's pictures folder before asking the portal:
# a home of the run's own, not the caller's.
mkdir -p "$dir/program-home"
export HOME=$dir/program-home XDG_CONFIG_HOME=$dir/program-home/.config

status=1
real_portal=(freezesTheScreenPixelForPixel captureWindowCoversTheOutput
             chartRightClickDragDoubleClickSavesTheSelection arrowKeyMovesTheSelection
             pressOverTheHelpBoxGoesToTheCaptureWindow helpTextFollowsTheFirstPointerEvent)

echo "== native Wayland, real portal"
QT_QPA_PLATFORM=wayland "$program" "${real_portal[@]}"

echo "== XWayland, real portal"
xwayland_allow
DISPLAY=$XWAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$program" "${real_portal[@]}"

echo "== portal failures, stub portal on a bus of its own"
cat >"$dir/stub-bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-BUS Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:path=$dir/stub-bus</listen>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF
dbus-daemon --config-file="$dir/stub-bus.conf" --nofork --nopidfile >"$dir/logs/stub-bus.log" 2>&1 &
stub_bus_pid=$!
stub_bus=unix:path=$dir/stub-bus
until dbus-send --bus="$stub_bus" --dest=org.freedesktop.DBus --print-reply / \
    org.freedesktop.DBus.GetId >/dev/null 2>&1; do sleep 0.05; done
DBUS_SESSION_BUS_ADDRESS=$stub_bus QT_QPA_PLATFORM=wayland \
    "$program" portalFailuresShowTheirMessageAndReturnToTheChart

echo "== the permission question's answers, stub portal, a home of its own"
TMPDIR=$dir DBUS_SESSION_BUS_ADDRESS=$stub_bus QT_QPA_PLATFORM=wayland "$program" permissionFlow

echo "== two outputs, scale 2 on the first"
swaymsg -q create_output
swaymsg -q output HEADLESS-1 scale 2
swaymsg -q output HEADLESS-2 mode 1280x720 position 640 0
QELVAR_EXPECT_SCREENS=2 QT_QPA_PLATFORM=wayland "$program" portalCropsTheCaptureScreenInDevicePixels

status=0
echo "wayland capture tests passed in $(($(date +%s%3N) - start_ms)) ms"
