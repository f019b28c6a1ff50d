#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build under a temporary prefix and runs an installed example
# script from a folder of its own, as a user of the package would: it must
# find the installed examples, write its file into that folder and, from its
# fixed seed, write the shipped file.
# Usage: installed_example_test.sh BUILD_DIR WORK_DIR
set -euo pipefail
build=$(realpath "$1") work=$(realpath -m "$2")
rm -rf "$work"
mkdir -p "$work/run"
cmake --install "$build" --prefix "$work/root" >/dev/null
docs=$work/root/share/doc/sodwright/examples
examples=$work/root/share/sodwright/examples
cd "$work/run"
/usr/bin/python3 "$docs/make_hillslope_measured.py" "$work/root/bin/sodwright-batch"
cmp hillslope-measured-after-10.txt "$examples/hillslope-measured-after-10.txt"
[[ ! -e $docs/hillslope-measured-after-10.txt ]] || { echo "the script wrote into its own folder"; exit 1; }
echo "the installed script wrote the shipped file into the folder it ran from"
