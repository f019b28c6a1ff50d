// sodwright-batch kolv: import a transect file, apply the parameter boxes,
// run and compare as "Run KOLV" does (or compare --first/--last as Redraw
// does), and write the two outputs.
#include <ctime>
#include <iomanip>
#include <iostream>
#include <locale>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "batch/batch_commands.h"
#include "batch/workbook_input.h"
#include "platform/message_service.h"
#include "transect/compare_report_writer.h"
#include "transect/kolv_commands.h"
#include "transect/comparison.h"
#include "transect/last_sequence_writer.h"
#include "transect/main_window_checks.h"
#include "transect/parameter_checks.h"
#include "transect/transect_import.h"

namespace sodwright::batch {
namespace {

using kolv::CheckResult;
using kolv::KolvState;

// Notes shown during a run go to standard error; they do not fail the run.
class StderrMessages : public platform::MessageService {
 public:
  platform::MessageAnswer show(const std::string& text, const std::string&, platform::MessageButtons) override {
    std::cerr << text << "\n";
    return platform::MessageAnswer::Ok;
  }
};

using BoxCheck = CheckResult (*)(KolvState&, std::string_view);

// The parameter window's boxes in the order they are applied: left column,
// then right column, top to bottom (the direction list comes first).
const std::vector<std::pair<std::string, BoxCheck>>& boxOptions() {
  static const std::vector<std::pair<std::string, BoxCheck>> options = {
      {"--sequences", kolv::checkSeqCount},
      {"--nodes", kolv::checkNodeCount},
      {"--lateral-columns", kolv::checkLateralColumns},
      {"--sg-weight-front", kolv::checkSgWeightFront},
      {"--sg-weight-back", kolv::checkSgWeightBack},
      {"--sc-scale", kolv::checkScScale},
      {"--decay1", kolv::setDecayRate1Percent},
      {"--decay2", kolv::setDecayRate2Percent},
      {"--till-depth", kolv::checkTillDepth},
      {"--up-depth", kolv::checkUpLayerDepthParameter},
      {"--sub-depth", kolv::checkSubLayerDepthParameter},
      {"--alpha", kolv::setAlpha},
      {"--beta", kolv::setBeta},
      {"--gamma", kolv::setGamma},
      {"--input-frequency", kolv::checkInputFrequency},
      {"--input-amount", kolv::setInputAmount},
  };
  return options;
}

const std::vector<std::string> kOtherOptions = {"--delimiter", "--direction", "--first",         "--last",
                                                "--report",    "--date",      "--last-sequence", "--base"};

void printKolvUsage() {
  std::cerr << "usage: sodwright-batch kolv INPUT [--delimiter tab|space|comma|semicolon|C]\n"
               "         [--base TEXT-FILE]  (INPUT a workbook: tillage depth, bulk densities, unit from the base)\n"
               "         [--sequences N] [--nodes N] [--direction forward|backward|alternative]\n"
               "         [--till-depth X] [--up-depth X] [--sub-depth X] [--alpha X] [--beta X] [--gamma X]\n"
               "         [--lateral-columns N] [--sg-weight-front X] [--sg-weight-back X] [--sc-scale X]\n"
               "         [--decay1 PERCENT] [--decay2 PERCENT] [--input-frequency N] [--input-amount X]\n"
               "         [--first F] [--last L] [--report FILE] [--last-sequence FILE] [--date TEXT]\n";
}

struct KolvOptions {
  std::string input;
  std::map<std::string, std::string> values;
  bool has(const std::string& name) const { return values.count(name) != 0; }
};

bool isKnown(const std::string& name) {
  for (const auto& [option, check] : boxOptions())
    if (option == name) return true;
  for (const auto& option : kOtherOptions)
    if (option == name) return true;
  return false;
}

std::optional<KolvOptions> parseOptions(const Args& args) {
  KolvOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string arg = args[i];
    if (arg.rfind("--", 0) != 0) {
      if (!options.input.empty()) {
        std::cerr << "kolv: more than one input file: " << arg << "\n";
        return std::nullopt;
      }
      options.input = arg;
      continue;
    }
    std::string value;
    const auto equals = arg.find('=');
    if (equals != std::string::npos) {
      value = arg.substr(equals + 1);
      arg = arg.substr(0, equals);
    } else if (i + 1 < args.size()) {
      value = args[++i];
    } else {
      std::cerr << "kolv: " << arg << " needs a value\n";
      return std::nullopt;
    }
    if (!isKnown(arg)) {
      std::cerr << "kolv: unknown option " << arg << "\n";
      return std::nullopt;
    }
    options.values[arg] = value;
  }
  if (options.input.empty()) {
    std::cerr << "kolv: no input file\n";
    return std::nullopt;
  }
  return options;
}

std::optional<char> parseDelimiter(const std::string& text) {
  if (text == "tab") return '\t';
  if (text == "space") return ' ';
  if (text == "comma") return ',';
  if (text == "semicolon") return ';';
  if (text.size() == 1) return text[0];
  return std::nullopt;
}

std::optional<int> parseDirection(const std::string& text) {
  if (text == "forward") return kolv::kForward;
  if (text == "backward") return kolv::kBackward;
  if (text == "alternative") return kolv::kAlternative;
  return std::nullopt;
}

// Today's date in the short form of the user's locale.
std::string todayText() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  std::ostringstream out;
  try {
    out.imbue(std::locale(""));
  } catch (const std::runtime_error&) {
    // An unknown locale setting: the classic form is as good.
  }
  out << std::put_time(&local, "%x");
  return out.str();
}

