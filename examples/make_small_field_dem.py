#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes small-field-dem.tif: the made-up field of small-field-grid.txt as a
GeoTIFF elevation raster (a DEM) for NIBAL's raster route.

The data are synthetic, not a survey: the same 30 x 40 nodes at 5 m spacing
as make_small_field_grid.py (a field falling gently to the south and the east,
a knoll in the north-west, a hollow in the south-east), rounded to the
millimetre as in the text file, so that the raster and the text import give
the same grid. Cell centres sit on the text file's eastings and northings;
the coordinate system is WGS 84 / UTM zone 33N (EPSG:32633), chosen only so
that the file carries a projected system in metres.

Run:  python3 examples/make_small_field_dem.py   (needs python3-gdal)
"""
import struct

from osgeo import gdal, osr

from example_paths import output_path
from make_small_field_grid import COLUMNS, EAST0, NORTH0, ROWS, SPACING, elevation


def main():
    gdal.UseExceptions()
    path = output_path("small-field-dem.tif")
    dem = gdal.GetDriverByName("GTiff").Create(path, COLUMNS, ROWS, 1, gdal.GDT_Float64)
    # Raster line 1 is the northern row, column 1 the western column.
    dem.SetGeoTransform((EAST0 - SPACING / 2, SPACING, 0.0, NORTH0 + SPACING / 2, 0.0, -SPACING))
    crs = osr.SpatialReference()
    crs.ImportFromEPSG(32633)
    dem.SetProjection(crs.ExportToWkt())
    band = dem.GetRasterBand(1)
    band.SetDescription("Elevation (m), synthetic")
    for r in range(ROWS):
        values = [round(elevation(c * SPACING, r * SPACING), 3) for c in range(COLUMNS)]
        band.WriteRaster(0, r, COLUMNS, 1, struct.pack(f"<{COLUMNS}d", *values))
    dem.FlushCache()
    dem = None


if __name__ == "__main__":
    main()
