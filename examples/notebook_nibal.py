# SPDX-License-Identifier: GPL-3.0-or-later
# A worked example of Sodwright from Python, in cells (# %%) that an editor
# with notebook cells runs one by one; run whole, it writes its figure:
#   python3 notebook_nibal.py [FIGURE.png]
# It needs python3-gdal, python3-matplotlib and the sodwright module.

# %% Read the example DEM with GDAL's Python bindings
import pathlib
import sys

import matplotlib

matplotlib.use("Agg")  # headless: the figure goes to a file
import matplotlib.pyplot as plt
import numpy as np
from osgeo import gdal

import sodwright

gdal.UseExceptions()
here = pathlib.Path(__file__).resolve().parent if "__file__" in globals() else pathlib.Path.cwd()
dataset = gdal.Open(str(here / "small-field-dem.tif"))
band = dataset.GetRasterBand(1)
dem = band.ReadAsArray()
_, cell_width, _, _, _, cell_height = dataset.GetGeoTransform()
print(f"DEM: {dem.shape[0]} rows x {dem.shape[1]} columns, {dem.dtype}, "
      f"cells {cell_width} m x {abs(cell_height)} m")

# %% Run NIBAL: the row spacing is the cell width, the column spacing its height
result = sodwright.nibal(dem, cell_width, abs(cell_height), nodata=band.GetNoDataValue())
loss = result.soil_loss_sum
print(f"soil loss: {np.nanmin(loss):.3f} to {np.nanmax(loss):.3f}, "
      f"mean {np.nanmean(loss):.4f} (positive: loss, negative: gain)")

# %% Plot the DEM and the map of soil loss
# Metres from the field's south-west corner; row 0 of the array is the north edge.
extent = (0, cell_width * dem.shape[1], 0, abs(cell_height) * dem.shape[0])
limit = float(np.nanmax(np.abs(loss)))
figure, (left, right) = plt.subplots(1, 2, figsize=(11, 4), constrained_layout=True)
shown = left.imshow(dem, extent=extent, cmap="terrain")
left.set_title("Elevation (m)")
figure.colorbar(shown, ax=left, shrink=0.85)
shown = right.imshow(loss, extent=extent, cmap="RdBu_r", vmin=-limit, vmax=limit)
right.set_title("NIBAL SoilLossSum (loss red, gain blue)")
figure.colorbar(shown, ax=right, shrink=0.85)
for axes in (left, right):
    axes.set_xlabel("East of the field's west edge (m)")
left.set_ylabel("North of the field's south edge (m)")

# %% Save the figure
target = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 and not sys.argv[1].startswith("-")
                      else "notebook_nibal.png")
figure.savefig(target, dpi=110)
print(f"figure: {target}")
