#!/usr/bin/env bash
# The capture tests on a headless KDE Plasma desktop (kwin_wayland and
# KDE's screenshot portal) at scale 1, run by ctest:
#
#   run_kde_tests.sh TEST_PROGRAM native|xwayland
#
# The program on Qt's native wayland platform or through XWayland; the
# session's home has no ~/Pictures, which the program makes.  Exits 77
# (skipped) when the machine lacks what the desktop needs.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$1 platform=$2

skip() {
    echo "SKIP: $* (scripts/setup-tests.sh installs it)"
    exit 77
}
for tool in kwin_wayland dbus-daemon dbus-send; do
    command -v "$tool" >/dev/null || skip "$tool is missing"
done
[ -x /usr/libexec/xdg-desktop-portal ] || skip "xdg-desktop-portal is missing"
[ -x /usr/lib/x86_64-linux-gnu/libexec/xdg-desktop-portal-kde ] ||
    compgen -G "/usr/lib/*/libexec/xdg-desktop-portal-kde" >/dev/null ||
    skip "xdg-desktop-portal-kde is missing"
compgen -G "/usr/lib/*/qt5/qml/org/kde/plasma/workspace/dialogs/qmldir" >/dev/null ||
    skip "the Qt Quick modules of KDE's screenshot component (plasma-workspace) are missing"
compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so" >/dev/null ||
    skip "Qt's wayland platform (qt6-wayland) is missing"

dir=$(mktemp -d /tmp/qelvar-kde.XXXXXX)
cleanup() {
    "$here/kde_session.sh" stop "$dir"
    if [ "${status:-1}" -ne 0 ]; then
        echo "--- session logs (kept in $dir/logs) ---"
        tail -n 20 "$dir"/logs/*.log || true
    else
        rm -rf "$dir"
    fi
}
trap cleanup EXIT

start_ms=$(date +%s%3N)
"$here/kde_session.sh" start "$dir" 1280x720
# shellcheck disable=SC1091
. "$dir/env"
unset DISPLAY
mkdir -p "$dir/logs/pictures"
export QELVAR_TEST_DUMP=$dir/logs/pictures

status=1
real_portal=(freezesTheScreenPixelForPixel captureWindowCoversTheOutput
             chartRightClickDragDoubleClickSavesTheSelection arrowKeyMovesTheSelection)
if [ "$platform" = native ]; then
    echo "== native Wayland, KDE Plasma"
    QT_QPA_PLATFORM=wayland nice "$program" "${real_portal[@]}" helpTextFollowsTheFirstPointerEvent
else
    echo "== XWayland, KDE Plasma"
    DISPLAY=$XWAYLAND_DISPLAY QT_QPA_PLATFORM=xcb nice "$program" "${real_portal[@]}"
fi
status=0
echo "KDE capture tests passed in $(($(date +%s%3N) - start_ms)) ms"
