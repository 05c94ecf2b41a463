#!/usr/bin/env bash
# idle.sh [--seconds N] [PROGRAM]: starts PROGRAM (default build/bin/Settings) unchanged on its
# own Xvfb with openbox, waits until the instructions window has appeared, leaves it alone and
# then, over N seconds (default 10), measures the CPU time it uses (utime + stime of all its
# threads, from /proc/<pid>/stat) and the system calls it makes (strace -c -f -p over the same
# N seconds): every wake-up of a sleeping thread, a timer's included, returns from a call.
# An idle program should show no CPU time and no calls: no timer of its own runs.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
IDLE=10
PROGRAM="${BUILD_DIR:-$ROOT/build}/bin/Settings"
while (($#)); do
  case "$1" in
    --seconds) IDLE="$2"; shift 2 ;;
    -*) echo "usage: $0 [--seconds N] [PROGRAM]" >&2; exit 2 ;;
    *) PROGRAM="$1"; shift ;;
  esac
done
[ -x "$PROGRAM" ] || { echo "$PROGRAM is missing; build it first." >&2; exit 1; }
for tool in Xvfb openbox xdotool xdpyinfo strace; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (see scripts/setup.sh)." >&2; exit 1; }
done

work="$(mktemp -d)"
pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; wait 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number, so parallel runs cannot collide.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start." >&2; exit 1; }
export DISPLAY=":$(tr -d '[:space:]' <"$work/display")"
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 0.5
QT_QPA_PLATFORM=xcb VELWDM_BOARDS="${VELWDM_BOARDS:-}" "$PROGRAM" >/dev/null 2>&1 &
prog=$!
pids+=($prog)
shown=
for _ in $(seq 150); do
  xdotool search --name '^Instructions for Settings utility$' >/dev/null 2>&1 && { shown=1; break; }
  kill -0 "$prog" 2>/dev/null || { echo "The program ended early." >&2; exit 1; }
  sleep 0.1
done
[ -n "$shown" ] || { echo "The instructions window did not appear." >&2; exit 1; }
sleep 1 # the window manager's framing and the first paints of the new window settle

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$prog/stat"; }
# The same to the nanosecond: time on a CPU of each thread, from the scheduler's statistics.
cpu_ns() { cat /proc/"$prog"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { printf "%d", s }'; }
threads="$(ls /proc/"$prog"/task | wc -l)"
ticks0="$(cpu_ticks)"; ns0="$(cpu_ns)"
timeout -s INT "$IDLE" strace -c -f -p "$prog" -o "$work/strace" 2>"$work/strace.err" || true
ticks1="$(cpu_ticks)"; ns1="$(cpu_ns)"
kill -0 "$prog" 2>/dev/null || { echo "The program ended while idle." >&2; exit 1; }

hz="$(getconf CLK_TCK)"
# strace -c columns: % time, seconds, usecs/call, calls, [errors,] syscall; no calls, no table.
calls="$(awk '$NF == "total" { print $4 }' "$work/strace")"
echo "idle, $IDLE s after the instructions window appeared ($PROGRAM, $threads threads, Xvfb + openbox)"
printf "%-36s %10s\n" "CPU time (utime + stime) ms" "$(( (ticks1 - ticks0) * 1000 / hz ))"
printf "%-36s %10s\n" "CPU time (schedstat) ms" "$(awk -v a="$ns0" -v b="$ns1" 'BEGIN { printf "%.3f", (b - a) / 1e6 }')"
printf "%-36s %10s\n" "system calls (strace -c -f)" "${calls:-0}"
if [ "${calls:-0}" != 0 ]; then
  echo "system calls by name:"
  awk 'NR > 2 && $NF != "total" && $1 !~ /^-/ { print "  " $NF, $4 }' "$work/strace"
fi
