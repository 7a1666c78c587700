#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (address and undefined-behaviour
# sanitizers on) and runs each for a bounded time from the committed seeds.
#   scripts/fuzz.sh [build-dir] [seconds per target]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-fuzz}
seconds=${2:-60}

"$root/scripts/deps.sh" clang libclang-rt-14-dev
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DSONVAREK_FUZZ=ON -DSONVAREK_SANITIZE=address,undefined -DSONVAREK_WERROR=ON \
  -DSONVAREK_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --target fuzz_targets

for target in program_file state_chunk controls_chunk; do
  # New inputs go to the build folder; the committed seeds stay as they are.
  corpus="$build/corpus/$target"
  mkdir -p "$corpus"
  seeds=()
  [ -d "$root/tests/fuzz/corpus/$target" ] && seeds=("$root/tests/fuzz/corpus/$target")
  "$build/tests/fuzz/${target}_fuzz" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    "$corpus" "${seeds[@]}"
done
