#!/usr/bin/env bash
# Sets up, builds and starts the program. Without a display it runs it on a virtual X server
# with a window manager, saves a screenshot of the screen to build/screenshot.png and ends it.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")" && pwd)"
source "$ROOT/scripts/setup.sh"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$BUILD/bin/Settings"
fi
exec "$ROOT/scripts/screenshot.sh" "$BUILD/bin/Settings" "$BUILD/screenshot.png"
