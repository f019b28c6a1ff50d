// SPDX-License-Identifier: GPL-3.0-or-later
// sodwright-batch bando: one press of "Run BANDO" in a freshly opened
// indicator window, with the selections and typed values given as options.
//
//   erodibility: --slope-class ITEM --surface-form ITEM
//            or  --slope-gradient G --slope-length L [--convex-area A]
//   erosivity:   --crop ITEM --region ITEM --tillage ITEM
//            or  --implement ITEM:PASSES (once per calculator row, at most 10)
//
// ITEM is the item text of its list in any letter case, or its position (0 =
// first item); a list not named keeps its first item, as in a fresh window.
// Slope values are read as the boxes read them, passes only as whole
// numbers; what the run cannot use (passes that are no whole number or
// negative, a convex area outside 0 to 100 %) is refused
// with status 2 before it. Prints "EI", "Et", "At" and "Class" lines with the
// texts the window shows and the units of its labels; the messages the
// window would show go to standard error in their order. A run that ends
// early prints the result texts shown so far, then its message, and exits
// with status 2.
#include <algorithm>
#include <array>
#include <cctype>
#include <iostream>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "bando/bando_refusals.h"
#include "bando/bando_run.h"
#include "bando/implement_sum.h"
#include "base/text/refusal_text.h"
#include "batch/batch_commands.h"
#include "batch/batch_options.h"
#include "batch/batch_services.h"

