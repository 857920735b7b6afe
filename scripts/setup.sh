#!/usr/bin/env bash
# Installs the Debian packages the project needs, once.  Safe to run again:
# it asks apt only for packages that are missing.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config git ccache
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev qt6-base-dev-tools libgl-dev libxcb1-dev qt6-svg-dev qt6-translations-l10n
    fonts-arphic-uming fontconfig
    xvfb xauth xdotool
    libcli11-dev nlohmann-json3-dev
    desktop-file-utils appstream dpkg-dev file
    tzdata libhowardhinnant-date-dev liberfa-dev libgeonames-dev libgeonames-common
    lintian help2man man-db clang-format
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "error: need root or sudo to install ${missing[*]}" >&2; exit 1; }
    sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
