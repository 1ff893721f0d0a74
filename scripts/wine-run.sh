#!/usr/bin/env bash
# Runs one Windows program under Wine with the settings the tests rely on. ctest puts it in front
# of every Windows executable. Without a display it brings its own Xvfb for the one run.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/wine-env.sh"
wine_prefix_ready
own_xvfb=""
if [ -z "${DISPLAY:-}" ]; then
  start_xvfb_if_needed
  own_xvfb="$XVFB_PID"
fi
status=0
"$WINE" "$@" || status=$?
if [ -n "$own_xvfb" ]; then
  timeout 30 "$WINESERVER" -k >/dev/null 2>&1 || true
  kill "$own_xvfb" 2>/dev/null || true
fi
exit "$status"
