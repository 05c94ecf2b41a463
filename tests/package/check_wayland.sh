#!/usr/bin/env bash
# Under a Wayland desktop the program must ask Qt for xcb (XWayland) unless a platform was
# chosen. Run with a Wayland display named and no X display, the program's choice shows in
# Qt's own words: xcb is tried and cannot connect, and Wayland, which Qt would try first in a
# Wayland session, is never asked for. A platform given by the user is kept.
#
#   check_wayland.sh PROGRAM
set -uo pipefail
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

(cd "$work" && env -u DISPLAY -u QT_QPA_PLATFORM WAYLAND_DISPLAY=bogus XDG_SESSION_TYPE=wayland \
    timeout -s KILL 20 "$program" >"$work/wayland.txt" 2>&1)
status=$?
cat "$work/wayland.txt"
[ "$status" -ne 0 ] && [ "$status" -ne 137 ] || fail "expected Qt to give up without an X display, status $status"
grep -q 'qt.qpa.xcb: could not connect to display' "$work/wayland.txt" || fail "xcb was not tried"
grep -Eq 'platform plugin "wayland|wl_display' "$work/wayland.txt" && fail "Wayland was asked for"

(cd "$work" && env -u DISPLAY WAYLAND_DISPLAY=bogus QT_QPA_PLATFORM=offscreen \
    timeout -s TERM 3 "$program" >"$work/offscreen.txt" 2>&1)
status=$?
[ "$status" -eq 124 ] || { cat "$work/offscreen.txt"; fail "with QT_QPA_PLATFORM=offscreen the program ended by itself with $status"; }

[ "$failures" -eq 0 ] || exit 1
echo "all checks passed"
