// SPDX-License-Identifier: GPL-3.0-or-later
// The compiled half of the Python module: thin calls into the shared core.
// The Python half (sodwright/__init__.py) checks the arguments, names them in
// its errors and issues the warnings; this half hands numpy buffers to the
// core as they are and releases the interpreter's lock while it computes.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include "nibal/array_run.h"
#include "nibal/grid_checks.h"
#include "nibal/grid_messages.h"
#include "nibal/grid_model.h"

namespace py = pybind11;

namespace {

using sodwright::nibal::ElevationArray;
using sodwright::nibal::GridCoefficients;
using sodwright::nibal::SoilLossBands;

// The Python half has made the array 2-D, native float32 or float64 with
// contiguous rows; the row stride may exceed the row (a window of a larger
// array).
py::tuple nibalArray(const py::array& dem, double rowSpacing, double columnSpacing, double bettaRow,
                     double gammaRow, double bettaCol, double gammaCol,
                     std::optional<double> noData, int threads) {
  const GridCoefficients k{bettaRow, gammaRow, bettaCol, gammaCol};
  const bool single = dem.dtype().is(py::dtype::of<float>());
  if (!single && !dem.dtype().is(py::dtype::of<double>()))
    throw py::value_error("dem: the array must be float32 or float64");
  if (dem.ndim() != 2 || dem.strides(1) != dem.itemsize() || dem.strides(0) % dem.itemsize() != 0)
    throw py::value_error("dem: the array must be 2-D with contiguous rows");
  ElevationArray grid;
  grid.cells = dem.data();
  grid.singlePrecision = single;
  grid.rows = dem.shape(0);
  grid.columns = dem.shape(1);
  grid.stride = dem.strides(0) / dem.itemsize();
  grid.rowSpacing = rowSpacing;
  grid.columnSpacing = columnSpacing;
  grid.noData = noData;
  const std::vector<py::ssize_t> shape{dem.shape(0), dem.shape(1)};
  py::array_t<double> sum(shape), row(shape), col(shape);
  const SoilLossBands bands{sum.mutable_data(), row.mutable_data(), col.mutable_data()};
  sodwright::base::Result<> run;
  {
    py::gil_scoped_release unlocked;
    run = sodwright::nibal::runElevationArray(grid, k, bands, threads, "dem");
  }
  if (!run) throw py::value_error(run.message());
  return py::make_tuple(sum, row, col);
}

}  // namespace

PYBIND11_MODULE(_sodwright, m) {
  m.doc() = "Sodwright's shared core, called from Python (see the sodwright package).";
  m.def("nibal_array", &nibalArray, py::arg("dem"), py::arg("row_spacing"),
        py::arg("column_spacing"), py::arg("betta_row"), py::arg("gamma_row"), py::arg("betta_col"),
        py::arg("gamma_col"), py::arg("nodata"), py::arg("threads"),
        "NIBAL over a checked 2-D array; returns (soil_loss_sum, soil_loss_row, soil_loss_col).");
  m.def(
      "missing_parameter_notes",
      [](double bettaRow, double gammaRow, double bettaCol, double gammaCol) {
        sodwright::nibal::GridInfo info;
        info.BettaRow = bettaRow;
        info.GammaRow = gammaRow;
        info.BettaCol = bettaCol;
        info.GammaCol = gammaCol;
        std::vector<std::string> notes;
        for (std::string_view note : sodwright::nibal::missingParameterNotes(info))
          notes.emplace_back(note);
        return notes;
      },
      "The notes of the coefficients that are 0, in the order the batch gives them.");
  m.def(
      "spacing_refusal",
      [](const std::string& name, double spacing) {
        return sodwright::nibal::spacingRefusal(name, spacing);
      },
      "The refusal of a spacing that is not above 0, or None.");
  m.attr("ALL_PARAMETERS_MISSING") = std::string(sodwright::nibal::kAllMissingTitle) + ": " +
                                     std::string(sodwright::nibal::kAllMissing);
}
