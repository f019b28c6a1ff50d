// sodwright-batch nibal: the grid window's "Import Data" and the parameter
// window's "Run NIBAL", with the typed boxes given as options. Messages the
// windows would show go to stderr; a note lets the run go on, as in the
// window; anything that stops the run exits with status 2.
#include <iostream>
#include <map>
#include <optional>
#include <string>

#include "batch/batch_commands.h"
#include "batch/workbook_input.h"
#include "grid/grid_commands.h"
#include "grid/grid_report.h"
#include "grid/grid_state.h"
#include "platform/app_context.h"

namespace sodwright::batch {

namespace {

// A box titled with the program's name is an error and prints as its text,
// as the other runners print theirs; a box with a title of its own ("Note",
// "Kiding?") prints as "title: text".
class StderrMessages : public platform::MessageService {
 public:
  platform::MessageAnswer show(const std::string& text, const std::string& title, platform::MessageButtons,
                               platform::MessageIcon) override {
    if (title != platform::kProgramTitle) std::cerr << title << ": ";
    std::cerr << text << "\n";
    return platform::MessageAnswer::Ok;
  }
};

// The open dialog picks the input file, the save dialog the report file.
class FixedFileNames : public platform::FileDialogService {
 public:
  FixedFileNames(std::string input, std::string report) : input_(std::move(input)), report_(std::move(report)) {}
  std::string askOpenFileName(const std::string&) override { return input_; }
  std::string askSaveFileName(const std::string&) override { return report_; }

 private:
  std::string input_;
  std::string report_;
};

// Nothing to open and nothing to show without a desktop.
class NoPrograms : public platform::ProgramStarter {
 public:
  bool openTextFile(const std::string&) override { return true; }
  bool openWebAddress(const std::string&) override { return true; }
};
class NoBusyFeedback : public platform::BusyIndicator {
 public:
  void setBusyPointer(bool) override {}
  void showNote() override {}
  void hideNote() override {}
  void closeNote() override {}
};

int usageError(const std::string& text) {
  std::cerr << "nibal: " << text << "\n";
  return 2;
}

std::optional<char> delimiterFromOption(const std::string& value) {
  if (value == "tab") return '\t';
  if (value == "space") return ' ';
  if (value == "comma") return ',';
  if (value == "semicolon") return ';';
  if (value.size() == 1) return value[0];
  return std::nullopt;
}

}  // namespace

int runNibal(const Args& args) {
  static const char* const kOptions[] = {"--rows",      "--columns",   "--row-spacing", "--column-spacing",
                                         "--delimiter", "--betta-row", "--gamma-row",   "--betta-col",
                                         "--gamma-col", "--date",      "--report"};
  std::map<std::string, std::string> options;
  std::optional<std::string> input;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string arg = args[i];
    if (arg.rfind("--", 0) != 0) {
      if (input) return usageError("more than one input file: " + arg);
      input = arg;
      continue;
    }
    // "--option value" or "--option=value"; the latter gives an empty value safely.
    std::optional<std::string> value;
    if (const auto equals = arg.find('='); equals != std::string::npos) {
      value = arg.substr(equals + 1);
      arg.resize(equals);
    }
    bool known = false;
    for (const char* option : kOptions) known = known || arg == option;
    if (!known) return usageError("unknown option " + arg);
    if (!value) {
      if (i + 1 >= args.size()) return usageError(arg + " needs a value");
      value = args[++i];
    }
    options[arg] = *value;
  }
  if (!input) return usageError("no input file");
  for (const char* required : {"--rows", "--columns", "--row-spacing", "--column-spacing", "--report"})
    if (!options.count(required)) return usageError(std::string(required) + " is required");

  char delimiter = '\t';
  if (options.count("--delimiter")) {
    const std::optional<char> chosen = delimiterFromOption(options["--delimiter"]);
    if (!chosen) return usageError("--delimiter takes tab, space, comma, semicolon or one character");
    delimiter = *chosen;
  }

  StderrMessages messages;
  FixedFileNames files(*input, options["--report"]);
  NoPrograms programs;
  NoBusyFeedback busy;
  platform::AppContext context{messages, files, programs, busy};
  context.activeModel = platform::kNibal;
  context.importDelimiter = delimiter;

  nibal::GridState state;
  const nibal::GridBoxTexts boxes{options["--rows"], options["--columns"], options["--row-spacing"],
                                  options["--column-spacing"]};
  const nibal::ImportStep step = nibal::beginGridImport(state, boxes, context);
  if (step == nibal::ImportStep::ReadWorkbook) {
    if (!importGridWorkbookInput(state, context)) return 2;
  } else if (step != nibal::ImportStep::AskDelimiter || !nibal::ImportGridText(state, context)) {
    return 2;
  }

  // An option left out keeps the window's default text; one given empty is an empty box.
  nibal::GridParameterTexts parameters;
  if (options.count("--betta-row")) parameters.BettaRow = options["--betta-row"];
  if (options.count("--gamma-row")) parameters.GammaRow = options["--gamma-row"];
  if (options.count("--betta-col")) parameters.BettaCol = options["--betta-col"];
  if (options.count("--gamma-col")) parameters.GammaCol = options["--gamma-col"];
  const std::string date = options.count("--date") ? options["--date"] : nibal::currentShortDate();
  const nibal::RunOutcome outcome = nibal::RunGridModel(state, parameters, context, date);
  return outcome == nibal::RunOutcome::ReportWritten ? 0 : 2;
}

}  // namespace sodwright::batch
