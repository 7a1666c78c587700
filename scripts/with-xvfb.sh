#!/usr/bin/env bash
# Runs a command with DISPLAY set to a private Xvfb server (on a display
# number the server picks free) and stops the server afterwards; the exit
# status is the command's. Without Xvfb it says so and exits 77, which CTest
# counts as a skipped test. XVFB_SCREEN sets the screen (default
# 1280x1024x24).
#   scripts/with-xvfb.sh COMMAND [ARGUMENTS...]
set -euo pipefail
if ! command -v Xvfb >/dev/null 2>&1; then
  echo "Xvfb is not installed: the X display tests are skipped (scripts/deps.sh installs it)" >&2
  exit 77
fi
dir=$(mktemp -d)
pid=
cleanup() {
  if [ -n "$pid" ]; then
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  fi
  rm -rf "$dir"
}
trap cleanup EXIT
# The server writes its display number to fd 3 once it accepts clients; it
# does not reset (and refuse clients a moment) when the last one leaves.
Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1280x1024x24}" -nolisten tcp -noreset 3>"$dir/display" 2>"$dir/log" &
pid=$!
for _ in $(seq 1 200); do
  if grep -q '^[0-9]' "$dir/display" 2>/dev/null; then
    break
  fi
  if ! kill -0 "$pid" 2>/dev/null; then
    echo "Xvfb did not start:" >&2
    cat "$dir/log" >&2
    exit 1
  fi
  sleep 0.05
done
number=$(head -n 1 "$dir/display")
if [ -z "$number" ]; then
  echo "Xvfb gave no display number within 10 s" >&2
  exit 1
fi
set +e
DISPLAY=":$number" "$@"
status=$?
set -e
exit "$status"
