#!/usr/bin/env bash
# Installs the Debian packages the project needs, once.  Safe to run again:
# it asks apt only for packages that are missing.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config git ccache
    libgtest-dev libgmock-dev libbenchmark-dev zlib1g-dev
    qt6-base-dev qt6-base-dev-tools libgl-dev libxcb1-dev qt6-svg-dev qt6-translations-l10n
    qt6-l10n-tools
    fonts-arphic-uming fontconfig
    xvfb xauth xdotool
    libcli11-dev nlohmann-json3-dev libsqlite3-dev
    desktop-file-utils appstream dpkg-dev file
    tzdata libabsl-dev libacl1-dev liberfa-dev libgeonames-dev libgeonames-common
    lintian help2man man-db clang-format
)

"$(dirname "$0")/install-missing.sh" "${packages[@]}"
