#!/usr/bin/env bash
# Live-editor bench: `sonvarek-host --editor` plays a 5.1 48 kHz 24-bit WAV
# in real time with the meter's editor open on a private Xvfb server, at
# "GUI Scale" 1.0 and 3.0 in alternating runs, each run with a server of
# its own. After a warm-up it takes, over a steady interval, the CPU time of
# the editor's thread (the program's main thread: the presenter's loop, the
# editor, its timer; the audio and read-ahead threads are not counted) and
# reports it as a share of one core, the median over the runs of each scale.
# Beside it, for the same interval: the whole process and the X server
# (which takes the pixels the presenter sends).
#   scripts/bench-editor.sh [build-dir] [runs] [seconds] [type]
# runs: per scale (default 3); seconds: the measured interval (default 20);
# type: the meter's "Type", RMS (its default) or EBU.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
warmup=4

# One run, under the Xvfb that scripts/with-xvfb.sh started; prints
# "editor% process% server%".
if [ "${1:-}" = "--one-run" ]; then
  host=$2 input=$3 scale=$4 seconds=$5 type=$6
  ticks=$(getconf CLK_TCK)
  # The thread's run time in ns: schedstat where the kernel keeps it, else
  # utime + stime in clock ticks.
  thread_ns() {
    local ns=0
    [ -r "/proc/$1/task/$2/schedstat" ] && read -r ns _ <"/proc/$1/task/$2/schedstat"
    if [ "$ns" -gt 0 ]; then echo "$ns"; else task_ns "/proc/$1/task/$2/stat"; fi
  }
  # utime + stime of a stat file (a process: all its threads) in ns.
  task_ns() {
    local fields
    fields=$(sed 's/^.*) //' "$1")
    awk -v t="$ticks" '{printf "%.0f", ($12 + $13) * 1e9 / t}' <<<"$fields"
  }
  now_ns() { date +%s%N; }
  # The server is the other child of scripts/with-xvfb.sh.
  server=
  for child in $(cat "/proc/$PPID/task/$PPID/children" 2>/dev/null); do
    [ "$(cat "/proc/$child/comm" 2>/dev/null)" = Xvfb ] && server=$child
  done
  [ -n "$server" ] || echo "the X server's process was not found: its share reads 0" >&2
  scratch=$(mktemp -d)
  trap 'rm -rf "$scratch"' EXIT
  # The module's data folder: a temporary one, not the user's.
  XDG_DATA_HOME=$scratch HOME=$scratch "$host" --editor --json --set "Type=$type" --set "GUI Scale=$scale" \
    "$input" >"$scratch/out" 2>"$scratch/err" &
  pid=$!
  # An interrupted run takes the program with it.
  trap 'kill "$pid" 2>/dev/null || true; rm -rf "$scratch"' EXIT
  sleep "$warmup"
  if ! kill -0 "$pid" 2>/dev/null; then
    echo "sonvarek-host --editor ended during the warm-up:" >&2
    cat "$scratch/err" >&2
    exit 1
  fi
  t0=$(now_ns) m0=$(thread_ns "$pid" "$pid") p0=$(task_ns "/proc/$pid/stat")
  s0=0; [ -n "$server" ] && s0=$(task_ns "/proc/$server/stat")
  sleep "$seconds"
  t1=$(now_ns) m1=$(thread_ns "$pid" "$pid") p1=$(task_ns "/proc/$pid/stat")
  s1=0; [ -n "$server" ] && s1=$(task_ns "/proc/$server/stat")
  kill -TERM "$pid"
  wait "$pid" || { echo "sonvarek-host --editor failed:" >&2; cat "$scratch/err" >&2; exit 1; }
  pid=
  awk -v w=$((t1 - t0)) -v m=$((m1 - m0)) -v p=$((p1 - p0)) -v s=$((s1 - s0)) \
    'BEGIN{printf "%.2f %.2f %.2f\n", 100 * m / w, 100 * p / w, 100 * s / w}'
  exit 0
fi

build=${1:-$root/build}
runs=${2:-3}
seconds=${3:-20}
type=${4:-RMS}

"$root/scripts/deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target sonvarek-host host_bench_programme

# Long enough that the play outlasts every run.
length=$((warmup + seconds + 20))
input="$build/bench/host/programme-5.1-48k-${length}s.wav"
[ -f "$input" ] || "$build/bench/host/host_bench_programme" "$input" "$length"

# A screen that holds the editor whole at scale 3 (1848 x 1056).
export XVFB_SCREEN=2560x1440x24
declare -A results
for run in $(seq "$runs"); do
  for scale in 1.0 3.0; do
    line=$("$root/scripts/with-xvfb.sh" "$0" --one-run "$build/sonvarek-host" "$input" "$scale" "$seconds" "$type")
    read -r editor process server <<<"$line"
    echo "run $run, GUI Scale $scale: editor thread $editor % (process $process %, X server $server %)" >&2
    results[$scale]+="$line"$'\n'
  done
done

# median COLUMN: of the lines on standard input.
median() {
  sort -g -k"$1","$1" | awk -v c="$1" '{v[NR] = $c} END{printf "%.2f", NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'
}
echo "editor live, Type $type, 5.1 48 kHz, ${seconds} s after ${warmup} s, median of $runs runs (% of one core):"
for scale in 1.0 3.0; do
  editor=$(median 1 <<<"${results[$scale]%$'\n'}")
  process=$(median 2 <<<"${results[$scale]%$'\n'}")
  server=$(median 3 <<<"${results[$scale]%$'\n'}")
  echo "  GUI Scale $scale: editor thread $editor %  (whole process $process %, X server $server %)"
done
