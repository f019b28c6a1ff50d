// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/text/refusal_text.h"

#include <cctype>

namespace sodwright::base {

bool lacksNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  if (i < text.size() && text[i] == '.') ++i;
  return i >= text.size() || !std::isdigit(static_cast<unsigned char>(text[i]));
}

std::string optionRefusalText(std::string_view option, std::string_view typed,
                              std::string_view message, const Refusal& refusal) {
  // An option left out, or given empty, shows as "".
  const std::string shown = typed.empty() ? std::string("\"\"") : std::string(typed);
  std::string line = std::string(option) + " " + shown + ": " + std::string(message);
  line += " (";
  if (!refusal.reason.empty()) line += refusal.reason + "; ";
  line += "accepted: " + refusal.accepted + ")";
  return line;
}

std::string boxRefusalDetail(std::string_view typed, const Refusal& refusal) {
  std::string detail = "You typed " + std::string(typed);
  if (!refusal.reason.empty()) detail += ": " + refusal.reason;
  detail += ". Accepted: " + refusal.accepted + ".";
  return detail;
}

std::string cannotWriteText(std::string_view path, std::string_view reason) {
  return "Cannot write " + std::string(path) + ": " + std::string(reason);
}

}  // namespace sodwright::base
