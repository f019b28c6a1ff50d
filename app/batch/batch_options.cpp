// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/batch_options.h"

#include <charconv>
#include <iostream>
#include <variant>

#include <CLI/CLI.hpp>

#include "base/text/delimiter_text.h"
#include "base/text/refusal_text.h"
#include "base/text/text_file.h"
#include "batch/batch_services.h"
#include "platform/import_kind.h"

namespace sodwright::batch {

bool TextOption::given() const { return option != nullptr && option->count() > 0; }

std::string TextOption::valueOr(const std::string& fallback) const {
  return given() ? value : fallback;
}

CLI::Option* addTextOption(CLI::App& command, TextOption& target, const std::string& name,
                           const std::string& valueName, const std::string& meaning,
                           const std::string& defaultText, const std::string& alias) {
  const std::string description =
      defaultText.empty() ? meaning : meaning + " [default: " + defaultText + "]";
  const std::string names = alias.empty() ? name : name + "," + alias;
  target.option = command.add_option(names, target.value, description)->type_name(valueName);
  return target.option;
}

bool outputsApart(const std::string& command, const std::vector<base::NamedPath>& inputs,
                  const std::vector<base::NamedPath>& outputs) {
  const base::Result<> apart = base::checkSeparateOutputs(inputs, outputs);
  if (!apart) std::cerr << "sodwright-batch " << command << ": " << apart.message() << "\n";
  return apart.ok();
}

std::string outputKeptLine(std::string_view option) {
  return "The file given to " + std::string(option) +
         " was not written; what was there before is unchanged.";
}

std::string outputFailure(std::string_view option, std::string_view message) {
  return std::string(message) + "\n" + outputKeptLine(option);
}

base::Result<> writeTextOutput(std::string_view option, const std::string& path,
                               std::string_view text) {
  if (auto written = base::writeWholeFile(path, text); !written)
    return base::fail(outputFailure(option, base::cannotWriteText(path, written.message())));
  return {};
}

std::string defaultDelimiterWord(const std::string& input) {
  const std::optional<char> preset = platform::presetDelimiterOf(input);
  if (preset == ',') return "comma";
  return preset == ' ' ? "space" : "tab";
}

std::optional<char> delimiterOption(const std::string& word) {
  if (word == "tab") return '\t';
  if (word == "space") return ' ';
  if (word == "comma") return ',';
  if (word == "semicolon") return ';';
  const auto chosen = base::delimiterFromOtherText(word);
  if (const char* delimiter = std::get_if<char>(&chosen)) return *delimiter;
  std::cerr << std::get<std::string_view>(chosen) << "\n";
  return std::nullopt;
}

void addThreadsOption(CLI::App& command, TextOption& threads, const std::string& meaning,
                      const std::string& defaultText) {
  addTextOption(command, threads, "--threads", "N", meaning, defaultText);
}

int threadsOption(const TextOption& threads, const std::string& command) {
  if (!threads.given()) return 0;
  int value = -1;
  const std::string& text = threads.value;
  const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || stop != text.data() + text.size() || value < 1 ||
      value > 1024) {
    printMessage(command + ": --threads must be a whole number from 1 to 1024: " + text);
    return -1;
  }
  return value;
}

}  // namespace sodwright::batch
