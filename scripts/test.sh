#!/usr/bin/env bash
# Builds everything and runs every test.
#   scripts/test.sh [build-dir] [extra cmake arguments...]
# Environment: CTEST_ARGS (extra ctest arguments, e.g. "-LE long").
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
[ $# -gt 0 ] && shift

"$root/scripts/deps.sh"
cmake -S "$root" -B "$build" -G Ninja "$@"
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" ${CTEST_ARGS:-}
