// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/exact_fixed_oracle.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace sodwright::base::testing {
namespace {

// Fixed text of |value| with `extra` more decimals than asked, exact from printf.
std::string fixedDigits(double magnitude, int decimals) {
  std::vector<char> buffer(static_cast<std::size_t>(decimals) + 400);
  int written = std::snprintf(buffer.data(), buffer.size(), "%.*f", decimals, magnitude);
  if (written >= static_cast<int>(buffer.size())) {
    buffer.resize(static_cast<std::size_t>(written) + 1);
    std::snprintf(buffer.data(), buffer.size(), "%.*f", decimals, magnitude);
  }
  return std::string(buffer.data());
}

// Decides whether the digits after the cut round the magnitude up (half away
// from zero on the exact binary value).
bool roundsUp(const std::string& tail, double magnitude, int decimals) {
  if (tail.empty()) return false;
  if (tail[0] != '5') return tail[0] > '5';
  for (std::size_t i = 1; i < tail.size(); ++i)
    if (tail[i] != '0') return true;
  // The shown tail is "5000...": look at the complete expansion, which a
  // double always has within 1100 decimals.
  const std::string full = fixedDigits(magnitude, 1100);
  const auto point = full.find('.');
  for (std::size_t i = point + 1 + static_cast<std::size_t>(decimals) + 1; i < full.size(); ++i)
    if (full[i] != '0') return true;
  return true;  // an exact half goes away from zero
}

}  // namespace

std::string exactFixedText(double value, int decimals, int minIntegerDigits) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
  const double magnitude = std::fabs(value);
  constexpr int kGuardDigits = 30;
  const std::string wide = fixedDigits(magnitude, decimals + kGuardDigits);
  const auto point = wide.find('.');
  std::string intPart = wide.substr(0, point);
  std::string fracPart = wide.substr(point + 1, static_cast<std::size_t>(decimals));
  const std::string tail = wide.substr(point + 1 + static_cast<std::size_t>(decimals));
  std::string digits = intPart + fracPart;
  if (roundsUp(tail, magnitude, decimals)) {
    int k = static_cast<int>(digits.size()) - 1;
    while (k >= 0 && digits[static_cast<std::size_t>(k)] == '9') {
      digits[static_cast<std::size_t>(k)] = '0';
      --k;
    }
    if (k < 0) {
      digits.insert(digits.begin(), '1');
      intPart.insert(intPart.begin(), '0');  // keeps the integer length in step
    } else {
      digits[static_cast<std::size_t>(k)] =
          static_cast<char>(digits[static_cast<std::size_t>(k)] + 1);
    }
  }
  const std::size_t intLen = intPart.size();
  intPart = digits.substr(0, intLen);
  fracPart = digits.substr(intLen);
  while (intPart.size() > 1 && intPart[0] == '0') intPart.erase(0, 1);
  if (intPart == "0" && minIntegerDigits < 1) intPart.clear();
  while (static_cast<int>(intPart.size()) < minIntegerDigits) intPart.insert(intPart.begin(), '0');
  bool allZero = true;
  for (char c : digits)
    if (c != '0') allZero = false;
  std::string out = (std::signbit(value) && !allZero) ? "-" : "";
  out += intPart;
  if (decimals > 0) {
    out += '.';
    out += fracPart;
  }
  return out;
}

std::string printfText(const char* format, double value) {
  std::vector<char> buffer(400);
  const int written = std::snprintf(buffer.data(), buffer.size(), format, value);
  if (written >= static_cast<int>(buffer.size())) {
    buffer.resize(static_cast<std::size_t>(written) + 1);
    std::snprintf(buffer.data(), buffer.size(), format, value);
  }
  return std::string(buffer.data());
}

std::string printfGeneralText(double value, int precision) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
  if (value == 0.0) return "0";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*e", precision - 1, std::fabs(value));
  const std::string text(buffer);
  const auto ePos = text.find('e');
  const int exponent = std::atoi(text.c_str() + ePos + 1);
  std::string digits;
  for (std::size_t i = 0; i < ePos; ++i)
    if (text[i] != '.') digits.push_back(text[i]);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  std::string out = std::signbit(value) ? "-" : "";
  const int n = static_cast<int>(digits.size());
  if (exponent >= precision || exponent < -4) {
    out += digits[0];
    if (n > 1) out += "." + digits.substr(1);
    char expText[16];
    std::snprintf(expText, sizeof expText, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    return out + expText;
  }
  if (exponent >= 0) {
    if (n <= exponent + 1)
      return out + digits + std::string(static_cast<std::size_t>(exponent + 1 - n), '0');
    const auto whole = static_cast<std::size_t>(exponent + 1);
    return out + digits.substr(0, whole) + "." + digits.substr(whole);
  }
  return out + "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
}

}  // namespace sodwright::base::testing
