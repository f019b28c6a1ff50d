# SPDX-License-Identifier: GPL-3.0-or-later
"""sodwright.nibal against the batch runner's CSV (every digit of the
doubles) and rasters (float32), and its refusals."""
import csv
import json
import warnings

import numpy as np
import pytest
from osgeo import gdal

import sodwright

gdal.UseExceptions()

BANDS = ("soil_loss_sum", "soil_loss_row", "soil_loss_col")
CSV_COLUMNS = {"soil_loss_sum": -1, "soil_loss_row": -2, "soil_loss_col": -3}


def read_csv_bands(path, shape):
    """The CSV's three soil loss columns as grids, NaN at nodes it leaves out."""
    bands = {name: np.full(shape, np.nan) for name in BANDS}
    with open(path, newline="") as f:
        rows = csv.reader(f)
        next(rows)
        for record in rows:
            r, c = int(record[0]) - 1, int(record[1]) - 1
            for name, column in CSV_COLUMNS.items():
                bands[name][r, c] = float(record[column])
    return bands


def assert_same_bits(result, csv_path, raster_path=None):
    expected = read_csv_bands(csv_path, result.soil_loss_sum.shape)
    for name in BANDS:
        got = getattr(result, name)
        assert got.dtype == np.float64
        # NaN at the same nodes, the same 64 bits everywhere else (the CSV
        # writes a zero as 0, whatever its sign).
        valid = ~np.isnan(got)
        assert np.array_equal(valid, ~np.isnan(expected[name])), name
        assert np.array_equal((got[valid] + 0.0).view(np.uint64),
                              expected[name][valid].view(np.uint64)), name
    if raster_path is None:
        return
    raster = gdal.Open(str(raster_path))
    for b, name in enumerate(BANDS, start=1):
        band = raster.GetRasterBand(b)
        values = band.ReadAsArray()
        got = getattr(result, name).astype(np.float32)
        nodata = np.isnan(got)
        assert np.all(values[nodata] == np.float32(band.GetNoDataValue())), name
        assert np.array_equal(values[~nodata].view(np.uint32), got[~nodata].view(np.uint32)), name


def raster_run(batch, dem_path, tmp_path):
    csv_path, raster_path = tmp_path / "nodes.csv", tmp_path / "bands.tif"
    batch("nibal", "--raster", dem_path, "--csv", csv_path, "--write-raster", raster_path,
          "--date", "DATE")
    dataset = gdal.Open(str(dem_path))
    band = dataset.GetRasterBand(1)
    transform = dataset.GetGeoTransform()
    return band.ReadAsArray(), abs(transform[1]), abs(transform[5]), band.GetNoDataValue(), \
        csv_path, raster_path


def test_example_dem_matches_the_batch(batch, source_dir, tmp_path):
    dem, row_spacing, column_spacing, _, csv_path, raster_path = raster_run(
        batch, source_dir / "examples/small-field-dem.tif", tmp_path)
    assert_same_bits(sodwright.nibal(dem, row_spacing, column_spacing), csv_path, raster_path)


def test_random_dem_with_nodata_matches_the_batch(batch, tmp_path):
    # Tall enough for two workers and several strips each, with holes and
    # a no-data edge, in float32 as most DEMs come.
    rng = np.random.default_rng(20261210)
    dem = (100 + np.cumsum(rng.normal(0, 0.3, (600, 150)), axis=0)).astype(np.float32)
    dem[rng.random(dem.shape) < 0.03] = -9999
    dem[:, 0] = -9999
    path = tmp_path / "random.tif"
    out = gdal.GetDriverByName("GTiff").Create(str(path), 150, 600, 1, gdal.GDT_Float32)
    out.SetGeoTransform((500000, 2.5, 0, 4800000, 0, -4))
    out.GetRasterBand(1).SetNoDataValue(-9999)
    out.GetRasterBand(1).WriteArray(dem)
    out = None
    _, row_spacing, column_spacing, nodata, csv_path, raster_path = raster_run(batch, path, tmp_path)
    assert (row_spacing, column_spacing) == (2.5, 4)
    result = sodwright.nibal(dem, row_spacing, column_spacing, nodata=nodata, threads=2)
    assert_same_bits(result, csv_path, raster_path)
    # The same bits from one worker, and from the float64 copy of the grid.
    for other in (sodwright.nibal(dem, 2.5, 4, nodata=nodata, threads=1),
                  sodwright.nibal(dem.astype(np.float64), 2.5, 4, nodata=nodata)):
        for name in BANDS:
            assert np.array_equal(getattr(other, name), getattr(result, name), equal_nan=True)


@pytest.mark.parametrize("case", ["nibal-a-5x6-space", "nibal-b-20x12-tab-missing-betta-row",
                                  "nibal-bump-4x4"])
