#!/usr/bin/env bash
# startup.sh [--runs N] [--bin DIR]: runs the start-up harness (the program's own start-up)
# and the plain Qt baseline alternately, N times each (default 20), on the offscreen platform,
# and prints in one table the medians of the wall time from process start to first paint, of
# the CPU time to first paint and of the peak memory (maximum resident set size from
# /usr/bin/time -v over the whole run, and from getrusage at the first paint), with the ratios
# program / baseline. A third column, the baseline with a menu bar of three titles, shows how
# much of the difference any window with text pays. DIR holds bench_startup and
# bench_baseline (default: build/bench of this tree, or $BUILD_DIR/bench).
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
RUNS=20
BIN="${BUILD_DIR:-$ROOT/build}/bench"
while (($#)); do
  case "$1" in
    --runs) RUNS="$2"; shift 2 ;;
    --bin) BIN="$2"; shift 2 ;;
    *) echo "usage: $0 [--runs N] [--bin DIR]" >&2; exit 2 ;;
  esac
done
for program in bench_startup bench_baseline; do
  [ -x "$BIN/$program" ] || { echo "$BIN/$program is missing; build the benchmarks first." >&2; exit 1; }
done
[ -x /usr/bin/time ] || { echo "/usr/bin/time is missing (Debian package time)." >&2; exit 1; }

export QT_QPA_PLATFORM=offscreen QT_FONT_DPI=96 VELWDM_BOARDS="${VELWDM_BOARDS:-}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# One run of a kind: appends "wall_ms cpu_ms rss_at_paint_kb peak_rss_kb" to $work/<kind>.
run() {
  local kind="$1"; shift
  local out="$work/out" rusage="$work/rusage"
  BENCH_T0=$EPOCHREALTIME /usr/bin/time -v -o "$rusage" "$@" >"$out" 2>"$work/err" || {
    echo "$kind failed:" >&2; cat "$work/err" "$out" >&2; exit 1; }
  awk -v peak="$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$rusage")" '
    { v[$1] = $2 }
    END {
      if (v["first_paint_ms"] == "" || peak == "") exit 1
      print v["first_paint_ms"], v["first_paint_cpu_ms"], v["first_paint_max_rss_kb"], peak
    }' "$out" >>"$work/$kind" || { echo "$kind printed no figures." >&2; cat "$out" >&2; exit 1; }
  [ "$kind" != program ] || awk '$1 == "instructions_ms" { print $2 }' "$out" >>"$work/instructions"
}

for ((i = 0; i < RUNS; ++i)); do
  run program "$BIN/bench_startup"
  run baseline "$BIN/bench_baseline"
  run menu "$BIN/bench_baseline" --menu
done

median() { # median of column $1 of file $2
  awk -v c="$1" '{ print $c }' "$2" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
row() { # label, column, format
  local p b m
  p="$(median "$2" "$work/program")"; b="$(median "$2" "$work/baseline")"; m="$(median "$2" "$work/menu")"
  awk -v l="$1" -v f="$3" -v p="$p" -v b="$b" -v m="$m" 'BEGIN {
    printf "%-34s " f " " f " %8.2f " f " %8.2f\n", l, p, b, p / b, m, p / m }'
}
echo "start-up, medians of $RUNS runs each, run alternately, QT_QPA_PLATFORM=offscreen, $(date -u "+%Y-%m-%d %H:%M UTC"), load average $(cut -d" " -f1-3 /proc/loadavg)"
printf "%-34s %10s %10s %8s %10s %8s\n" "" program baseline ratio "+menu" ratio
row "wall time to first paint ms" 1 "%10.1f"
row "CPU time to first paint ms" 2 "%10.1f"
row "peak memory at first paint KiB" 3 "%10.0f"
row "peak memory, whole run KiB" 4 "%10.0f"
echo "program: instructions window shown after $(median 1 "$work/instructions") ms (median)"
