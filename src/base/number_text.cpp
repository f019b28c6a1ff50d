// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace sodwright::base {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Parses a cleaned "[-]digits[.digits][e[-]digits]" text.
double fromCleaned(const std::string& cleaned) {
  double value = 0.0;
  const char* first = cleaned.data();
  const char* last = first + cleaned.size();
  auto [ptr, ec] = std::from_chars(first, last, value);
  if (ec == std::errc::result_out_of_range) {
    // from_chars leaves the value alone; tell overflow from underflow by the
    // decimal exponent of the first significant digit, as neither the sign of
    // the exponent alone ("1000...0e-10") nor its absence ("0.000...01") tells.
    const auto ePos = cleaned.find('e');
    const std::string_view mantissa = std::string_view(cleaned).substr(0, ePos);
    const auto point = std::min(mantissa.find('.'), mantissa.size());
    const auto firstDigit = mantissa.find_first_of("123456789");
    long long exponent = firstDigit < point
                             ? static_cast<long long>(point - firstDigit) - 1
                             : static_cast<long long>(point) - static_cast<long long>(firstDigit);
    if (ePos != std::string::npos) {
      const bool down = cleaned[ePos + 1] == '-';
      long long written = 0;
      for (std::size_t k = ePos + (down ? 2 : 1); k < cleaned.size() && written < 1000000; ++k)
        written = written * 10 + (cleaned[k] - '0');
      exponent += down ? -written : written;
    }
    const bool tiny = firstDigit == std::string_view::npos || exponent < 0;
    const bool negative = !cleaned.empty() && cleaned[0] == '-';
    if (tiny) return negative ? -0.0 : 0.0;
    return negative ? -std::numeric_limits<double>::infinity()
                    : std::numeric_limits<double>::infinity();
  }
  (void)ptr;
  return value;
}

struct Digits {
  std::string digits;  // significant digits, no trailing zeros, at least "0"
  int exponent = 0;    // decimal exponent of the first digit
  bool negative = false;
};

// Rounds to `precision` significant digits: nearest, ties to even on the exact
// binary value.
Digits significant(double value, int precision) {
  Digits d;
  d.negative = std::signbit(value) && value != 0.0;
  char buffer[64];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                     std::chars_format::scientific, precision - 1);
  const std::string text(buffer, written.ptr);
  const auto ePos = text.find('e');
  std::string mantissa = text.substr(0, ePos);
  d.exponent = std::stoi(text.substr(ePos + 1));
  for (char c : mantissa)
    if (isDigit(c)) d.digits.push_back(c);
  while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
  return d;
}

std::string generalWithPrecision(double value, int precision) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
  if (value == 0.0) return "0";
  const Digits d = significant(value, precision);
  std::string out = d.negative ? "-" : "";
  const int n = static_cast<int>(d.digits.size());
  if (d.exponent >= precision || d.exponent < -4) {
    out += d.digits[0];
    if (n > 1) {
      out += '.';
      out += d.digits.substr(1);
    }
    out += d.exponent < 0 ? "E-" : "E+";
    const int magnitude = std::abs(d.exponent);
    if (magnitude < 10) out += '0';
    return out + std::to_string(magnitude);
  }
  if (d.exponent >= 0) {
    if (n <= d.exponent + 1) {
      out += d.digits;
      out.append(static_cast<std::size_t>(d.exponent + 1 - n), '0');
    } else {
      out += d.digits.substr(0, static_cast<std::size_t>(d.exponent + 1));
      out += '.';
      out += d.digits.substr(static_cast<std::size_t>(d.exponent + 1));
    }
    return out;
  }
  out += "0.";
  out.append(static_cast<std::size_t>(-d.exponent - 1), '0');
  out += d.digits;
  return out;
}

std::string bareFromGeneral(std::string general) {
  if (general.rfind("0.", 0) == 0)
    general.erase(0, 1);
  else if (general.rfind("-0.", 0) == 0)
    general.erase(1, 1);
  if (general.empty() || general[0] != '-') general.insert(general.begin(), ' ');
  general.push_back(' ');
  return general;
}

}  // namespace

