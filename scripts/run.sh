#!/usr/bin/env bash
# Builds the module and sonvarek-host, installing whatever this Debian 12
# machine is missing, and runs the host: without arguments on its built-in
# programme, otherwise on the arguments given (see --help).
#   scripts/run.sh [sonvarek-host arguments...]
# Environment: SONVAREK_BUILD (build folder, default build/).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${SONVAREK_BUILD:-$root/build}

"$root/scripts/deps.sh"
cmake -S "$root" -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target sonvarek-host >&2
exec "$build/sonvarek-host" "$@"
