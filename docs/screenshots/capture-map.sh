#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the screenshot of the NIBAL map window after a run on
# examples/small-field-grid.txt with the README's values:
#   xvfb-run -a -s "-screen 0 1280x900x24" docs/screenshots/capture-map.sh BUILD_DIR
# Needs twm (a small window manager, for the title bars); without it the
# window is taken without its frame. Build the tool first:
#   cmake --build BUILD_DIR --target grid_map_screenshots
set -euo pipefail
build=${1:?usage: capture-map.sh BUILD_DIR}
out=$(cd "$(dirname "$0")" && pwd)
rc=$(mktemp)
printf 'RandomPlacement\nUsePPosition "on"\nNoGrabServer\n' >"$rc"
wm=""
if command -v twm >/dev/null; then
  twm -f "$rc" 2>/dev/null &
  wm=$!
  sleep 0.5
fi
QT_QPA_PLATFORM=xcb SODWRIGHT_SCREENSHOT_DIR="$out" "$build/docs/screenshots/grid_map_screenshots"
[ -n "$wm" ] && kill "$wm"
rm -f "$rc"
