// SPDX-License-Identifier: GPL-3.0-or-later
// The compiled half of the Python module: thin calls into the shared core.
// The Python half (sodwright/__init__.py) checks the arguments, names them in
// its errors and issues the warnings; this half hands numpy buffers to the
// core as they are and releases the interpreter's lock while it computes.
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include "bando/bando_refusals.h"
#include "bando/bando_run.h"
#include "bando/bando_state.h"
#include "bando/bando_tables.h"
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

// The five lists of the indicator window, by the Python names of their arguments.
struct BandoListArgument {
  const char* name;
  sodwright::bando::BandoList list;
  const char* what;  // as the batch names it
};
constexpr BandoListArgument kBandoLists[] = {
    {"slope_class", sodwright::bando::BandoList::SlopeClass, "slope class"},
    {"surface_form", sodwright::bando::BandoList::SurfaceForm, "surface form"},
    {"crop", sodwright::bando::BandoList::CropType, "crop type"},
    {"region", sodwright::bando::BandoList::Region, "agricultural region"},
    {"tillage", sodwright::bando::BandoList::TillageSystem, "tillage system"},
};

using BandoItem = std::optional<std::variant<int, std::string>>;

// An item by its text in any letter case or by its position, as the batch
// takes it; refused with the batch's text after the argument's name.
sodwright::bando::Int16 bandoItem(const BandoListArgument& argument,
                                  const std::variant<int, std::string>& item) {
  const auto items = sodwright::bando::itemsOf(argument.list);
  if (const std::string* text = std::get_if<std::string>(&item)) {
    if (const auto position = sodwright::bando::findItemIgnoringCase(argument.list, *text))
      return *position;
  } else if (const int position = std::get<int>(item);
             position >= 0 && static_cast<std::size_t>(position) < items.size()) {
    return static_cast<sodwright::bando::Int16>(position);
  }
  const std::string shown = std::holds_alternative<std::string>(item)
                                ? std::get<std::string>(item)
                                : std::to_string(std::get<int>(item));
  throw py::value_error(std::string(argument.name) + ": unknown " + argument.what + ": " + shown +
                        " (accepted: " + sodwright::bando::itemChoicesText(argument.list) +
                        ", or a position from 0 to " + std::to_string(items.size() - 1) + ")");
}

// "Run BANDO" in a freshly opened indicator window with the tables' lists
// picked; a list not given keeps its first item.
py::dict bandoTables(const BandoItem& slopeClass, const BandoItem& surfaceForm,
                     const BandoItem& crop, const BandoItem& region, const BandoItem& tillage) {
  sodwright::bando::BandoState state;
  sodwright::bando::initBandoTables(state.tables);
  const BandoItem* given[] = {&slopeClass, &surfaceForm, &crop, &region, &tillage};
  for (std::size_t i = 0; i < std::size(kBandoLists); ++i)
    if (*given[i])
      sodwright::bando::PickListItem(state, kBandoLists[i].list,
                                     bandoItem(kBandoLists[i], **given[i]));
  const sodwright::bando::BandoRunOutcome out = sodwright::bando::runBando(state, {});
  std::vector<std::string> messages = out.erodibilityMessages;
  messages.insert(messages.end(), out.messages.begin(), out.messages.end());
  if (out.etNoteVisible) messages.emplace_back(sodwright::bando::kEtNoteText);
  py::dict result;
  result["ei_text"] = out.eiText;
  result["et_text"] = out.etText;
  result["at_text"] = out.atText;
  result["risk_class"] = out.classText;
  result["ei"] = state.ErodibilityEI;
  result["et"] = state.ErosivityEt;
  result["at"] = state.RateAt;
  result["stopped"] = out.stop != sodwright::bando::RunStop::None;
  result["messages"] = messages;
  return result;
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
  m.def("bando_tables", &bandoTables, py::arg("slope_class"), py::arg("surface_form"),
        py::arg("crop"), py::arg("region"), py::arg("tillage"),
        "Run BANDO from the five lists; returns the shown texts, the values and the messages.");
  m.def(
      "bando_items",
      [](const std::string& name) {
        for (const BandoListArgument& argument : kBandoLists)
          if (name == argument.name) {
            std::vector<std::string> items;
            for (std::string_view item : sodwright::bando::itemsOf(argument.list))
              items.emplace_back(item);
            return items;
          }
        throw py::value_error("no list " + name);
      },
      "The items of one of the five lists, in order.");
  m.attr("ALL_PARAMETERS_MISSING") = std::string(sodwright::nibal::kAllMissingTitle) + ": " +
                                     std::string(sodwright::nibal::kAllMissing);
}
