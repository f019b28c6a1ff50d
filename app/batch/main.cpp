// SPDX-License-Identifier: GPL-3.0-or-later
// sodwright-batch: runs a KOLV, NIBAL or BANDO study without windows.
#include <algorithm>
#include <cstdint>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "base/files/pending_output.h"
#include "batch/allocation_failure.h"
#include "batch/batch_commands.h"
#include "platform/system_memory.h"

namespace {

constexpr int kUsageStatus = 2;

// "--name=" gives an empty value, as an emptied box; the parser would take
// it as a missing one, so it is handed over as "--name" "".
std::vector<std::string> argumentsOf(int argc, char** argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    const auto equals = argument.find('=');
    if (argument.rfind("--", 0) == 0 && equals != std::string::npos &&
        equals + 1 == argument.size()) {
      arguments.push_back(argument.substr(0, equals));
      arguments.emplace_back();
    } else {
      arguments.push_back(argument);
    }
  }
  return arguments;
}

// The words of the parsed command that no option or input took.
std::string unexpectedWords(const CLI::App& runner) {
  std::string text;
  std::vector<const CLI::App*> commands = {&runner};
  for (const CLI::App* command : runner.get_subcommands()) commands.push_back(command);
  for (const CLI::App* command : commands) {
    for (const std::string& word : command->remaining()) {
      text += text.empty() ? "" : ", ";
      text += (word.rfind("-", 0) == 0 && word.size() > 1 ? "unknown option " : "stray argument ") +
              word;
    }
  }
  return text;
}

int usageError(const CLI::App& runner, const CLI::ParseError& error) {
  std::string text = error.what();
  if (dynamic_cast<const CLI::ExtrasError*>(&error) != nullptr) {
    const std::string words = unexpectedWords(runner);
    if (!words.empty()) text = words;
  }
  std::string name = runner.get_name();
  for (const CLI::App* command : runner.get_subcommands()) name += " " + command->get_name();
  std::cerr << name << ": " << text << "\nRun \"" << name << " --help\" for the options.\n";
  return kUsageStatus;
}

}  // namespace

int main(int argc, char** argv) {
  sodwright::base::installOutputCleanup();  // an interrupted run leaves no temporary
  CLI::App runner(
      "Runs a KOLV, NIBAL or BANDO study without windows: the same imports, checks, runs and "
      "reports as the desktop program. Messages go to standard error; the exit status is 0 "
      "on success, 2 on bad input or bad options and 3 when kolv --strict refuses unstable "
      "parameters. An output that is an input or another output of the run (under any spelling or "
      "link) is refused with status 2 before anything is read or written.",
      "sodwright-batch");
  const std::string version = std::string("sodwright-batch ") + SODWRIGHT_VERSION;
  runner.set_version_flag("--version", version, "Print the version and exit");
  runner.set_help_flag("-h,--help", "Print this help and exit");
  // Every subcommand's options in one text: the manual page is written from it.
  runner.set_help_all_flag("--help-all", "Print the help of every subcommand and exit");
  runner.require_subcommand(1, 1);
  runner.fallthrough(false);

  struct Subcommand {
    const char* name;
    sodwright::batch::Command (*add)(CLI::App&);
  };
  std::vector<std::pair<const CLI::App*, sodwright::batch::Command>> commands;
  for (const Subcommand& subcommand :
       {Subcommand{"kolv", sodwright::batch::addKolvCommand},
        Subcommand{"kolv-fit", sodwright::batch::addKolvFitCommand},
        Subcommand{"kolv-ensemble", sodwright::batch::addKolvEnsembleCommand},
        Subcommand{"nibal", sodwright::batch::addNibalCommand},
        Subcommand{"nibal-tiles", sodwright::batch::addNibalTilesCommand},
        Subcommand{"bando", sodwright::batch::addBandoCommand}}) {
    sodwright::batch::Command run = subcommand.add(runner);
    CLI::App* command = runner.get_subcommand(subcommand.name);
    command->set_version_flag("--version", version, "Print the version and exit");
    commands.emplace_back(command, std::move(run));
  }

  std::vector<std::string> arguments = argumentsOf(argc, argv);
  std::reverse(arguments.begin(), arguments.end());  // the parser takes them from the back
  try {
    runner.parse(arguments);
  } catch (const CLI::CallForHelp&) {
    std::cout << runner.help();
    return 0;
  } catch (const CLI::CallForAllHelp&) {
    std::cout << runner.help("", CLI::AppFormatMode::All);
    return 0;
  } catch (const CLI::CallForVersion& shown) {
    std::cout << shown.what() << "\n";
    return 0;
  } catch (const CLI::ParseError& error) {
    return usageError(runner, error);
  }
  for (const auto& [command, run] : commands) {
    if (!command->parsed()) continue;
    // A failed allocation anywhere ends the command as bad input: the
    // outputs' temporaries are gone with the unwinding, and the message
    // says what was asked and what the process may have.
    try {
      return run();
    } catch (const std::bad_alloc&) {
      const std::size_t asked = sodwright::batch::failedAllocationBytes();
      const std::uint64_t usable = sodwright::platform::usableMemoryBytes();
      std::cerr << runner.get_name() << " " << command->get_name()
                << ": out of memory: a request for " << asked << " bytes (about " << (asked >> 20)
                << " MB) could not be met; this process may still take about " << (usable >> 20)
                << " MB (the machine's available memory within ulimit -v and ulimit -d).\n";
      return kUsageStatus;
    }
  }
  return kUsageStatus;
}
