// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers the subcommands share to declare their options: every option is
// a text taken as the window's box would take it, with its meaning and the
// value used when it is not given, both shown by --help.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/files/same_file.h"

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace sodwright::batch {

// A text option; `given` tells an option left out from one given empty.
struct TextOption {
  std::string value;
  CLI::Option* option = nullptr;
  bool given() const;
  // The value when given, else `fallback`.
  std::string valueOr(const std::string& fallback) const;
};

// Declares `--name VALUE`; `defaultText` says what holds when it is left out.
// `alias`, when given, is another name of the same option (the windows spell
// Beta "Betta", so both spellings are taken).
CLI::Option* addTextOption(CLI::App& command, TextOption& target, const std::string& name,
                           const std::string& valueName, const std::string& meaning,
                           const std::string& defaultText, const std::string& alias = {});

// The --delimiter words: tab, space, comma, semicolon or one character.
// Other texts are refused with the delimiter dialog's own messages, which
// are written to standard error; then empty.
std::optional<char> delimiterOption(const std::string& word);

// The --delimiter word used when none is given: "comma" for a .csv INPUT,
// "space" for a .xyz INPUT,
// "tab" for any other (.tsv, .txt, .dat).
std::string defaultDelimiterWord(const std::string& input);

// Whether no output is an input or another output of the run; if one is, says
// so on standard error for `command` ("kolv") and the run ends with status 2
// before it reads or writes anything.
bool outputsApart(const std::string& command, const std::vector<base::NamedPath>& inputs,
                  const std::vector<base::NamedPath>& outputs);

// A failed output as every command reports it: the writer's message (the
// file and the reason), then the option that named the file and that the
// file was left as it was (outputs are replaced only when written whole).
std::string outputFailure(std::string_view option, std::string_view message);
// Its last line alone, for a failure another layer has already told.
std::string outputKeptLine(std::string_view option);
// Writes the text output `option` names to `path`; a failure is worded as
// outputFailure words it, with the file named.
base::Result<> writeTextOutput(std::string_view option, const std::string& path,
                               std::string_view text);

// Declares --threads N with the command's own words for it.
void addThreadsOption(
    CLI::App& command, TextOption& threads,
    const std::string& meaning = "worker threads; the results are the same bits on any number",
    const std::string& defaultText = "every core");
// The thread count asked for with --threads (0 when left out: every core), or
// -1 after printing why the text is refused: every command takes a whole
// number from 1 to 1024.
int threadsOption(const TextOption& threads, const std::string& command);

inline constexpr const char* kDelimiterMeaning =
    "field delimiter of a text INPUT: tab, space, comma, semicolon or one character";

}  // namespace sodwright::batch
