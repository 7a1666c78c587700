#!/usr/bin/env bash
# Whole-process bench of sonvarek-host: `sonvarek-host --json` against
# `ffmpeg -af ebur128=peak=true -f null -` on two inputs written once into
# the build folder: a 10-minute 5.1 48 kHz 24-bit WAV and a long stereo
# 44.1 kHz 16-bit WAV (2 hours unless LONG_SECONDS says otherwise). The two
# programs run in turn, RUNS times each (default 5); prints the median wall
# time of each, their ratio and the peak memory (maximum resident set size),
# and keeps the host's last JSON report of each input beside it
# (NAME.json), for comparing results across builds. Installs ffmpeg (bench
# only) when missing.
#   scripts/bench-host.sh [build-dir] [runs]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
runs=${2:-5}
long_seconds=${LONG_SECONDS:-7200}

"$root/scripts/deps.sh" ffmpeg time
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target sonvarek-host host_bench_programme

folder="$build/bench/host"
surround="$folder/programme-5.1-48k-600s.wav"
stereo="$folder/programme-2.0-44k1-16bit-${long_seconds}s.wav"
[ -f "$surround" ] || "$build/bench/host/host_bench_programme" "$surround" 600
[ -f "$stereo" ] || "$build/bench/host/host_bench_programme" "$stereo" "$long_seconds" 2 44100 16

# The module's data folder: a temporary one, not the user's.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export XDG_DATA_HOME=$scratch HOME=$scratch

# median FILE: the median of the numbers in FILE, one a line.
median() {
  sort -g "$1" | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'
}

# timed NAME COMMAND...: one run; its wall time in seconds and resident set
# in KiB are added to NAME.s and NAME.kib, its output kept in NAME.out/.err.
timed() {
  local name=$1 seconds kib
  shift
  /usr/bin/time -f "%e %M" -o "$scratch/time" "$@" >"$scratch/$name.out" 2>"$scratch/$name.err"
  read -r seconds kib <"$scratch/time"
  echo "$seconds" >>"$scratch/$name.s"
  echo "$kib" >>"$scratch/$name.kib"
}

# bench LABEL INPUT CHANNEL-CONFIG: the host and ffmpeg in turn on INPUT.
bench() {
  local label=$1 input=$2 config=$3 name host_s ffmpeg_s
  name=$(basename "$input" .wav)
  rm -f "$scratch"/host.* "$scratch"/ffmpeg.*
  cat "$input" >/dev/null  # both read it from the page cache
  for _ in $(seq "$runs"); do
    timed host "$build/sonvarek-host" --json --set "Type=EBU" --set "EBU Channel Config=$config" "$input"
    timed ffmpeg ffmpeg -nostdin -hide_banner -i "$input" -af ebur128=peak=true -f null -
  done
  cp "$scratch/host.out" "$folder/$name.json"
  host_s=$(median "$scratch/host.s")
  ffmpeg_s=$(median "$scratch/ffmpeg.s")
  echo "input: $input ($label)"
  echo "  sonvarek-host: median ${host_s} s of $runs, peak memory $(($(sort -n "$scratch/host.kib" | tail -n 1) / 1024)) MiB"
  echo "    $(head -c 400 "$scratch/host.out")"
  echo "  ffmpeg ebur128: median ${ffmpeg_s} s of $runs, peak memory $(($(sort -n "$scratch/ffmpeg.kib" | tail -n 1) / 1024)) MiB"
  echo "    $(grep -E '^ +(I|LRA|Peak):' "$scratch/ffmpeg.err" | tr -s ' ' | tr '\n' ' ')"
  echo "  ffmpeg / sonvarek-host: $(awk "BEGIN{printf \"%.2f\", $ffmpeg_s / $host_s}")"
}

bench "10 min, 5.1, 48 kHz, 24-bit" "$surround" 5.1
bench "$((long_seconds / 60)) min, stereo, 44.1 kHz, 16-bit" "$stereo" 2.0
