#!/usr/bin/env bash
# Installs what the tests need beyond the build, once: a headless Wayland
# desktop for the capture tests (sway, the screenshot portal and its
# backends, PipeWire, grim, XWayland, Qt's wayland platform), a stub
# portal's Python modules, and the viewers that open saved SVG and PDF
# charts (rsvg-convert, pdftoppm).  ./test.sh runs it; ./run.sh does not, so that
# building and running the program never installs a compositor.
set -euo pipefail

packages=(
    sway xdg-desktop-portal xdg-desktop-portal-wlr xdg-desktop-portal-gtk
    grim pipewire dbus xwayland x11-xserver-utils qt6-wayland
    python3-dbus python3-gi
    poppler-utils librsvg2-bin
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing for the tests: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "error: need root or sudo to install ${missing[*]}" >&2; exit 1; }
    sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
