#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# NIBAL over a large DEM, tile by tile, with GNU parallel; then one mosaic.
#
# Usage: run-parallel.sh DEM OUTDIR [TILE_SIZE [NIBAL OPTIONS ...]]
#   DEM          the elevation raster (any GDAL raster in projected metres)
#   OUTDIR       gets tiles/tile-I.tif, soil-loss.vrt (the mosaic) and, with
#                COG=1, soil-loss-cog.tif
#   TILE_SIZE    cells per tile side (default 2048, at least 5)
#   NIBAL OPTIONS  passed to every tile: --betta-row 0.8 --gamma-row 0.3 ...
# Environment:
#   JOBS         tiles run at once on each machine (default: one per core)
#   SSHLOGIN     spread the tiles over machines, in GNU parallel's form, for
#                example "8/node1,8/node2,:" (":" is this machine). Every
#                machine must have sodwright-batch and see DEM and OUTDIR at
#                the same paths (a shared file system).
#   COG=1        also write a Cloud-Optimized GeoTIFF of the mosaic
#   SODWRIGHT_BATCH  the program to run (default: sodwright-batch)
set -euo pipefail
if (($# < 2)); then
  sed -n '4,22p' "$0" >&2
  exit 2
fi
dem=$(realpath "$1")
out=$(realpath -m "$2")
size=${3:-2048}
shift $(($# < 3 ? $# : 3))
batch=${SODWRIGHT_BATCH:-sodwright-batch}

mkdir -p "$out/tiles"
# One line per tile: its index, then its window (XOFF YOFF XSIZE YSIZE).
"$batch" nibal-tiles "$dem" --tile-size "$size" >"$out/tiles.txt"
login=()
[[ -n ${SSHLOGIN:-} ]] && login=(--sshlogin "$SSHLOGIN")
# A failed tile stops the run: a mosaic with a hole must not look complete.
cut -d' ' -f1 "$out/tiles.txt" |
  parallel "${login[@]}" -j "${JOBS:-100%}" --halt now,fail=1 \
    "$batch" nibal --raster "$dem" --tile '{}' --tile-size "$size" --quiet \
    --write-raster "$out/tiles/tile-{}.tif" "$@"
"$(dirname "$(realpath "$0")")/build-mosaic.sh" "$out"
echo "$(wc -l <"$out/tiles.txt") tiles; mosaic: $out/soil-loss.vrt"
