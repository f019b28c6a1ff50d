# SPDX-License-Identifier: GPL-3.0-or-later
"""Sodwright's tillage-erosion models on numpy arrays.

The module calls the program's shared core, the same code the batch runner
(sodwright-batch) runs, so its results carry the batch's bits. Runs release
the interpreter's lock; refusals are exceptions with the batch's message
text, and notes the batch prints are warnings of a SodwrightWarning category
(``warnings.simplefilter("error", sodwright.SodwrightWarning)`` makes them
refusals).
"""

import math
import numbers
import warnings
from typing import NamedTuple, Optional

import numpy as np

from . import _sodwright

__all__ = ["BandoResult", "MissingParameterWarning", "NibalResult", "SodwrightWarning", "bando",
           "bando_items", "nibal"]


class SodwrightWarning(UserWarning):
    """Every note Sodwright gives while a run goes on."""


class MissingParameterWarning(SodwrightWarning):
    """A coefficient of 0 is missing; the run goes on without its term."""


class NibalResult(NamedTuple):
    """NIBAL's soil loss bands, float64 arrays shaped as the DEM.

    Positive values are soil loss, negative soil gain; NaN where the DEM is
    no-data. The batch's --write-raster bands are these values as float32.
    """

    soil_loss_sum: np.ndarray
    soil_loss_row: np.ndarray
    soil_loss_col: np.ndarray


class BandoResult(NamedTuple):
    """The BANDO indicator as the indicator window shows it.

    ei, et and at are the window's single-precision values; the texts are
    what it shows (and what sodwright-batch bando prints).
    """

    ei: float  # erodibility EI, % m / ha
    et: float  # erosivity Et, kg / m / %
    at: float  # tillage erosion rate At = EI x Et / 1000, t / ha / yr
    risk_class: str  # "Tolerable" to "Severe"
    ei_text: str
    et_text: str
    at_text: str


def _real(name, value):
    """A finite real number, or ValueError naming the argument."""
    if isinstance(value, bool) or not isinstance(value, numbers.Real):
        raise ValueError(f"{name}: {value!r} is not a real number")
    value = float(value)
    if not math.isfinite(value):
        raise ValueError(f"{name}: {value!r} is not a finite number")
    return value


def _elevation_array(dem):
    """The DEM as the core takes it: 2-D, native float32 or float64 with
    contiguous rows; copied (once) only when its rows are not contiguous or
    its byte order is not the machine's."""
    if not isinstance(dem, np.ndarray):
        raise ValueError(f"dem: a 2-D numpy array of float32 or float64 is needed, not {type(dem).__name__}")
    if dem.dtype.kind != "f" or dem.dtype.itemsize not in (4, 8):
        raise ValueError(f"dem: the array's dtype is {dem.dtype}; float32 or float64 is needed")
    if dem.ndim != 2:
        raise ValueError(f"dem: the array has {dem.ndim} dimensions; a 2-D array (rows, columns) is needed")
    if not dem.dtype.isnative:
        dem = dem.astype(dem.dtype.newbyteorder("="))
    if dem.shape[1] > 1 and dem.strides[1] != dem.itemsize or dem.strides[0] < 0 or dem.strides[0] % dem.itemsize:
        dem = np.ascontiguousarray(dem)
    return dem


