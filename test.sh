#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the full
# suite (GUI tests under a virtual X server), then the core tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
scripts/setup-tests.sh

preset=dev
[ "${CI:-}" = "true" ] && preset=ci

cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
xvfb-run -a -s "-screen 0 1920x1080x24" ctest --preset "$preset" -j2

cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan -j2
