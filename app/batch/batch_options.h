// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers the subcommands share to declare their options: every option is
// a text taken as the window's box would take it, with its meaning and the
// value used when it is not given, both shown by --help.

#include <optional>
#include <string>

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
CLI::Option* addTextOption(CLI::App& command, TextOption& target, const std::string& name,
                           const std::string& valueName, const std::string& meaning,
                           const std::string& defaultText);

// The --delimiter words: tab, space, comma, semicolon or one character.
// Other texts are refused with the delimiter dialog's own messages, which
// are written to standard error; then empty.
std::optional<char> delimiterOption(const std::string& word);

// The --delimiter word used when none is given: "comma" for a .csv INPUT,
// "space" for a .xyz INPUT,
// "tab" for any other (.tsv, .txt, .dat).
std::string defaultDelimiterWord(const std::string& input);

inline constexpr const char* kDelimiterMeaning =
    "field delimiter of a text INPUT: tab, space, comma, semicolon or one character";

}  // namespace sodwright::batch
