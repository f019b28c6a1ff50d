#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the screenshots of the start-up window and the model chooser:
#   xvfb-run -a -s "-screen 0 1280x900x24" docs/screenshots/capture-startup.sh PROGRAM
# Needs twm (a small window manager, for the title bars) and ImageMagick.
set -euo pipefail
program=${1:?usage: capture-startup.sh PROGRAM}
out=$(cd "$(dirname "$0")" && pwd)
rc=$(mktemp)
printf 'RandomPlacement\nUsePPosition "on"\nNoGrabServer\n' >"$rc"
twm -f "$rc" 2>/dev/null &
wm=$!
sleep 0.5
"$program" &
app=$!
sleep 0.9
import -window root -trim +repage "$out/startup-window.png"
sleep 2.0
import -window root -trim +repage "$out/chooser.png"
kill "$app" "$wm"
rm -f "$rc"
