// sodwright-batch bando: one press of "Run BANDO" in a freshly opened
// indicator window, with the selections and typed values given as options.
//
//   erodibility: --slope-class ITEM --surface-form ITEM
//            or  --slope-gradient G --slope-length L [--convex-area A]
//   erosivity:   --crop ITEM --region ITEM --tillage ITEM
//            or  --implement ITEM:PASSES (once per calculator row, at most 10)
//
// ITEM is the item text of its list or its position (0 = first item); a list
// not named keeps its first item, as in a fresh window. Slope values and
// passes are read as the boxes read them. Prints "EI", "Et", "At" and "Class"
// lines with the texts the window shows; the messages the window would show
// go to standard error in their order. A run that ends early prints the
// result texts shown so far, then its message, and exits with status 2.
#include <cctype>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "batch/batch_commands.h"
#include "indicator/bando_run.h"
#include "indicator/implement_sum.h"

namespace sodwright::batch {
namespace {

using bando::BandoList;
using bando::Int16;

struct ListOption {
  const char* name;
  BandoList list;
  const char* what;
};

constexpr ListOption kListOptions[] = {
    {"--slope-class", BandoList::SlopeClass, "slope class"},
    {"--surface-form", BandoList::SurfaceForm, "surface form"},
    {"--crop", BandoList::CropType, "crop type"},
    {"--region", BandoList::Region, "agricultural region"},
    {"--tillage", BandoList::TillageSystem, "tillage system"},
};

const char* const kSlopeDataOptions[] = {"--slope-gradient", "--slope-length", "--convex-area"};

struct BandoRequest {
  std::map<BandoList, Int16> picks;
  std::map<std::string, std::string> slopeData;  // option name -> typed text
  std::vector<bando::ImplementRow> implementRows;
};

struct UsageError {
  std::string text;
};

// The item text itself, or its position written as digits.
Int16 resolveItem(BandoList list, const std::string& text, const char* what) {
  if (const auto position = bando::FindItem(list, text)) return *position;
  const auto items = bando::ItemsOf(list);
  bool digits = !text.empty() && text.size() <= 3;
  for (char c : text) digits = digits && std::isdigit(static_cast<unsigned char>(c));
  if (digits && std::stoul(text) < items.size()) return static_cast<Int16>(std::stoi(text));
  throw UsageError{std::string("unknown ") + what + ": " + text};
}

bool isSlopeDataOption(const std::string& name) {
  for (const char* option : kSlopeDataOptions)
    if (name == option) return true;
  return false;
}

BandoRequest parseRequest(const Args& args) {
  BandoRequest request;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    std::string value;
    if (const auto eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
      value = name.substr(eq + 1);
      name.erase(eq);
    } else if (i + 1 < args.size()) {
      value = args[++i];
    } else {
      throw UsageError{"missing value after " + name};
    }
    bool known = false;
    for (const ListOption& option : kListOptions) {
      if (name != option.name) continue;
      request.picks[option.list] = resolveItem(option.list, value, option.what);
      known = true;
    }
    if (known) continue;
    if (isSlopeDataOption(name)) {
      request.slopeData[name] = value;
    } else if (name == "--implement") {
      const auto colon = value.rfind(':');
      if (colon == std::string::npos) throw UsageError{"--implement needs ITEM:PASSES, got " + value};
      request.implementRows.push_back(
          {resolveItem(BandoList::Implement, value.substr(0, colon), "implement"),
           value.substr(colon + 1)});
    } else {
      throw UsageError{"unknown option: " + name};
    }
  }
  const bool slopeTable = request.picks.count(BandoList::SlopeClass) ||
                          request.picks.count(BandoList::SurfaceForm);
  if (slopeTable && !request.slopeData.empty())
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

std::string typed(const BandoRequest& request, const char* option) {
  const auto found = request.slopeData.find(option);
  return found == request.slopeData.end() ? std::string() : found->second;
}

void printShown(const char* label, const std::optional<std::string>& text) {
  if (text) std::cout << label << ' ' << *text << '\n';
}

}  // namespace

int runBando(const Args& args) {
  BandoRequest request;
  try {
    request = parseRequest(args);
  } catch (const UsageError& error) {
    std::cerr << "bando: " << error.text << "\n";
    return 2;
  }

  bando::BandoState state;
  bando::InitBANDOTables(state.tables);
  for (const auto& [list, position] : request.picks) bando::PickListItem(state, list, position);

  if (!request.slopeData.empty()) state.UseSlopeData = 1;
  if (!request.implementRows.empty()) {
    state.UseTillageData = 1;
    const bando::ImplementSum sum = bando::ApplyCalculatorOk(state, request.implementRows);
    for (const std::string& message : sum.messages) std::cerr << message << '\n';
  }

  const bando::SlopeDataTexts slopeTexts{typed(request, "--slope-gradient"),
                                         typed(request, "--slope-length"),
                                         typed(request, "--convex-area")};
  const bando::BandoRunOutcome out = bando::RunBando(state, slopeTexts);
  for (const std::string& message : out.erodibilityMessages) std::cerr << message << '\n';
  printShown("EI", out.eiText);
  printShown("Et", out.etText);
  printShown("At", out.atText);
  printShown("Class", out.classText);
  for (const std::string& message : out.messages) std::cerr << message << '\n';
  if (out.etNoteVisible) std::cerr << bando::kEtNoteText << '\n';
  return out.stop == bando::RunStop::None ? 0 : 2;
}

}  // namespace sodwright::batch
