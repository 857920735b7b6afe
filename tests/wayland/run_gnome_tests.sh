#!/usr/bin/env bash
# The capture tests on a headless GNOME desktop (gnome-shell, mutter and
# GNOME's screenshot portal), run by ctest:
#
#   run_gnome_tests.sh TEST_PROGRAM WxH SCALE physical|logical native|xwayland
#
# native: the program on Qt's native wayland platform, the permission
#         given, with real input through mutter's remote-desktop
#         interface; then the permission refused: GNOME's message, no capture
#         window, no file;
# xwayland: the program through XWayland, the permission given.
# Exits 77 (skipped) when the machine lacks what the desktop needs.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$1 size=$2 scale=$3 layout=$4 platform=$5

skip() {
    echo "SKIP: $* (scripts/setup-tests.sh installs it)"
    exit 77
}
for tool in gnome-shell dbus-daemon dbus-send gsettings; do
    command -v "$tool" >/dev/null || skip "$tool is missing"
done
for tool in xdg-desktop-portal xdg-desktop-portal-gnome; do
    [ -x "/usr/libexec/$tool" ] || skip "$tool is missing"
done
/usr/bin/python3 -c 'import dbus' 2>/dev/null || skip "python3-dbus is missing"
compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so" >/dev/null ||
    skip "Qt's wayland platform (qt6-wayland) is missing"

dir=$(mktemp -d /tmp/qelvar-gnome.XXXXXX)
cleanup() {
    "$here/gnome_session.sh" stop "$dir"
    if [ "${status:-1}" -ne 0 ]; then
        echo "--- session logs (kept in $dir/logs) ---"
        tail -n 20 "$dir"/logs/*.log || true
    else
        rm -rf "$dir"
    fi
}
trap cleanup EXIT

start_ms=$(date +%s%3N)
# gnome-shell now and then stalls at its start on a busy machine: once more.
if ! "$here/gnome_session.sh" start "$dir" "$size" "$scale" "$layout" yes; then
    "$here/gnome_session.sh" stop "$dir"
    mv "$dir/logs" "$dir/logs-first-start"
    "$here/gnome_session.sh" start "$dir" "$size" "$scale" "$layout" yes
fi
# shellcheck disable=SC1091
. "$dir/env"
unset DISPLAY
mkdir -p "$dir/logs/pictures"
export QELVAR_TEST_DUMP=$dir/logs/pictures

status=1
real_portal=(freezesTheScreenPixelForPixel captureWindowCoversTheOutput
             chartRightClickDragDoubleClickSavesTheSelection arrowKeyMovesTheSelection)

if [ "$platform" = native ]; then
    echo "== native Wayland, GNOME $size at scale $scale ($layout layout)"
    QT_QPA_PLATFORM=wayland nice "$program" "${real_portal[@]}" helpTextFollowsTheFirstPointerEvent

    echo "== the permission refused"
    dbus-send --session --print-reply --dest=org.freedesktop.impl.portal.PermissionStore \
        /org/freedesktop/impl/portal/PermissionStore \
        org.freedesktop.impl.portal.PermissionStore.SetPermission \
        string:screenshot boolean:true string:screenshot string: array:string:no >/dev/null
    QT_QPA_PLATFORM=wayland nice "$program" refusedPermissionShowsGnomesMessage
else
    echo "== XWayland, GNOME $size at scale $scale ($layout layout)"
    DISPLAY=$XWAYLAND_DISPLAY QT_QPA_PLATFORM=xcb nice "$program" "${real_portal[@]}" \
        helpTextShowsThePointerAtOpen
fi

status=0
echo "GNOME capture tests passed in $(($(date +%s%3N) - start_ms)) ms"
