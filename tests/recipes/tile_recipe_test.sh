#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a shipped tile recipe on a small DEM and compares its mosaic with the
# whole-DEM run, value for value (both written out as raw Float32 bands).
# Usage: tile_recipe_test.sh parallel|slurm BATCH SOURCE_DIR WORK_DIR
# Exit 77 (skipped) when the recipe's scheduler is not there to run it.
set -euo pipefail
recipe=$1 batch=$(realpath "$2") source=$(realpath "$3") work=$(realpath -m "$4")
rm -rf "$work"
mkdir -p "$work"
dem=$source/examples/small-field-dem.tif
options=(--betta-row 0.8 --gamma-row 0.3)
export SODWRIGHT_BATCH=$batch

case $recipe in
  parallel)
    command -v parallel >/dev/null || { echo "GNU parallel is not installed"; exit 77; }
    JOBS=2 "$source/examples/tiles/run-parallel.sh" "$dem" "$work/out" 8 "${options[@]}"
    ;;
  slurm)
    [[ $(id -u) == 0 && -x /usr/sbin/slurmctld && -x /usr/sbin/munged ]] ||
      { echo "needs root, slurm-wlm and munge"; exit 77; }
    conf=$("$source/tests/recipes/local_slurm.sh" start "$work/cluster") ||
      { echo "the local Slurm cluster did not start"; exit 77; }
    trap '"$source/tests/recipes/local_slurm.sh" stop "$work/cluster"' EXIT
    export SLURM_CONF=$conf
    WAIT=1 "$source/examples/tiles/run-slurm.sh" "$dem" "$work/out" 8 "${options[@]}"
    ;;
  *) echo "unknown recipe $recipe" >&2; exit 2 ;;
esac

"$batch" nibal --raster "$dem" --quiet --write-raster "$work/whole.tif" "${options[@]}"
gdal_translate -q -of ENVI -co INTERLEAVE=BSQ "$work/whole.tif" "$work/whole.bin"
gdal_translate -q -of ENVI -co INTERLEAVE=BSQ "$work/out/soil-loss.vrt" "$work/mosaic.bin"
tiles=$(wc -l <"$work/out/tiles.txt")
((tiles > 1)) || { echo "expected several tiles, got $tiles"; exit 1; }
cmp "$work/whole.bin" "$work/mosaic.bin"
# The mosaic's bands are named as the whole run's are.
names() { gdalinfo "$1" | grep '^  Description = ' || true; }
whole_names=$(names "$work/whole.tif") mosaic_names=$(names "$work/out/soil-loss.vrt")
[[ -n $whole_names && $mosaic_names == "$whole_names" ]] ||
  { printf 'band names of the mosaic:\n%s\nof the whole run:\n%s\n' "$mosaic_names" "$whole_names"; exit 1; }
echo "mosaic of $tiles tiles equals the whole run"
