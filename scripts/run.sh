#!/usr/bin/env bash
# Builds Quorvane and starts it under Wine: on the user's desktop (DISPLAY), or on QV_DISPLAY, or on
# a virtual display of its own when there is neither.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" >/dev/null
source "$root/scripts/wine-env.sh"
qv_start_display --desktop
qv_init_prefix
trap qv_stop EXIT
if [ -n "$QV_XVFB_PID" ]; then
  echo "Quorvane runs on the virtual display $DISPLAY. To look at it:"
  echo "  import -window root -display $DISPLAY quorvane.png"
  echo "Press Ctrl+C to stop."
fi
"$QV_WINE" "$QV_WINE_BUILD/Quorvane.exe"