namespace sodwright::batch {
namespace {

using bando::BandoList;
using bando::Int16;

struct ListOption {
  const char* name;
  BandoList list;
  const char* what;
  const char* meaning;
};

constexpr ListOption kListOptions[] = {
    {"--slope-class", BandoList::SlopeClass, "slope class",
     "Slope Class (erodibility from the tables)"},
    {"--surface-form", BandoList::SurfaceForm, "surface form",
     "Surface Form (erodibility from the tables)"},
    {"--crop", BandoList::CropType, "crop type", "Crop Type (erosivity from the tables)"},
    {"--region", BandoList::Region, "agricultural region",
     "AgriRegion (erosivity from the tables)"},
    {"--tillage", BandoList::TillageSystem, "tillage system",
     "Till System (erosivity from the tables)"},
};

struct BandoRequest {
  std::map<BandoList, Int16> picks;
  bool slopeData = false;            // erodibility from the typed slope data
  bando::SlopeDataTexts slopeTexts;  // the three boxes as typed
  std::vector<bando::ImplementRow> implementRows;
};

struct UsageError {
  std::string text;
};

// The item text in any letter case, or its position written as digits.
Int16 resolveItem(BandoList list, const std::string& text, const char* what) {
  if (const auto position = bando::findItemIgnoringCase(list, text)) return *position;
  const auto items = bando::itemsOf(list);
  bool digits = !text.empty() && text.size() <= 3;
  for (char c : text) digits = digits && std::isdigit(static_cast<unsigned char>(c));
  if (digits && std::stoul(text) < items.size()) return static_cast<Int16>(std::stoi(text));
  throw UsageError{std::string("unknown ") + what + ": " + text +
                   " (accepted: " + bando::itemChoicesText(list) + ", or a position from 0 to " +
                   std::to_string(items.size() - 1) + ")"};
}

std::string typed(const TextOption& option) { return option.valueOr(std::string()); }

// A result text as the window shows it, then its unit label.
void printShown(const char* label, const std::optional<std::string>& text, const char* unit) {
  if (!text) return;
  std::cout << label << ' ' << *text;
  if (*unit) std::cout << ' ' << unit;
  std::cout << '\n';
}

struct BandoOptions {
  std::array<TextOption, std::size(kListOptions)> lists;
  TextOption slopeGradient, slopeLength, convexArea;
  std::vector<std::string> implements;  // ITEM:PASSES, one per calculator row
};

// The options as the window's selections and typed boxes; refuses mixed modes.
BandoRequest requestOf(const BandoOptions& options) {
  BandoRequest request;
  for (std::size_t i = 0; i < std::size(kListOptions); ++i) {
    const ListOption& option = kListOptions[i];
    if (options.lists[i].given())
      request.picks[option.list] = resolveItem(option.list, options.lists[i].value, option.what);
  }
  request.slopeData =
      options.slopeGradient.given() || options.slopeLength.given() || options.convexArea.given();
  request.slopeTexts = {typed(options.slopeGradient), typed(options.slopeLength),
                        typed(options.convexArea)};
  // The window only shows the convex area; a share outside the field is a typing slip.
  if (const auto refused = bando::convexAreaRefusal(request.slopeTexts.convexArea))
    throw UsageError{base::optionRefusalText("--convex-area", request.slopeTexts.convexArea,
                                             "the convex area is a share of the field", *refused)};
  for (const std::string& value : options.implements) {
    const auto colon = value.rfind(':');
    if (colon == std::string::npos) throw UsageError{"--implement needs ITEM:PASSES, got " + value};
    request.implementRows.push_back(
        {resolveItem(BandoList::Implement, value.substr(0, colon), "implement"),
         value.substr(colon + 1)});
  }
  const bool slopeTable =
      request.picks.count(BandoList::SlopeClass) || request.picks.count(BandoList::SurfaceForm);
  if (slopeTable && request.slopeData)
    throw UsageError{"give either --slope-class/--surface-form or slope data, not both"};
  const bool cropTable = request.picks.count(BandoList::CropType) ||
                         request.picks.count(BandoList::Region) ||
                         request.picks.count(BandoList::TillageSystem);
  if (cropTable && !request.implementRows.empty())
    throw UsageError{"give either --crop/--region/--tillage or --implement, not both"};
  if (request.implementRows.size() > bando::kCalculatorRows)
    throw UsageError{"the calculator has ten rows: at most 10 --implement options"};
  return request;
}

int runBando(const BandoOptions& options) {
  BandoRequest request;
  try {
    request = requestOf(options);
  } catch (const UsageError& error) {
    std::cerr << "bando: " << error.text << "\n";
    return 2;
  }

  bando::BandoState state;
  bando::initBandoTables(state.tables);
  for (const auto& [list, position] : request.picks) bando::PickListItem(state, list, position);

  if (request.slopeData) state.UseSlopeData = 1;
  // The calculator's OK writes its total into the Et box, which then shows
  // it until a run replaces it (a run that stops before Et leaves it).
  std::optional<std::string> etShown;
  if (!request.implementRows.empty()) {
    state.UseTillageData = 1;
    std::vector<bool> typedRefused(request.implementRows.size(), false);
    for (std::size_t k = 0; k < request.implementRows.size(); ++k) {
      if (const auto refused = bando::typedPassesRefusal(request.implementRows[k].passesText)) {
        typedRefused[k] = true;
        printMessage(base::optionRefusalText("--implement", options.implements[k],
                                             "row " + std::to_string(k + 1) + " refused",
                                             *refused));
      }
    }
    const bando::ImplementSum sum = bando::applyCalculatorOk(state, request.implementRows);
    // The window leaves such a row out of the sum; a result without it would
    // pass for the field's.
    for (std::size_t i = 0; i < sum.messages.size(); ++i) {
      const std::size_t row = sum.refusedRows[i];
      if (typedRefused[row - 1]) continue;
      printMessage(base::optionRefusalText(
          "--implement", options.implements[row - 1], sum.messages[i],
          bando::passesRefusal(row, request.implementRows[row - 1].passesText)));
    }
    if (!sum.messages.empty() ||
        std::find(typedRefused.begin(), typedRefused.end(), true) != typedRefused.end())
      return 2;
    etShown = sum.totalText;
  }

  const bando::BandoRunOutcome out = bando::runBando(state, request.slopeTexts);
  for (const std::string& message : out.erodibilityMessages) {
    if (message != bando::kPleaseInputData) {
      printMessage(message);
      continue;
    }
    const bando::SlopeDataRefusal refused = bando::slopeDataRefusal(request.slopeTexts);
    printMessage(base::optionRefusalText(refused.option, refused.typed, message, refused.refusal));
  }
  if (out.etText) etShown = out.etText;
  printShown("EI", out.eiText, "% m / ha");
  printShown("Et", etShown, "kg / m / %");
  printShown("At", out.atText, "t / ha / yr");
  printShown("Class", out.classText, "");
  for (const std::string& message : out.messages) printMessage(message);
  if (out.etNoteVisible) printMessage(bando::kEtNoteText);
  return out.stop == bando::RunStop::None ? 0 : 2;
}

}  // namespace

Command addBandoCommand(CLI::App& runner) {
  CLI::App* bando = runner.add_subcommand(
      "bando",
      "BANDO risk indicator: one press of \"Run BANDO\" in a freshly opened indicator window. "
      "Erodibility "
      "from --slope-class and --surface-form, or from slope data; erosivity from --crop, --region "
      "and "
      "--tillage, or from --implement rows of the calculator. ITEM is the item text of its list or "
      "its "
      "position (0 = first item), in any letter case. Prints the EI (% m / ha), Et (kg / m / %), "
      "At (t / ha / yr) and Class lines the window shows; a run that ends "
      "early prints the texts shown so far, then its message, and exits with status 2.");
  auto options = std::make_shared<BandoOptions>();
  for (std::size_t i = 0; i < std::size(kListOptions); ++i) {
    const ListOption& list = kListOptions[i];
    addTextOption(*bando, options->lists[i], list.name, "ITEM",
                  std::string(list.meaning) + "; one of " + bando::itemChoicesText(list.list),
                  std::string(bando::itemsOf(list.list).front()));
  }
  addTextOption(*bando, options->slopeGradient, "--slope-gradient", "PERCENT",
                "maximum slope gradient in %: erodibility from slope data", "");
  addTextOption(*bando, options->slopeLength, "--slope-length", "M",
                "convex slope length in m (slope data)", "");
  addTextOption(*bando, options->convexArea, "--convex-area", "PERCENT",
                "convex proportion of the field in %, 0 to 100 (slope data; shown, not used in the "
                "rate)",
                "empty");
  bando
      ->add_option("--implement", options->implements,
                   "a row of the erosivity calculator: implement ITEM and its passes (a whole "
                   "number from 0); up to 10, in row order; ITEM one of " +
                       bando::itemChoicesText(BandoList::Implement))
      ->type_name("ITEM:PASSES");
  return [options] { return runBando(*options); };
}

}  // namespace sodwright::batch