bool refused(const CheckResult& result) {
  if (!result.rejected()) return false;
  std::cerr << result.message << "\n";
  return true;
}

// The boxes of the parameter window, with the same checks; a refused value is an error.
bool applyBoxes(KolvState& state, const KolvOptions& options) {
  if (options.has("--direction")) {
    const auto direction = parseDirection(options.values.at("--direction"));
    if (!direction) {
      std::cerr << "kolv: --direction must be forward, backward or alternative\n";
      return false;
    }
    kolv::chooseTillDirection(state, *direction);
  }
  for (const auto& [name, check] : boxOptions())
    if (options.has(name) && refused(check(state, options.values.at(name)))) return false;
  return true;
}

bool runRequested(const KolvOptions& options) {
  for (const auto& [name, value] : options.values)
    if (name != "--delimiter" && name != "--last-sequence" && name != "--date" && name != "--base") return true;
  return false;
}

bool writeOutputs(const KolvState& state, const KolvOptions& options, kolv::Int16 first, kolv::Int16 last,
                  bool withReport) {
  if (withReport && options.has("--report")) {
    const std::string date = options.has("--date") ? options.values.at("--date") : todayText();
    if (auto error = kolv::writeCompareReportFile(options.values.at("--report"), state, first, last, date)) {
      std::cerr << *error << "\n";
      return false;
    }
  }
  if (options.has("--last-sequence")) {
    if (auto error = kolv::writeLastSequenceFile(options.values.at("--last-sequence"), state, last)) {
      std::cerr << *error << "\n";
      return false;
    }
  }
  return true;
}

}  // namespace

int runKolv(const Args& args) {
  const auto options = parseOptions(args);
  if (!options) {
    printKolvUsage();
    return 2;
  }
  const auto delimiter = parseDelimiter(options->has("--delimiter") ? options->values.at("--delimiter") : "tab");
  if (!delimiter) {
    std::cerr << "Delimiter must be one character. Please input again or revise your data file.\n";
    return 2;
  }
  KolvState state;
  const std::string base = options->has("--base") ? options->values.at("--base") : std::string();
  if (const auto imported = importTransectInput(state, options->input, *delimiter, base); !imported.ok()) {
    std::cerr << *imported.message << "\n";
    return 2;
  }
  if (!runRequested(*options)) {
    // Import and write back: the imported sequence is the starting one.
    return writeOutputs(state, *options, state.params.StartSeq, state.params.StartSeq, false) ? 0 : 2;
  }
  if (!applyBoxes(state, *options)) return 2;

  StderrMessages messages;
  if (const auto stop = kolv::Simulate(state, messages)) {
    std::cerr << stop->message << "\n";
    return 2;
  }

  kolv::Int16 first = state.params.StartSeq;
  kolv::Int16 last = state.params.LastSeq;
  if (options->has("--first") || options->has("--last")) {
    // As Redraw: the sequence boxes' checks, then the order check.
    if (options->has("--first") && refused(kolv::checkFirstSeqShown(state, options->values.at("--first")))) return 2;
    if (options->has("--last") && refused(kolv::checkLastSeqShown(state, options->values.at("--last")))) return 2;
    first = state.params.FirstSeqShown;
    last = state.params.LastSeqShown;
  }
  // A pair the comparison refuses (unordered, not held, a zero divisor) is an
  // error here, not a note: the report would hold no comparison.
  if (const auto stop = kolv::Compare(state, first, last, messages)) {
    std::cerr << stop->message << "\n";
    return 2;
  }
  return writeOutputs(state, *options, first, last, true) ? 0 : 2;
}

}  // namespace sodwright::batch
