#!/usr/bin/env bash
# Installs what the tests need beyond the build, once: a headless Wayland
# desktop for the capture tests (sway, the screenshot portal and its
# backends, PipeWire, grim, XWayland, Qt's wayland platform), a headless
# GNOME and a headless KDE Plasma for the same tests (gnome-shell and
# GNOME's portal, about 380 MB; kwin_wayland, KDE's portal and the Qt Quick
# modules of its screenshot component, which come with plasma-workspace,
# over 500 MB), a stub portal's Python modules, and the viewers that open saved SVG and PDF
# charts (rsvg-convert, pdftoppm).  ./test.sh runs it; ./run.sh does not, so that
# building and running the program never installs a compositor.
set -euo pipefail

packages=(
    sway xdg-desktop-portal xdg-desktop-portal-wlr xdg-desktop-portal-gtk
    grim pipewire dbus xwayland x11-xserver-utils qt6-wayland
    python3-dbus python3-gi
    gnome-shell mutter xdg-desktop-portal-gnome
    kwin-wayland xdg-desktop-portal-kde qtwayland5 plasma-workspace
    qml-module-org-kde-kirigami2 qml-module-qtquick-controls2
    poppler-utils librsvg2-bin
)

"$(dirname "$0")/install-missing.sh" "${packages[@]}"
