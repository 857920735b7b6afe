#!/usr/bin/env bash
# Installs what is missing, builds, and starts the desktop program.
set -euo pipefail
cd "$(dirname "$0")"
# The compiler cache keys on paths relative to the clone, so that another
# clone of the same sources reuses its objects.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
scripts/setup.sh
cmake --preset dev >/dev/null
cmake --build --preset dev
if [ -x build/bin/qelvar ]; then
    exec build/bin/qelvar "$@"
else
    exec build/bin/qelvar-cli --help
fi
