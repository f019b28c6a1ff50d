#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The mosaic of a tiled run: OUTDIR/soil-loss.vrt over OUTDIR/tiles/tile-*.tif,
# its bands named as the tiles' bands are (gdalbuildvrt leaves the names
# out), and with COG=1 also OUTDIR/soil-loss-cog.tif.
# Usage: build-mosaic.sh OUTDIR   (run-parallel.sh and run-slurm.sh call it)
set -euo pipefail
out=$1
tiles=("$out"/tiles/tile-*.tif)
gdalbuildvrt -q "$out/soil-loss.vrt" "${tiles[@]}"
# GDAL's Python bindings come with gdal-bin (its own scripts use them).
/usr/bin/python3 - "$out/soil-loss.vrt" "${tiles[0]}" <<'PY'
import sys
from osgeo import gdal
gdal.UseExceptions()
mosaic, tile = gdal.Open(sys.argv[1], gdal.GA_Update), gdal.Open(sys.argv[2])
for i in range(1, mosaic.RasterCount + 1):
    mosaic.GetRasterBand(i).SetDescription(tile.GetRasterBand(i).GetDescription())
mosaic = None
PY
if [[ ${COG:-0} == 1 ]]; then
  gdal_translate -q -of COG -co COMPRESS=DEFLATE -co PREDICTOR=YES \
    "$out/soil-loss.vrt" "$out/soil-loss-cog.tif"
fi