def nibal(dem, row_spacing, column_spacing, *, betta_row=3.0, gamma_row=6.0, betta_col=6.0,
          gamma_col=12.0, nodata=None, threads=None):
    """NIBAL's on-site tillage erosion at every node of a DEM held in memory.

    Along one tillage direction: soil loss = -(Betta x delta slope gradient +
    Gamma x delta slope curvature) / d, the gradient in percent between
    neighbouring nodes and d the node spacing of that direction; the grid is
    level beyond its edge, and a no-data cell ends a row or column as the
    edge does. The results are those of ``sodwright-batch nibal`` to the last
    bit (its CSV; its rasters are these values as float32).

    Parameters
    ----------
    dem : numpy.ndarray
        Elevations (m), 2-D (rows, columns), float32 or float64, at least
        4 x 4. Read where it lies, without a copy, when its rows are
        contiguous (any C-contiguous array and any window of one); any other
        layout, or a byte order not the machine's, is copied once first.
    row_spacing : float
        Distance between neighbouring nodes of one row (m, above 0): the
        cell width, along a raster line. The batch's --row-spacing.
    column_spacing : float
        Distance between neighbouring nodes of one column (m, above 0): the
        cell height, down a raster column. The batch's --column-spacing.
    betta_row, gamma_row : float
        Betta and Gamma for tillage along the rows (default 3 and 6).
    betta_col, gamma_col : float
        Betta and Gamma for tillage along the columns (default 6 and 12).
        A coefficient of 0 is missing: a MissingParameterWarning, and the
        run goes on without its term; all four 0 is refused.
    nodata : float, optional
        Cells equal to it, and NaN cells, are no-data. Without it every cell
        must be a finite elevation.
    threads : int, optional
        Worker threads (default: the machine's cores). The results do not
        depend on it.

    Returns
    -------
    NibalResult
        soil_loss_sum, soil_loss_row, soil_loss_col: float64 arrays shaped
        as dem, NaN at no-data nodes.

    Raises
    ------
    ValueError
        A DEM of another dtype or dimension, smaller than 4 x 4 or with a
        non-finite cell without nodata, or every cell no-data; a spacing not
        above 0; a coefficient, nodata or threads that is not a number of its
        kind; all four coefficients 0; a node whose result is not finite.
    """
    dem = _elevation_array(dem)
    spacings = {"row_spacing": row_spacing, "column_spacing": column_spacing}
    for name, value in spacings.items():
        if isinstance(value, bool) or not isinstance(value, numbers.Real):
            raise ValueError(f"{name}: {value!r} is not a real number")
        refused = _sodwright.spacing_refusal(name, float(value))
        if refused is not None:
            raise ValueError(refused)
    k = [_real(name, value) for name, value in
         (("betta_row", betta_row), ("gamma_row", gamma_row), ("betta_col", betta_col),
          ("gamma_col", gamma_col))]
    if nodata is not None:
        if isinstance(nodata, bool) or not isinstance(nodata, numbers.Real):
            raise ValueError(f"nodata: {nodata!r} is not a real number")
        nodata = float(nodata)
    if threads is None:
        threads = 0
    elif isinstance(threads, bool) or not isinstance(threads, numbers.Integral) or threads < 1:
        raise ValueError(f"threads: {threads!r} is not a whole number above 0")
    notes = _sodwright.missing_parameter_notes(*k)
    if len(notes) == 4:
        raise ValueError(_sodwright.ALL_PARAMETERS_MISSING)
    for note in notes:
        warnings.warn(note, MissingParameterWarning, stacklevel=2)
    bands = _sodwright.nibal_array(dem, float(row_spacing), float(column_spacing), *k, nodata,
                                   int(threads))
    return NibalResult(*bands)


_BANDO_LISTS = ("slope_class", "surface_form", "crop", "region", "tillage")


def bando_items(name):
    """The items of one of bando()'s lists ("slope_class", "surface_form",
    "crop", "region", "tillage"), in order: position 0 is the first."""
    if name not in _BANDO_LISTS:
        raise ValueError(f"name: {name!r} is not one of {', '.join(_BANDO_LISTS)}")
    return _sodwright.bando_items(name)


def bando(*, slope_class=None, surface_form=None, crop=None, region=None, tillage=None):
    """BANDO's tillage erosion risk indicator from the tables: one press of
    "Run BANDO" in a freshly opened indicator window, as sodwright-batch bando
    with --slope-class, --surface-form, --crop, --region and --tillage.

    Each argument is an item of its list, by its text in any letter case or
    by its position (0 = the first item, see bando_items()); a list not given
    keeps its first item. The erodibility EI (% m / ha) comes from the slope
    class and surface form, the erosivity Et (kg / m / %) from the crop type,
    agricultural region and tillage system; the rate At = EI x Et / 1000
    (t / ha / yr) gets one of five risk classes, "Tolerable" to "Severe".

    Returns
    -------
    BandoResult

    Raises
    ------
    ValueError
        An item that is not one of its list's (the argument named, with the
        accepted items), or a run the window ends early, with its messages
        (the erosivity the tables lack for the selection, for one).
    """
    given = dict(zip(_BANDO_LISTS, (slope_class, surface_form, crop, region, tillage)))
    for name, item in given.items():
        if item is not None and (isinstance(item, bool) or not isinstance(item, (int, str))):
            raise ValueError(f"{name}: {item!r} is neither an item's text nor its position")
    out = _sodwright.bando_tables(**given)
    if out["stopped"]:
        raise ValueError("\n".join(out["messages"]))
    for message in out["messages"]:
        warnings.warn(message, SodwrightWarning, stacklevel=2)
    return BandoResult(out["ei"], out["et"], out["at"], out["risk_class"], out["ei_text"],
                       out["et_text"], out["at_text"])
