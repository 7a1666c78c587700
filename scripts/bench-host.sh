#!/usr/bin/env bash
# Whole-process bench of sonvarek-host: `sonvarek-host --json` on a 10-minute
# 5.1 48 kHz 24-bit WAV (written once into the build folder), against
# `ffmpeg -af ebur128=peak=true -f null -` on the same file. Prints the best
# wall time of each over a few runs, their ratio and the host's peak memory
# (maximum resident set size). Installs ffmpeg (bench only) when missing.
#   scripts/bench-host.sh [build-dir] [runs]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
runs=${2:-3}

"$root/scripts/deps.sh" ffmpeg time
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target sonvarek-host host_bench_programme

input="$build/bench/host/programme-5.1-48k-600s.wav"
[ -f "$input" ] || "$build/bench/host/host_bench_programme" "$input" 600
cat "$input" >/dev/null  # both read it from the page cache

# The module's data folder: a temporary one, not the user's.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export XDG_DATA_HOME=$scratch HOME=$scratch

host=("$build/sonvarek-host" --json --set "Type=EBU" --set "EBU Channel Config=5.1" "$input")
ffmpeg=(ffmpeg -nostdin -hide_banner -i "$input" -af ebur128=peak=true -f null -)

# best_of NAME COMMAND...: the least wall time in seconds and the largest
# resident set in KiB over the runs, as "seconds kib".
best_of() {
  local name=$1 best="" peak=0 seconds kib
  shift
  for _ in $(seq "$runs"); do
    /usr/bin/time -f "%e %M" -o "$scratch/time" "$@" >"$scratch/$name.out" 2>"$scratch/$name.err"
    read -r seconds kib <"$scratch/time"
    if [ -z "$best" ] || awk "BEGIN{exit !($seconds < $best)}"; then best=$seconds; fi
    [ "$kib" -gt "$peak" ] && peak=$kib
  done
  echo "$best $peak"
}

read -r host_s host_kib < <(best_of host "${host[@]}")
read -r ffmpeg_s ffmpeg_kib < <(best_of ffmpeg "${ffmpeg[@]}")

echo "input: $input (10 min, 5.1, 48 kHz, 24-bit)"
echo "sonvarek-host: ${host_s} s, peak memory $((host_kib / 1024)) MiB (goal: under 64 MiB)"
echo "  $(head -c 400 "$scratch/host.out")"
echo "ffmpeg ebur128: ${ffmpeg_s} s, peak memory $((ffmpeg_kib / 1024)) MiB"
echo "  $(grep -E '^ +(I|LRA|Peak):' "$scratch/ffmpeg.err" | tr -s ' ' | tr '\n' ' ')"
echo "ffmpeg / sonvarek-host: $(awk "BEGIN{printf \"%.2f\", $ffmpeg_s / $host_s}") (goal: at least 2)"