def test_reference_grid_matches_the_batch_with_its_notes(batch, source_dir, tmp_path, case):
    case_dir = source_dir / "tests/data/reference" / case
    params = json.loads((case_dir / "params.json").read_text())
    boxes = params["boxes"]
    words = {" ": "space", "\t": "tab", ",": "comma", ";": "semicolon"}
    csv_path = tmp_path / "nodes.csv"
    batch("nibal", case_dir / "grid.txt", "--delimiter", words[params["delimiter"]],
          *[f"--{key.replace('_', '-')}={value}" for key, value in boxes.items()],
          "--csv", csv_path)
    rows, columns = int(boxes["rows"]), int(boxes["columns"])
    lines = [line.split(params["delimiter"]) for line in
             (case_dir / "grid.txt").read_text().splitlines() if line.strip()]
    dem = np.array([float([f for f in line if f.strip()][2]) for line in lines[-rows * columns:]])
    # An empty box reads as 0, a missing coefficient.
    k = {key: float(boxes[key] or 0) for key in ("betta_row", "gamma_row", "betta_col", "gamma_col")}
    with warnings.catch_warnings(record=True) as caught:
        warnings.simplefilter("always")
        result = sodwright.nibal(dem.reshape(rows, columns), float(boxes["row_spacing"]),
                                 float(boxes["column_spacing"]), **k)
    assert_same_bits(result, csv_path)
    notes = json.loads((case_dir / "expected_messages.json").read_text())
    assert [str(w.message) for w in caught] == [n["text"] for n in notes]
    assert all(w.category is sodwright.MissingParameterWarning for w in caught)


def test_window_of_a_larger_array_is_read_in_place():
    rng = np.random.default_rng(7)
    big = rng.normal(50, 2, (40, 50))
    window = big[5:25, 10:30]
    assert not window.flags.c_contiguous
    expected = sodwright.nibal(np.ascontiguousarray(window), 2, 3)
    got = sodwright.nibal(window, 2, 3)
    for name in BANDS:
        assert np.array_equal(getattr(got, name), getattr(expected, name))
    # Columns that are not neighbours in memory are copied, with the same result.
    assert np.array_equal(sodwright.nibal(np.asfortranarray(window), 2, 3).soil_loss_sum,
                          expected.soil_loss_sum)


def test_missing_parameter_note_refuses_when_warnings_are_errors():
    with warnings.catch_warnings():
        warnings.simplefilter("error", sodwright.SodwrightWarning)
        with pytest.raises(sodwright.MissingParameterWarning,
                           match="^Betta on Row direction is missing!$"):
            sodwright.nibal(np.zeros((4, 4)), 1, 1, betta_row=0)


GOOD = np.arange(36, dtype=np.float64).reshape(6, 6)


@pytest.mark.parametrize("call, error, text", [
    (lambda: sodwright.nibal(GOOD.astype(np.int32), 1, 1), ValueError, "^dem: .*int32"),
    (lambda: sodwright.nibal(GOOD.astype(np.complex128), 1, 1), ValueError, "^dem: .*complex128"),
    (lambda: sodwright.nibal(GOOD.astype(object), 1, 1), ValueError, "^dem: .*object"),
    (lambda: sodwright.nibal(GOOD.reshape(2, 3, 6), 1, 1), ValueError, "^dem: .*3 dimensions"),
    (lambda: sodwright.nibal(GOOD[:3], 1, 1), ValueError, "^dem has 3 rows x 6 columns"),
    (lambda: sodwright.nibal(np.where(GOOD == 8, np.inf, GOOD), 1, 1), ValueError,
     "^dem: the cell at row 2, column 3 holds an infinite value"),
    (lambda: sodwright.nibal(np.where(GOOD == 35, np.nan, GOOD), 1, 1), ValueError,
     "^dem: the cell at row 6, column 6 holds NaN"),
    (lambda: sodwright.nibal(np.full((6, 6), -1.0), 1, 1, nodata=-1), ValueError,
     "^dem: every cell is no-data"),
    (lambda: sodwright.nibal(GOOD, 0, 1), ValueError,
     r"^row_spacing 0: Grid information wrong, please input them again \(accepted: a spacing above 0 m\)$"),
    (lambda: sodwright.nibal(GOOD, 1, -2), ValueError, "^column_spacing -2: "),
    (lambda: sodwright.nibal(GOOD, 1, float("inf")), ValueError, "^column_spacing inf: "),
    (lambda: sodwright.nibal(GOOD, 1, 1, gamma_col=float("nan")), ValueError, "^gamma_col: "),
    (lambda: sodwright.nibal(GOOD, 1, 1, threads=0), ValueError, "^threads: "),
    (lambda: sodwright.nibal(GOOD, 1, 1, betta_row=0, gamma_row=0, betta_col=0, gamma_col=0),
     ValueError, r"^Kiding\?: You miss all parameters\?\?\? Please try again\.$"),
    (lambda: sodwright.nibal(GOOD, 1, 1, beta_row=3), TypeError, "'beta_row'"),
    (lambda: sodwright.nibal(GOOD * 1e300, 1, 1e-10), ValueError,
     "^Out put data failed.*\nThe result DGradCol at row 1, column 1 is not a finite number"),
])
def test_bad_input_is_refused_naming_the_argument(call, error, text):
    with warnings.catch_warnings():
        warnings.simplefilter("ignore", sodwright.SodwrightWarning)
        with pytest.raises(error, match=text):
            call()