double parseLeadingNumber(std::string_view text) {
  std::string cleaned;
  std::size_t i = 0;
  auto skipBlanks = [&] {
    while (i < text.size() && isBlank(text[i])) ++i;
  };
  skipBlanks();
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') cleaned.push_back('-');
    ++i;
  }
  bool anyDigit = false;
  bool seenPoint = false;
  std::string mantissa;
  for (;;) {
    skipBlanks();
    if (i >= text.size()) break;
    const char c = text[i];
    if (isDigit(c)) {
      mantissa.push_back(c);
      anyDigit = true;
    } else if (c == '.' && !seenPoint) {
      mantissa.push_back('.');
      seenPoint = true;
    } else {
      break;
    }
    ++i;
  }
  if (!anyDigit) return 0.0;
  if (mantissa.front() == '.') mantissa.insert(mantissa.begin(), '0');
  if (mantissa.back() == '.') mantissa.pop_back();
  cleaned += mantissa;
  // An exponent counts only when it is complete.
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    while (j < text.size() && isBlank(text[j])) ++j;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
      if (text[j] == '-') exponent.push_back('-');
      ++j;
    }
    bool expDigits = false;
    for (; j < text.size(); ++j) {
      if (isBlank(text[j])) continue;
      if (!isDigit(text[j])) break;
      exponent.push_back(text[j]);
      expDigits = true;
    }
    if (expDigits) cleaned += exponent;
  }
  return fromCleaned(cleaned);
}

std::optional<double> parseStrictNumber(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && isBlank(text[begin])) ++begin;
  while (end > begin && isBlank(text[end - 1])) --end;
  const std::string_view body = text.substr(begin, end - begin);
  std::string cleaned;
  std::size_t i = 0;
  if (i < body.size() && (body[i] == '+' || body[i] == '-')) {
    if (body[i] == '-') cleaned.push_back('-');
    ++i;
  }
  std::string mantissa;
  bool anyDigit = false;
  bool seenPoint = false;
  for (; i < body.size(); ++i) {
    if (isDigit(body[i])) {
      mantissa.push_back(body[i]);
      anyDigit = true;
    } else if (body[i] == '.' && !seenPoint) {
      mantissa.push_back('.');
      seenPoint = true;
    } else {
      break;
    }
  }
  if (!anyDigit) return std::nullopt;
  if (mantissa.front() == '.') mantissa.insert(mantissa.begin(), '0');
  if (mantissa.back() == '.') mantissa.pop_back();
  cleaned += mantissa;
  if (i < body.size() && (body[i] == 'E' || body[i] == 'e' || body[i] == 'D' || body[i] == 'd')) {
    ++i;
    cleaned.push_back('e');
    if (i < body.size() && (body[i] == '+' || body[i] == '-')) {
      if (body[i] == '-') cleaned.push_back('-');
      ++i;
    }
    bool expDigits = false;
    for (; i < body.size() && isDigit(body[i]); ++i) {
      cleaned.push_back(body[i]);
      expDigits = true;
    }
    if (!expDigits) return std::nullopt;
  }
  if (i != body.size()) return std::nullopt;
  const double value = fromCleaned(cleaned);
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<std::int16_t> roundToInt16(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  const double rounded = std::nearbyint(value);  // default mode: halves to even
  if (rounded < -32768.0 || rounded > 32767.0) return std::nullopt;
  return static_cast<std::int16_t>(rounded);
}

std::optional<std::int16_t> floorToInt16(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  const double whole = std::floor(value);
  if (whole < -32768.0 || whole > 32767.0) return std::nullopt;
  return static_cast<std::int16_t>(whole);
}

std::string generalText(double value) { return generalWithPrecision(value, 15); }

std::string generalTextSingle(float value) {
  return generalWithPrecision(static_cast<double>(value), 7);
}

std::string generalText(long long value) { return std::to_string(value); }

std::string generalText(double value, int significantDigits) {
  const int precision = std::max(significantDigits, 0);
  // The digits, a sign, a point and "e+308"; or 309 integer digits in the fixed style.
  std::string text(static_cast<std::size_t>(precision) + 320, '\0');
  const auto written = std::to_chars(text.data(), text.data() + text.size(), value,
                                     std::chars_format::general, precision);
  text.resize(static_cast<std::size_t>(written.ptr - text.data()));
  return text;
}

std::string nearestFixedText(double value, int decimals) {
  // The largest double has 309 integer digits.
  std::string text(static_cast<std::size_t>(std::max(decimals, 0)) + 320, '\0');
  const auto written = std::to_chars(text.data(), text.data() + text.size(), value,
                                     std::chars_format::fixed, std::max(decimals, 0));
  text.resize(static_cast<std::size_t>(written.ptr - text.data()));
  return text;
}

std::string bareText(double value) { return bareFromGeneral(generalText(value)); }

std::string bareTextSingle(float value) { return bareFromGeneral(generalTextSingle(value)); }

std::string bareText(long long value) { return bareFromGeneral(generalText(value)); }

std::string t4Text(double value) { return generalText(std::floor(value * 10000.0) / 10000.0); }

// Each step rounded to Single, so that a Single that shows as -0.1 is not cut
// to -0.1001 by the tail its Double widening carries.
std::string t4TextSingle(float value) {
  const float scaled = value * 10000.0f;
  const float truncated = std::floor(scaled) / 10000.0f;
  return generalTextSingle(truncated);
}

std::string t2Text(double value) { return generalText(std::floor(value * 100.0) / 100.0); }

}  // namespace sodwright::base
