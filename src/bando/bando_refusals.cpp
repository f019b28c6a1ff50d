// SPDX-License-Identifier: GPL-3.0-or-later
#include "bando/bando_refusals.h"

#include <cctype>
#include <cmath>

#include "bando/implement_sum.h"
#include "base/number_text.h"

namespace sodwright::bando {
namespace {

bool sameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

}  // namespace

std::optional<Int16> findItemIgnoringCase(BandoList list, std::string_view text) {
  const auto items = itemsOf(list);
  for (std::size_t i = 0; i < items.size(); ++i)
    if (sameIgnoringCase(items[i], text)) return static_cast<Int16>(i);
  return std::nullopt;
}

std::string itemChoicesText(BandoList list) {
  std::string text;
  for (std::string_view item : itemsOf(list)) {
    if (!text.empty()) text += ", ";
    text += "\"" + std::string(item) + "\"";
  }
  return text;
}

base::Refusal passesRefusal(std::size_t row, std::string_view passesText) {
  const std::string where = "row " + std::to_string(row) + " left out, ";
  const bool negative = ReadPasses(passesText).has_value();  // in range, so below 0
  return {where + (negative ? "passes below 0" : "passes beyond 32767"),
          "whole passes from 0 to 32767"};
}

std::optional<base::Refusal> typedPassesRefusal(std::string_view passesText) {
  const std::optional<double> passes = base::parseStrictNumber(passesText);
  if (passes && *passes == std::floor(*passes)) return std::nullopt;
  return base::Refusal{passes ? "not a whole number of passes" : "not a number",
                       "whole passes from 0 to 32767"};
}

SlopeDataRefusal slopeDataRefusal(const SlopeDataTexts& typed) {
  const bool gradientTaken = base::parseLeadingNumber(typed.maxSlopeGradient) > 0.0;
  const std::string& text = gradientTaken ? typed.convexSlopeLength : typed.maxSlopeGradient;
  const std::string reason =
      !text.empty() && base::lacksNumber(text) ? "not a number, read as 0" : "";
  if (gradientTaken)
    return {"Convex Slope Length", "--slope-length", text, {reason, "a length above 0 m"}};
  return {"Maximum Slope Gradient", "--slope-gradient", text, {reason, "a gradient above 0 %"}};
}

std::optional<base::Refusal> convexAreaRefusal(std::string_view text) {
  if (text.empty()) return std::nullopt;
  if (base::lacksNumber(text)) return base::Refusal{"not a number", "0 to 100 % of the field"};
  const double area = base::parseLeadingNumber(text);
  if (area >= 0.0 && area <= 100.0) return std::nullopt;
  return base::Refusal{{}, "0 to 100 % of the field"};
}

}  // namespace sodwright::bando
