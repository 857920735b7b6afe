#!/usr/bin/env bash
# Installs what is missing, checks the formatting, builds everything and runs
# every test: the full suite (GUI tests under a virtual X server), then the
# core and command-line tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer.  Under CI (CI=true) warnings are errors in both
# builds and the benchmarks are built too.
set -euo pipefail
cd "$(dirname "$0")"
# The compiler cache keys on paths relative to the clone, so that another
# clone of the same sources reuses its objects.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
scripts/setup.sh
scripts/check-format.sh
scripts/setup-tests.sh

preset=dev
werror=()
if [ "${CI:-}" = "true" ]; then
    preset=ci
    werror=(-DQELVAR_WERROR=ON)
fi

cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
xvfb-run -a -s "-screen 0 1920x1080x24" ctest --preset "$preset" -j2

cmake --preset asan "${werror[@]}" >/dev/null
cmake --build --preset asan
ctest --preset asan -j2
