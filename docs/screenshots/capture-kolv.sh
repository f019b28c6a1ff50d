#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the screenshots of the KOLV parameter window and of the KOLV main
# window after a run on examples/hillslope-transect.txt:
#   cmake --build BUILD_DIR --target kolv_screenshots
#   xvfb-run -a -s "-screen 0 1280x900x24" docs/screenshots/capture-kolv.sh BUILD_DIR
# Needs twm (a small window manager, for the title bars).
set -euo pipefail
build=${1:?usage: capture-kolv.sh BUILD_DIR}
out=$(cd "$(dirname "$0")" && pwd)
rc=$(mktemp)
printf 'RandomPlacement\nUsePPosition "on"\nNoGrabServer\n' >"$rc"
twm -f "$rc" 2>/dev/null &
wm=$!
sleep 0.5
QT_QPA_PLATFORM=xcb SODWRIGHT_SCREENSHOT_DIR="$out" "$build/docs/screenshots/kolv_screenshots"
kill "$wm"
rm -f "$rc"
