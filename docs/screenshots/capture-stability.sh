#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the screenshots of the stability warning in the KOLV parameter window
# and of the main window after the unstable run (examples/hillslope-transect.txt
# with Betta 0.1):
#   cmake --build BUILD_DIR --target stability_screenshots
#   xvfb-run -a -s "-screen 0 1280x900x24" docs/screenshots/capture-stability.sh BUILD_DIR
# With twm (a small window manager) the windows get their title bars.
set -euo pipefail
build=${1:?usage: capture-stability.sh BUILD_DIR}
out=$(cd "$(dirname "$0")" && pwd)
wm=
if command -v twm >/dev/null; then
  rc=$(mktemp)
  printf 'RandomPlacement\nUsePPosition "on"\nNoGrabServer\n' >"$rc"
  twm -f "$rc" 2>/dev/null &
  wm=$!
  sleep 0.5
fi
QT_QPA_PLATFORM=xcb SODWRIGHT_SCREENSHOT_DIR="$out" "$build/docs/screenshots/stability_screenshots" \
  --gtest_also_run_disabled_tests --gtest_filter='StabilityScreenshots.*'
if [ -n "$wm" ]; then
  kill "$wm"
  rm -f "$rc"
fi
