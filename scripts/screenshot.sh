#!/usr/bin/env bash
# screenshot.sh PROGRAM OUTPUT.png: starts PROGRAM on its own Xvfb with openbox, waits until
# its main window and the instructions window are up, saves a screenshot and ends everything.
set -euo pipefail
PROGRAM="$1"
OUT="$2"
for n in $(seq 90 140); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { DISPLAYNUM=$n; break; }
done
export DISPLAY=":$DISPLAYNUM"
pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; wait 2>/dev/null || true; }
trap cleanup EXIT

Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 0.5
QT_QPA_PLATFORM=xcb "$PROGRAM" &
prog=$!
pids+=($prog)
for _ in $(seq 150); do
  xdotool search --name '^Instructions for Settings utility$' >/dev/null 2>&1 && break
  kill -0 "$prog" 2>/dev/null || { echo "The program ended early." >&2; exit 1; }
  sleep 0.1
done
sleep 0.5
import -window root "$OUT"
echo "Screenshot saved to $OUT"
