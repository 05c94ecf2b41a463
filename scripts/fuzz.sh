#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for the given time.
#   scripts/fuzz.sh [SECONDS-EACH] [TARGET...]     (default 60 s; all four targets)
# New inputs gather in build-fuzz/fuzz/work/<target>/; the committed corpus tests/fuzz/corpus/
# is read, never written. A crash, hang or sanitizer report leaves its input in
# build-fuzz/fuzz/artifacts/<target>/ and makes the script exit non-zero once every target has
# run: mend the fault, then copy the input into the target's corpus as a regression case.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${FUZZ_BUILD_DIR:-$ROOT/build-fuzz}"
SECONDS_EACH="${1:-60}"
shift || true
TARGETS=("$@")
((${#TARGETS[@]})) || TARGETS=(fuzz_description fuzz_picture fuzz_rtf fuzz_boards)

CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSETTINGS_FUZZ=ON -DSETTINGS_BUILD_BENCH=OFF >/dev/null
cmake --build "$BUILD" -j"${JOBS:-2}" --target "${TARGETS[@]}"

export QT_QPA_PLATFORM=offscreen
failed=()
for target in "${TARGETS[@]}"; do
  work="$BUILD/fuzz/work/$target"
  artifacts="$BUILD/fuzz/artifacts/$target"
  mkdir -p "$work" "$artifacts"
  # The product's own description is the richest seed; take it as it is today.
  [ "$target" = fuzz_description ] && cp "$ROOT/app/resources/MainForm.desc" "$work/MainForm.desc"
  dict=()
  [ -f "$ROOT/tests/fuzz/dict/$target.dict" ] && dict=(-dict="$ROOT/tests/fuzz/dict/$target.dict")
  echo "== $target: $SECONDS_EACH s"
  # A single input that takes longer than -timeout counts as a hang.
  if ! "$BUILD/fuzz/$target" -max_total_time="$SECONDS_EACH" -timeout="${FUZZ_TIMEOUT:-10}" \
      -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts/" "${dict[@]}" \
      "$work" "$ROOT/tests/fuzz/corpus/$target" 2>"$BUILD/fuzz/$target.log"; then
    failed+=("$target")
    tail -n 60 "$BUILD/fuzz/$target.log"
  else
    grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|stat::peak_rss_mb)' "$BUILD/fuzz/$target.log" || true
  fi
done

if ((${#failed[@]})); then
  echo "fuzzing found faults in: ${failed[*]} (inputs in $BUILD/fuzz/artifacts/)" >&2
  exit 1
fi
echo "fuzzing found nothing in ${TARGETS[*]}"
