# SPDX-License-Identifier: GPL-3.0-or-later
from typing import NamedTuple, Optional

import numpy as np
import numpy.typing as npt

class SodwrightWarning(UserWarning): ...
class MissingParameterWarning(SodwrightWarning): ...

class NibalResult(NamedTuple):
    soil_loss_sum: npt.NDArray[np.float64]
    soil_loss_row: npt.NDArray[np.float64]
    soil_loss_col: npt.NDArray[np.float64]

class BandoResult(NamedTuple):
    ei: float
    et: float
    at: float
    risk_class: str
    ei_text: str
    et_text: str
    at_text: str

def bando_items(name: str) -> list[str]: ...
def bando(
    *,
    slope_class: Optional[int | str] = None,
    surface_form: Optional[int | str] = None,
    crop: Optional[int | str] = None,
    region: Optional[int | str] = None,
    tillage: Optional[int | str] = None,
) -> BandoResult: ...
def nibal(
    dem: npt.NDArray[np.float32] | npt.NDArray[np.float64],
    row_spacing: float,
    column_spacing: float,
    *,
    betta_row: float = 3.0,
    gamma_row: float = 6.0,
    betta_col: float = 6.0,
    gamma_col: float = 12.0,
    nodata: Optional[float] = None,
    threads: Optional[int] = None,
) -> NibalResult: ...
