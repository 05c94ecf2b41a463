#!/usr/bin/env bash
# Sets up, builds and runs every test. Exits non-zero when any test fails.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")" && pwd)"
source "$ROOT/scripts/setup.sh"
ctest --test-dir "$BUILD" --output-on-failure -j"$(nproc)" ${CTEST_ARGS:-}
